{
@ Horizontal Control
{1 1000.000000 2 }

@ Vertical Control
{}

@ Left Templates
{
}

@ Right Templates
{
}

}
