{
@ Horizontal Control
{1 0.000000 2 }

@ Vertical Control
{0 10 2 100 }

@ Left Templates
{
{0 50 0.01 50}
}

@ Right Templates
{
{0 50 0.01 50}
}

}
