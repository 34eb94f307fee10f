{
@ Horizontal Control
{}

@ Vertical Control
{0 10 2 100 }

@ Left Templates
{
}

@ Right Templates
{
}

}
