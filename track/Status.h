// A status as the templates make it of the track and a client shows it.
#pragma once

#include <cstdint>
#include <string>

// A client status; -1 as picture means none chosen.
struct TStatus {
    int32_t PictureIndex = 0;
    std::string Caption;
    std::string LongText;
    std::string TrayTip;  // only the plug-in's own status uses it
};
