// Proleptic Gregorian calendar arithmetic shared by the date classes.
#pragma once

// Days since 1 January 1970 of a date, and back (exact integer arithmetic).
long long DaysFromCivil(long long year, unsigned month, unsigned day);
void CivilFromDays(long long days, int& year, int& month, int& day);
int DaysInMonth(int year, int month);
