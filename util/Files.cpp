#include "util/Files.h"

#include "util/Handles.h"

#include <algorithm>
#include <cstring>
#include <new>

namespace {

// The files read here are settings and status files; anything larger is not one.
constexpr uint32_t MaxReadSize = 16u * 1024u * 1024u;

bool ReadAttributes(const std::string& path, WIN32_FILE_ATTRIBUTE_DATA& data)
{
    return GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data) != 0;
}

std::string NameOf(const std::string& path)
{
    const size_t slash = path.rfind('\\');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

}  // namespace

std::string ModulePath(HMODULE module)
{
    char buffer[261] = {};
    const DWORD length = GetModuleFileNameA(module, buffer, sizeof buffer);
    return std::string(buffer, std::min<DWORD>(length, sizeof buffer));
}

std::string FileTitle(const std::string& path)
{
    const std::string name = NameOf(path);
    const size_t dot = name.rfind('.');
    return dot == std::string::npos ? name : name.substr(0, dot);
}

std::string FolderOf(const std::string& path)
{
    const size_t slash = path.rfind('\\');
    return slash == std::string::npos ? path : path.substr(0, slash + 1);
}

bool PathExists(const std::string& path, int kind)
{
    std::string bare = path;
    bare.erase(std::remove(bare.begin(), bare.end(), '"'), bare.end());
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!ReadAttributes(bare, data)) return false;
    const bool folder = (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    if (kind == PathFolder) return folder;
    if (kind == PathFile) return !folder;
    return true;
}

bool FileExists(const std::string& path)
{
    return PathExists(path, PathFile);
}

uint32_t FileSizeOf(const std::string& path)
{
    WIN32_FILE_ATTRIBUTE_DATA data{};
    return ReadAttributes(path, data) ? data.nFileSizeLow : 0;
}

std::string ReadWholeFile(const std::string& path)
{
    try {
        if (!FileExists(path)) return std::string();
        const uint32_t size = FileSizeOf(path);
        if (size > MaxReadSize) return std::string();
        // Zero-filled with room to spare, so the text always ends inside the buffer.
        std::string buffer(size + 2, '\0');
        TFileHandle file(CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                     FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!file.Open()) return std::string();
        SetFilePointer(file.Handle, 0, nullptr, FILE_BEGIN);
        DWORD read = 0;
        if (!ReadFile(file.Handle, &buffer[0], size + 1, &read, nullptr)) return std::string();
        buffer.resize(std::strlen(buffer.c_str()));
        return buffer;
    } catch (...) {
        return std::string();
    }
}

bool WriteWholeFile(const std::string& path, const char* bytes, uint32_t count, bool append)
{
    if (bytes == nullptr) {
        if (count > 0) return false;
        bytes = "";
    }
    if (!FileExists(path)) append = false;
    TFileHandle file(CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                 append ? OPEN_EXISTING : CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                                 nullptr));
    if (!file.Open()) return false;
    SetFilePointer(file.Handle, 0, nullptr, FILE_END);
    DWORD written = 0;
    return WriteFile(file.Handle, bytes, count, &written, nullptr) != 0 && written == count;
}

bool ReplaceWholeFile(const std::string& path, const std::string& text)
{
    const std::string fresh = path + ".new";
    if (text.size() <= UINT32_MAX &&
        WriteWholeFile(fresh, text.data(), static_cast<uint32_t>(text.size()), false) &&
        MoveFileExA(fresh.c_str(), path.c_str(),
                    MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return true;
    DeleteFileA(fresh.c_str());
    return false;
}
