{
@ Horizontal Control
{10 0.000000 "11 9 12" 13 14 15 16 }

@ Vertical Control
{}

@ Left Templates
{
}

@ Right Templates
{
}

}
