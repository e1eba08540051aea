#include "util/TimeText.h"

#include "util/Numbers.h"

char TimeSeparator = ':';

void InitTimeSeparator()
{
    TimeSeparator = LocaleChar(GetThreadLocale(), LOCALE_STIME, ':');
}

char LocaleChar(LCID locale, LCTYPE item, char def)
{
    char buffer[2] = {};
    // An empty value would put a zero byte into texts; the default is kept then.
    if (GetLocaleInfoA(locale, item, buffer, sizeof buffer) > 0 && buffer[0] != '\0')
        return buffer[0];
    return def;
}

SYSTEMTIME ReadLocalTime()
{
    SYSTEMTIME time{};
    GetLocalTime(&time);
    return time;
}

SYSTEMTIME MakeTime(uint16_t hours, uint16_t minutes, uint16_t seconds)
{
    SYSTEMTIME time{};
    if (seconds >= 60) {
        minutes = static_cast<uint16_t>(minutes + seconds / 60);
        seconds %= 60;
    }
    if (minutes >= 60) {
        hours = static_cast<uint16_t>(hours + minutes / 60);
        minutes %= 60;
    }
    if (hours >= 24) {
        time.wDay = static_cast<WORD>(hours / 24);
        hours %= 24;
    }
    time.wHour = hours;
    time.wMinute = minutes;
    time.wSecond = seconds;
    return time;
}

std::string FormatTime(const SYSTEMTIME& time)
{
    std::string text =
        PadNumber(time.wMinute, 2, '0') + TimeSeparator + PadNumber(time.wSecond, 2, '0');
    if (time.wHour > 0) text = PadNumber(time.wHour, 2, '0') + TimeSeparator + text;
    return text;
}
