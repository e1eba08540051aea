// Local time and its text form.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

// First character of the locale's time separator; set once at module start
// (InitTimeSeparator).
extern char TimeSeparator;
void InitTimeSeparator();

char LocaleChar(LCID locale, LCTYPE item, char def);
SYSTEMTIME ReadLocalTime();
// Carries seconds into minutes, minutes into hours and hours into the day.
SYSTEMTIME MakeTime(uint16_t hours, uint16_t minutes, uint16_t seconds);
// "mm:ss", or "hh:mm:ss" when the hour is above 0.
std::string FormatTime(const SYSTEMTIME& time);
