{
@ Horizontal Control
{}

@ Vertical Control
{500 10 2 550 }

@ Left Templates
{
}

@ Right Templates
{
}

}
