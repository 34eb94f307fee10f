{
@ Horizontal Control
{}

@ Vertical Control
{1000 100 3 "1180 1300" 1 "1300 1360" -3 1700 2 1800 }

@ Left Templates
{
}

@ Right Templates
{
}

}
