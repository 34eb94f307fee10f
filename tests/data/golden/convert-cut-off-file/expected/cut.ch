{
@ Horizontal Control
{1 0.000000 2 }

@ Vertical Control
{}

@ Left Templates
{
}

@ Right Templates
{
}

}
