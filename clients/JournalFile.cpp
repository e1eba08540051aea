#include "clients/JournalFile.h"

#include <windows.h>

#include <charconv>

#include "util/Files.h"

namespace {

const std::string Header = "gen_ZEM slot journal 2";
const std::string HeaderBefore = "gen_ZEM slot journal 1";
const std::string EndMark = "end ";
const std::string LineEnd = "\r\n";
constexpr char Separator = '\t';
constexpr size_t FieldCount = 16;
constexpr size_t FieldCountBefore = 12;

std::string Escaped(const std::string& text)
{
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        switch (c) {
            case '\\':
                out += "\\\\";
                break;
            case '\t':
                out += "\\t";
                break;
            case '\r':
                out += "\\r";
                break;
            case '\n':
                out += "\\n";
                break;
            default:
                out += c;
        }
    }
    return out;
}

bool Unescape(const std::string& field, std::string& text)
{
    text.clear();
    for (size_t i = 0; i < field.size(); ++i) {
        if (field[i] != '\\') {
            text += field[i];
            continue;
        }
        if (++i == field.size()) return false;
        switch (field[i]) {
            case '\\':
                text += '\\';
                break;
            case 't':
                text += '\t';
                break;
            case 'r':
                text += '\r';
                break;
            case 'n':
                text += '\n';
                break;
            default:
                return false;
        }
    }
    return true;
}

// Decimal digits with an optional minus, nothing else.
bool ParseNumber(const std::string& field, int32_t& value)
{
    const char* end = field.data() + field.size();
    const auto result = std::from_chars(field.data(), end, value);
    return !field.empty() && result.ec == std::errc() && result.ptr == end;
}

std::vector<std::string> Split(const std::string& text, const std::string& separator)
{
    std::vector<std::string> parts;
    size_t start = 0;
    for (size_t at; (at = text.find(separator, start)) != std::string::npos;
         start = at + separator.size())
        parts.push_back(text.substr(start, at - start));
    parts.push_back(text.substr(start));
    return parts;
}

void AddStatus(std::string& line, const TStatus& status)
{
    line += Separator + std::to_string(status.PictureIndex) + Separator + Escaped(status.Caption) +
            Separator + Escaped(status.LongText);
}

bool ReadStatus(const std::vector<std::string>& fields, size_t first, TStatus& status)
{
    return ParseNumber(fields[first], status.PictureIndex) &&
           Unescape(fields[first + 1], status.Caption) &&
           Unescape(fields[first + 2], status.LongText);
}

// A number that is 0 or 1 only.
bool ParseFlag(const std::string& field, int32_t& value)
{
    return ParseNumber(field, value) && value >= 0 && value <= 1;
}

bool ParseEntry(const std::string& line, size_t fieldCount, TJournalEntry& entry)
{
    const std::vector<std::string> fields = Split(line, std::string(1, Separator));
    if (fields.size() != fieldCount) return false;
    int32_t writing = 0;
    const bool read = Unescape(fields[0], entry.ClientName) && Unescape(fields[1], entry.Title) &&
                      ParseFlag(fields[2], entry.SavedIndex) &&
                      ReadStatus(fields, 3, entry.Saved[0]) &&
                      ReadStatus(fields, 6, entry.Saved[1]) && ReadStatus(fields, 9, entry.Current);
    if (!read) return false;
    if (fieldCount == FieldCountBefore) {
        entry.ToLeave = entry.Current;
        return true;
    }
    if (!ParseFlag(fields[12], writing) || !ReadStatus(fields, 13, entry.ToLeave)) return false;
    entry.Writing = writing == 1;
    return true;
}

std::string EntryLine(const TJournalEntry& entry)
{
    std::string line = Escaped(entry.ClientName) + Separator + Escaped(entry.Title) + Separator +
                       std::to_string(entry.SavedIndex);
    AddStatus(line, entry.Saved[0]);
    AddStatus(line, entry.Saved[1]);
    AddStatus(line, entry.Current);
    line += Separator + std::string(entry.Writing ? "1" : "0");
    AddStatus(line, entry.ToLeave);
    return line + LineEnd;
}

// The entry lines between the header and the count.
std::string FramedLines(const std::vector<std::string>& lines)
{
    std::string text = Header + LineEnd;
    for (const std::string& line : lines) text += line;
    return text + EndMark + std::to_string(lines.size()) + LineEnd;
}

}  // namespace

std::string JournalText(const TJournal& journal)
{
    std::vector<std::string> lines;
    for (const TJournalEntry& entry : journal) lines.push_back(EntryLine(entry));
    return FramedLines(lines);
}

// The count at the end tells a journal cut short from a whole one.
bool ParseJournal(const std::string& text, TJournal& journal)
{
    journal.clear();
    const std::vector<std::string> lines = Split(text, LineEnd);
    if (lines.size() < 3 || !lines.back().empty() ||
        lines[lines.size() - 2] != EndMark + std::to_string(lines.size() - 3))
        return false;
    size_t fieldCount = 0;
    if (lines.front() == Header) fieldCount = FieldCount;
    if (lines.front() == HeaderBefore) fieldCount = FieldCountBefore;
    if (fieldCount == 0) return false;
    TJournal read(lines.size() - 3);
    for (size_t i = 0; i < read.size(); ++i)
        if (!ParseEntry(lines[i + 1], fieldCount, read[i])) return false;
    journal = std::move(read);
    return true;
}

TJournal ReadJournal(const std::string& path)
{
    TJournal journal;
    try {
        if (FileSizeOf(path) <= MaxJournalBytes) ParseJournal(ReadWholeFile(path), journal);
    } catch (...) {
        journal.clear();
    }
    return journal;
}

bool WriteJournal(const std::string& path, const TJournal& journal)
{
    std::vector<std::string> kept;
    for (const TJournalEntry& entry : journal) {
        std::string line = EntryLine(entry);
        if (line.size() <= MaxJournalEntryBytes) kept.push_back(std::move(line));
    }
    if (kept.empty()) return DeleteFileA(path.c_str()) || !FileExists(path);
    return ReplaceWholeFile(path, FramedLines(kept));
}
