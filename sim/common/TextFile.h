// Whole-file reads and writes for the stand-ins' own files.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

// The folder of the running program, ending with "\".
std::string ExeFolder();

// False when the file cannot be read or is larger than maxBytes. Others may
// write, replace or delete the file meanwhile, as a running stand-in does
// with its log.
bool ReadTextFile(const std::string& path, size_t maxBytes, std::string& text);
// Replaces the file; false when it cannot be written whole.
bool WriteTextFile(const std::string& path, const std::string& text);

// Every line that CR LF ends, without it; a last line still being written
// is left out.
std::vector<std::string> CrLfLines(const std::string& text);
