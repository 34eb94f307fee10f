{
@ Horizontal Control
{1 1000.000000 "2 3 4" 5 }

@ Vertical Control
{}

@ Left Templates
{
}

@ Right Templates
{
}

}
