// The tool-tips of the icons in the notification area, read from the
// shell's own tool-tip controls: what a user sees on pointing at an icon.
#pragma once

#include <string>
#include <vector>

struct TTrayTips {
    bool ShellFound = false;         // a notification area to read from
    std::vector<std::wstring> Tips;  // one per icon, in the shell's order
};

TTrayTips ReadTrayTips();
