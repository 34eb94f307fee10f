{
@ Horizontal Control
{9 10.000000 10 }

@ Vertical Control
{10 100 10 20 }

@ Left Templates
{
{10 5 0.01 5}
}

@ Right Templates
{
{10 4 0.01 4}
}

}
