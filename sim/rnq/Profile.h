// RnQ's own file "rnq.ini": [Status] with Picture, Caption and Text, the
// texts with backslash, CR and LF written as \\, \r and \n.
#pragma once

#include <string>

// Beside rnq.exe, named for the account; "default" without one.
std::string ProfileFolder(const std::string& account);
// Takes Rnq.Account's status; without a file it stays empty.
void LoadProfile();
void SaveProfile();
