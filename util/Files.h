// Paths, module file names and whole-file reads and writes.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

std::string ModulePath(HMODULE module);
std::string FileTitle(const std::string& path);  // name without its last extension
std::string FolderOf(const std::string& path);   // up to and including the last "\"

enum TPathKind { PathFolder = 0, PathFile = 1, PathAny = 2 };
bool PathExists(const std::string& path, int kind);  // double quotes are ignored
bool FileExists(const std::string& path);
uint32_t FileSizeOf(const std::string& path);  // low 32 bits; 0 when missing

// The file's bytes up to the first zero byte; empty when it cannot be read.
std::string ReadWholeFile(const std::string& path);
bool WriteWholeFile(const std::string& path, const char* bytes, uint32_t count, bool append);
// Whole or not at all: the text goes into "<path>.new", which then takes the
// file's place, so a process ended meanwhile leaves the old file as it was.
bool ReplaceWholeFile(const std::string& path, const std::string& text);
