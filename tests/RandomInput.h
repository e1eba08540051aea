// Random hostile input for the randomised tests. Every test seeds its own
// generator with a fixed number, so a failing case comes back on every run.
#pragma once

#include <cstddef>
#include <cstdint>
#include <random>
#include <string>
#include <vector>

struct RandomInput {
    std::mt19937 Engine;

    explicit RandomInput(uint32_t seed) : Engine(seed) {}

    // 0 to count - 1.
    size_t Below(size_t count) { return count == 0 ? 0 : Engine() % count; }
    bool Chance(unsigned percent) { return Engine() % 100 < percent; }
    int64_t Any() { return static_cast<int64_t>((uint64_t{Engine()} << 32) | Engine()); }

    // A length up to max, mostly short, often right at the edges of a
    // buffer of the given size.
    size_t Length(size_t max, size_t buffer)
    {
        const size_t edges[] = {0, 1, buffer - 2, buffer - 1, buffer, buffer + 1, max};
        size_t length = Chance(30)   ? edges[Below(sizeof edges / sizeof edges[0])]
                        : Chance(60) ? Below(64)
                                     : Below(max + 1);
        return length > max ? max : length;
    }

    // Bytes of every value; zero bytes only when asked for.
    std::string Bytes(size_t length, bool withZero = false)
    {
        std::string text(length, '\0');
        for (char& c : text) c = static_cast<char>(withZero ? Below(256) : 1 + Below(255));
        return text;
    }

    // A text made of the pieces that the plug-in treats specially, mixed with
    // bytes of every value: tokens in any letter case, "%", line-break marks,
    // line ends and the custom-status marker.
    std::string Hostile(size_t maxLength, bool withZero = false)
    {
        // clang-format off
        static const std::vector<std::string> pieces = {
            "%", "%%", "\\n", "\\\\n", "\\", "n", "\r\n", "\r", "\n", "||", "%Artist", "%TITLE",
            "%album", "%Track", "%Year", "%Genre", "%Comment", "%Copy", "%File", "%PlayState",
            "%ListPos", "%Lenght", "%Bitrate", "%SysTime", "%Status", "%status2", "%Samplerate",
            "%Channels", "Музыка", "ЯЁЪ", "#custom_status_descr#", " ", "\""};
        // clang-format on
        std::string text;
        const size_t length = Length(maxLength, 64);
        while (text.size() < length) {
            if (Chance(50))
                text += pieces[Below(pieces.size())];
            else
                text += Bytes(1 + Below(8), withZero);
        }
        return text.substr(0, length);
    }
};
