#include "track/Templates.h"

#include "util/Text.h"

const std::array<TTrackInfo, TokenCount> TrackTokens = {{
    {"%Artist", TagToken},
    {"%Title", TagToken},
    {"%Album", TagToken},
    {"%Track", TagToken},
    {"%Year", TagToken},
    {"%Genre", TagToken},
    {"%Comment", TagToken},
    {"%Copy", PlayerToken},
    {"%File", PlayerToken},
    {"%PlayState", PlayerToken},
    {"%ListPos", PlayerToken},
    {"%Lenght", PlayerToken},
    {"%Bitrate", PlayerToken},
    {"%SysTime", ClockToken},
    {"%Status2", ClientToken},
    {"%Status", ClientToken},
    {"%Samplerate", PlayerToken},
    {"%Channels", PlayerToken},
}};

std::string ExpandTemplate(const std::string& text)
{
    // Breaks first, so a "\n" that a value brings in stays as it came.
    std::string result = ConvertLineBreaks(text);
    for (size_t i = 0; i < TrackTokens.size(); ++i) {
        // The client's own texts are known only per instance, by its driver.
        if (TrackTokens[i].Kind == ClientToken) continue;
        result = ReplaceText(result, TrackTokens[i].Name, CurrentState.TokenValues[i],
                             ReplaceAll | IgnoreCase, MaxExpandedText);
    }
    return result;
}
