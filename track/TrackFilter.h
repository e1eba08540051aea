// The tracks the user wants left alone: a "||" list of file patterns with
// "*" and "?" wildcards, matched against the full file name the player
// reports, letter case ignored.
#pragma once

#include <string>

// "?" is one character of the code page (0: the ANSI code page in use), one
// or two bytes. Each pattern is decided on its own, reading the name once:
// the answer depends neither on the order of the patterns nor on their
// number, and no pattern is too costly to decide.
bool IsLeftAlone(const std::string& file, const std::string& patterns, unsigned codePage = 0);
