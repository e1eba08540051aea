#include "track/TrackValues.h"

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
