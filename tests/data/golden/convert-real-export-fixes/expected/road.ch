{
@ Horizontal Control
{1 12345.678000 "4 5 6" 7 }

@ Vertical Control
{}

@ Left Templates
{
}

@ Right Templates
{
}

}
