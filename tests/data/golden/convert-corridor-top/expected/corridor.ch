{
@ Horizontal Control
{}

@ Vertical Control
{10 100 0 10 }

@ Left Templates
{
{10 5 0.01 5}
}

@ Right Templates
{
{10 4 0.01 4}
}

}
