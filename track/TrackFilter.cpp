#include "track/TrackFilter.h"

#include <cstddef>

#include "util/Text.h"

namespace {

// Greedy, going back only to the last "*": time is bounded by the product
// of the two lengths, whatever the pattern.
bool Matches(const std::string& text, const std::string& pattern)
{
    size_t t = 0, p = 0;
    size_t starAt = std::string::npos, textAtStar = 0;
    while (t < text.size()) {
        if (p < pattern.size() && (pattern[p] == '?' || pattern[p] == text[t])) {
            ++t;
            ++p;
        } else if (p < pattern.size() && pattern[p] == '*') {
            starAt = p++;
            textAtStar = t;
        } else if (starAt != std::string::npos) {
            p = starAt + 1;
            t = ++textAtStar;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == '*') ++p;
    return p == pattern.size();
}

}  // namespace

bool IsLeftAlone(const std::string& file, const std::string& patterns)
{
    if (file.empty() || patterns.empty()) return false;
    const std::string name = UpperText(file);
    const std::string list = UpperText(patterns);
    const std::string mark = "||";
    // The marks around the list are optional; empty items match nothing.
    for (size_t start = 0; start <= list.size();) {
        size_t end = list.find(mark, start);
        if (end == std::string::npos) end = list.size();
        const std::string pattern = list.substr(start, end - start);
        if (!pattern.empty() && Matches(name, pattern)) return true;
        start = end + mark.size();
    }
    return false;
}
