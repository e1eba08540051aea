// Text helpers on ANSI byte strings: case, search, split, replace, lists.
// Positions are 1-based and 0 means "not found"; counts are in bytes.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

std::string UpperText(const std::string& text);  // CharUpperBuffA: Cyrillic too
std::string LowerText(const std::string& text);  // CharLowerBuffA
std::string ReverseText(const std::string& text);
std::string LeftText(const std::string& text, int count);
std::string CopyText(const std::string& text, int index, int count);
int FindFrom(const std::string& pattern, const std::string& text, int start);
// At most count bytes, never half of a character of the code page (0: the
// ANSI code page in use).
std::string LeftBytes(const std::string& text, size_t count, unsigned codePage = 0);
// "…" as the code page writes it, in one or two bytes; three dots where it
// has none.
std::string EllipsisIn(unsigned codePage = 0);

struct TRLSResult {
    std::string Left;         // before the separator; the whole text when absent
    std::string Right;        // after the separator; empty when absent
    std::string LowerSource;  // the source, lower-cased
    std::string Separator;    // as passed in
    int32_t Position = 0;     // of the separator in the source, 0 when absent
    int32_t SeparatorLength = 0;
};

// Splits at the first occurrence of separator, ignoring case.
TRLSResult SplitFirst(const std::string& text, const std::string& separator);

enum TReplaceFlags : unsigned { ReplaceAll = 1, IgnoreCase = 2 };
// The result is cut to at most limit bytes.
std::string ReplaceText(const std::string& text, const std::string& pattern,
                        const std::string& replacement, unsigned flags,
                        size_t limit = std::string::npos);

std::string IfText(bool condition, const std::string& a, const std::string& b);
int IfInt(bool condition, int a, int b);

// "\n" (backslash, n) becomes CR LF, unless the first pair is escaped as "\\n".
std::string ConvertLineBreaks(const std::string& text);

// The "||" list: "||" before every item and one after the last ("||1||2||").
std::vector<std::string> ListItems(const std::string& list);
std::string ListText(const std::vector<std::string>& items);
