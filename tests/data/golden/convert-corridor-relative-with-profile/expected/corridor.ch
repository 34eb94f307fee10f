{
@ Horizontal Control
{}

@ Vertical Control
{0 50 2 100 }

@ Left Templates
{
{10 5 0.01 5}
}

@ Right Templates
{
{10 4 0.01 4}
}

}
