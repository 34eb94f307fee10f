{
@ Horizontal Control
{7 500.000000 "21 22 23" 24 }

@ Vertical Control
{}

@ Left Templates
{
}

@ Right Templates
{
}

}
