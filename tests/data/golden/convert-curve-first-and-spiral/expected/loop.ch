{
@ Horizontal Control
{"1 0.000000 2 3" "4 5 6" }

@ Vertical Control
{0 50 10 10 -5 20 }

@ Left Templates
{
{5 6.666666667 0.01 6.666666667}
}

@ Right Templates
{
{5 60 0.01 60}
}

}
