{
@ Horizontal Control
{10 0.000000 11 12 13 14 15 }

@ Vertical Control
{}

@ Left Templates
{
}

@ Right Templates
{
}

}
