// Whole-file reads and writes for the stand-ins' own files.
#pragma once

#include <cstddef>
#include <string>

// The folder of the running program, ending with "\".
std::string ExeFolder();

// False when the file cannot be read or is larger than maxBytes.
bool ReadTextFile(const std::string& path, size_t maxBytes, std::string& text);
// Replaces the file; false when it cannot be written whole.
bool WriteTextFile(const std::string& path, const std::string& text);
