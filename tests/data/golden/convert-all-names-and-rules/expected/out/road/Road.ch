{
@ Horizontal Control
{1 500.000000 "2 3 4" 5 }

@ Vertical Control
{500 10 2 "540 560" -1 600 }

@ Left Templates
{
}

@ Right Templates
{
}

}
