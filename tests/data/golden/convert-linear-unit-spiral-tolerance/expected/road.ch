{
@ Horizontal Control
{1 0.000000 "2 3 4" "4 5 6" "6 7 8" "8 9 10" "10 11 12" "12 13 14" "14 15 16" "16 17 18" }

@ Vertical Control
{}

@ Left Templates
{
}

@ Right Templates
{
}

}
