{
@ Horizontal Control
{8 100.000000 9 }

@ Vertical Control
{100 5 10 110 }

@ Left Templates
{
}

@ Right Templates
{
}

}
