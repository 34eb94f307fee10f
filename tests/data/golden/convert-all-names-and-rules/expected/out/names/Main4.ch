{
@ Horizontal Control
{10 0.000000 11 }

@ Vertical Control
{}

@ Left Templates
{
}

@ Right Templates
{
}

}
