// The account's files in the profile folder: the custom-status file
// "_st_cust.txt" (one line per picture, caption "#custom_status_descr#"
// long text CR LF, Windows-1251) and "zem.ini" ([Status] Picture=<n>).
#pragma once

#include <string>

// Folder of zem.exe + "Users\" + account + "\".
std::string ProfileFolder(const std::string& account);

// Takes the records and the picture of Zem.Account's files; what is
// missing stays empty, the picture 0.
void LoadProfile();
// Writes both files for Zem.Account, making the folder if need be.
void SaveProfile();
