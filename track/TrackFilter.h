// The tracks the user wants left alone: a "||" list of file patterns with
// "*" and "?" wildcards, matched against the full file name the player
// reports, letter case ignored.
#pragma once

#include <string>

// "?" is one character of the code page (0: the ANSI code page in use), one
// or two bytes. The work is bounded: a list too costly to decide for a name
// within that bound leaves the track announced.
bool IsLeftAlone(const std::string& file, const std::string& patterns, unsigned codePage = 0);
