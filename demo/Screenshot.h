// A part of the screen as it shows now, saved as a 24-bit BMP file.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

// The smallest rectangle that holds every one of the windows.
RECT WindowsArea(const std::vector<HWND>& windows);
// Whatever covers a window in the area is in the picture too; false when
// nothing could be written.
bool SaveScreenPicture(const RECT& area, const std::string& path);
