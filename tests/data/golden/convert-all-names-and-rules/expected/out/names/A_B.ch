{
@ Horizontal Control
{8 0.000000 7 }

@ Vertical Control
{}

@ Left Templates
{
}

@ Right Templates
{
}

}
