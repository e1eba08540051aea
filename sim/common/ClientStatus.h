// A stand-in client's status and the texts it is written and read as.
#pragma once

#include <optional>
#include <string>

struct TClientStatus {
    int Picture = 0;
    std::string Caption;
    std::string LongText;
};

// "<picture>|<caption>|<long text>", as the log shows a status.
std::string StatusText(const TClientStatus& status);
// Writes "STATUS " followed by the status text.
void LogStatus(const TClientStatus& status);

// What the user picks in the status window: the argument of "user-status",
// "<picture>[|<caption>[|<long text>]]". A text left out is left as the
// window shows it; the long text is everything after the second '|'.
struct TUserChoice {
    int Picture = 0;
    std::optional<std::string> Caption;
    std::optional<std::string> LongText;
};

// False for a picture that is not a number below pictureCount.
bool ParseUserChoice(const std::string& text, int pictureCount, TUserChoice& choice);

// A whole decimal number from 0 to maxValue, digits only.
bool ParseCount(const std::string& text, int maxValue, int& value);
