// A ZEM's account, as its main window's title shows it, and that account's
// profile folder beside the client's executable, where its custom-status
// file lies.
#pragma once

#include <cstdint>
#include <string>

// The title is "[zem] - " and the account; a title without that prefix is
// the account itself.
std::string AccountOf(const std::string& title);
// The executable of a process; empty when it cannot be read.
std::string GetProcessExePath(uint32_t processId);
// "Users\<account>\" in the folder of the process's executable; empty for
// an account that is no plain folder name.
std::string ProfileFolderOf(uint32_t processId, const std::string& title);
