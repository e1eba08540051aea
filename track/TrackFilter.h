// The tracks the user wants left alone: a "||" list of file patterns with
// "*" and "?" wildcards, matched against the full file name the player
// reports, letter case ignored.
#pragma once

#include <string>

bool IsLeftAlone(const std::string& file, const std::string& patterns);
