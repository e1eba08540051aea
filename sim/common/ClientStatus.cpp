#include "sim/common/ClientStatus.h"

#include "sim/common/EventLog.h"

std::string StatusText(const TClientStatus& status)
{
    return std::to_string(status.Picture) + "|" + status.Caption + "|" + status.LongText;
}

void LogStatus(const TClientStatus& status)
{
    LogEvent("STATUS " + StatusText(status));
}

bool ParseCount(const std::string& text, int maxValue, int& value)
{
    if (text.empty() || text.size() > 9) return false;
    int number = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return false;
        number = number * 10 + (c - '0');
    }
    if (number > maxValue) return false;
    value = number;
    return true;
}

bool ParseUserChoice(const std::string& text, int pictureCount, TUserChoice& choice)
{
    const size_t first = text.find('|');
    TUserChoice parsed;
    if (pictureCount <= 0 || !ParseCount(text.substr(0, first), pictureCount - 1, parsed.Picture)) {
        return false;
    }
    if (first != std::string::npos) {
        const size_t second = text.find('|', first + 1);
        parsed.Caption = text.substr(
            first + 1, second == std::string::npos ? std::string::npos : second - first - 1);
        if (second != std::string::npos) parsed.LongText = text.substr(second + 1);
    }
    choice = std::move(parsed);
    return true;
}
