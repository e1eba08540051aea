#include "util/Text.h"

#include <windows.h>

#include <algorithm>

namespace {

const char ListMark[] = "||";

// 1-based position of pattern in text from the 0-based offset on; 0 when absent.
int FindAt(const std::string& pattern, const std::string& text, size_t offset)
{
    if (pattern.empty() || offset > text.size()) return 0;
    const size_t found = text.find(pattern, offset);
    return found == std::string::npos ? 0 : static_cast<int>(found + 1);
}

}  // namespace

std::string UpperText(const std::string& text)
{
    std::string result = text;
    if (!result.empty()) CharUpperBuffA(&result[0], static_cast<DWORD>(result.size()));
    return result;
}

std::string LowerText(const std::string& text)
{
    std::string result = text;
    if (!result.empty()) CharLowerBuffA(&result[0], static_cast<DWORD>(result.size()));
    return result;
}

std::string ReverseText(const std::string& text)
{
    return std::string(text.rbegin(), text.rend());
}

std::string LeftText(const std::string& text, int count)
{
    if (count <= 0) return std::string();
    return text.substr(0, std::min(text.size(), static_cast<size_t>(count)));
}

std::string CopyText(const std::string& text, int index, int count)
{
    // 64-bit arithmetic so that extreme index and count values cannot overflow;
    // an index below 1 shortens the range as if the text began earlier.
    const int64_t size = static_cast<int64_t>(text.size());
    const int64_t first = std::max<int64_t>(0, std::min<int64_t>(size, int64_t{index} - 1));
    const int64_t last =
        std::max<int64_t>(first, std::min<int64_t>(size, int64_t{index} - 1 + count));
    return text.substr(static_cast<size_t>(first), static_cast<size_t>(last - first));
}

std::string LeftBytes(const std::string& text, size_t count, unsigned codePage)
{
    if (text.size() <= count) return text;
    size_t end = 0;
    for (;;) {
        const bool lead = IsDBCSLeadByteEx(codePage, static_cast<BYTE>(text[end])) != FALSE;
        const size_t next = end + (lead ? 2 : 1);
        if (next > count) return text.substr(0, end);
        end = next;
    }
}

std::string EllipsisIn(unsigned codePage)
{
    const wchar_t ellipsis = 0x2026;
    char text[8] = {};
    BOOL lost = FALSE;
    const int length = WideCharToMultiByte(codePage, WC_NO_BEST_FIT_CHARS, &ellipsis, 1, text,
                                           sizeof text, nullptr, &lost);
    return length > 0 && !lost ? std::string(text, static_cast<size_t>(length)) : "...";
}

int FindFrom(const std::string& pattern, const std::string& text, int start)
{
    return FindAt(pattern, text, static_cast<size_t>(std::max(start, 1) - 1));
}

TRLSResult SplitFirst(const std::string& text, const std::string& separator)
{
    TRLSResult result;
    result.LowerSource = LowerText(text);
    result.SeparatorLength = static_cast<int32_t>(separator.size());
    result.Position = FindAt(LowerText(separator), result.LowerSource, 0);
    result.Separator = separator;
    if (result.Position > 0) {
        result.Left = LeftText(text, result.Position - 1);
        result.Right =
            CopyText(text, result.Position + result.SeparatorLength, static_cast<int>(text.size()));
    } else {
        result.Left = text;
    }
    return result;
}

std::string ReplaceText(const std::string& text, const std::string& pattern,
                        const std::string& replacement, unsigned flags, size_t limit)
{
    const bool ignoreCase = (flags & IgnoreCase) != 0;
    const std::string search = ignoreCase ? UpperText(text) : text;
    const std::string patt = ignoreCase ? UpperText(pattern) : pattern;
    // Case mapping keeps the length, so one offset walks both the text and
    // its searchable copy.
    std::string result;
    size_t done = 0;
    // Past the limit nothing more is built, so that a text with many
    // matches never grows beyond it on the way.
    while (done < search.size() && result.size() < limit) {
        const int found = FindAt(patt, search, done);
        if (found == 0) break;
        const size_t at = static_cast<size_t>(found - 1);
        result.append(text, done, at - done);
        result += replacement;
        done = at + pattern.size();
        if ((flags & ReplaceAll) == 0) break;
    }
    if (done < text.size() && result.size() < limit)
        result.append(text, done, limit - result.size());
    if (result.size() > limit) result.resize(limit);
    return result;
}

std::string IfText(bool condition, const std::string& a, const std::string& b)
{
    return condition ? a : b;
}

int IfInt(bool condition, int a, int b)
{
    return condition ? a : b;
}

std::string ConvertLineBreaks(const std::string& text)
{
    const int escaped = FindAt("\\\\n", text, 0);
    int pair = FindAt("\\n", text, 0);
    // A leading "\\n" marks a text whose pairs are meant literally.
    if (escaped > 0 && pair == escaped + 1) return text;
    std::string result = text;
    while (pair > 0) {
        result[pair - 1] = '\r';
        result[pair] = '\n';
        pair = FindAt("\\n", result, static_cast<size_t>(pair + 1));
    }
    return result;
}

std::vector<std::string> ListItems(const std::string& list)
{
    std::vector<std::string> items;
    const size_t mark = sizeof ListMark - 1;
    // Whatever stands before the first mark is not an item.
    size_t found = list.find(ListMark);
    if (found == std::string::npos) return items;
    size_t start = found + mark;
    while (start < list.size()) {
        found = list.find(ListMark, start);
        if (found == std::string::npos) {
            items.push_back(list.substr(start));
            break;
        }
        items.push_back(list.substr(start, found - start));
        start = found + mark;
    }
    return items;
}

std::string ListText(const std::vector<std::string>& items)
{
    std::string list;
    for (const std::string& item : items) {
        list += ListMark;
        list += item;
    }
    list += ListMark;
    return list;
}
