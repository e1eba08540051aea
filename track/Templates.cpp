#include "track/Templates.h"

#include "util/Text.h"

namespace {

// An optional part goes when it names a token and every token it names
// comes out empty or as the player's "not available". The client's own two
// count as filled: the ZEM driver puts them in later, per instance, and
// RnQ shows them as typed, so they are never known to be empty here. A part
// that names no token is plain text and stays.
bool PartIsEmpty(const std::string& part, const TTokenValues& values)
{
    const std::string search = UpperText(part);
    bool named = false;
    for (size_t i = 0; i < TrackTokens.size(); ++i) {
        if (FindFrom(UpperText(TrackTokens[i].Name), search, 1) == 0) continue;
        if (TrackTokens[i].Kind == ClientToken) return false;
        const std::string& value = values[i];
        if (!value.empty() && value != NotAvailableText) return false;
        named = true;
    }
    return named;
}

// Keeps or drops each "{...}" part and takes its braces away. Doubled
// braces stand for one, parts do not nest (a "{" inside one is text), and a
// "{" that nothing closes is text too. The result is never longer than the
// template.
std::string ResolveOptionalParts(const std::string& text, const TTokenValues& values)
{
    std::string result;
    std::string part;
    bool inPart = false;
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        std::string& out = inPart ? part : result;
        if ((c == '{' || c == '}') && i + 1 < text.size() && text[i + 1] == c) {
            out += c;
            ++i;
        } else if (c == '{' && !inPart) {
            inPart = true;
            part.clear();
        } else if (c == '}' && inPart) {
            if (!PartIsEmpty(part, values)) result += part;
            inPart = false;
        } else {
            out += c;
        }
    }
    if (inPart) result += '{' + part;
    return result;
}

}  // namespace

std::string ExpandTemplate(const std::string& text, const TTrackValues& track)
{
    // Breaks first, so a "\n" that a value brings in stays as it came; the
    // parts are settled before any value is put in, so a brace in a value
    // is only text.
    std::string result = ResolveOptionalParts(ConvertLineBreaks(text), track.TokenValues);
    for (size_t i = 0; i < TrackTokens.size(); ++i) {
        // The client's own texts are known only per instance, by its driver.
        if (TrackTokens[i].Kind == ClientToken) continue;
        result = ReplaceText(result, TrackTokens[i].Name, track.TokenValues[i],
                             ReplaceAll | IgnoreCase, MaxExpandedText);
    }
    return result;
}
