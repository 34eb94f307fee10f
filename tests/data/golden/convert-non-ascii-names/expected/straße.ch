{
@ Horizontal Control
{1 500.000000 "2 3 4" 5 }

@ Vertical Control
{500 10 2 "540 560" -1 600 }

@ Left Templates
{
{500 50 0.01 50}
{550 -1 2 14.28571429 0.01 14.28571429}
}

@ Right Templates
{
{500 50 0.01 50}
{550 -2 3 3 0.01 3}
}

}
