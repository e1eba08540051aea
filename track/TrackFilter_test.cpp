#include "track/TrackFilter.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/RandomInput.h"

namespace {

// The plain definition, one place of the name and the pattern at a time:
// slow, and plainly right.
bool PlainMatch(const std::string& name, const std::string& pattern)
{
    // reach[j]: the first i characters of the name match the first j of
    // the pattern.
    std::vector<bool> reach(pattern.size() + 1, false);
    reach[0] = true;
    for (size_t j = 0; j < pattern.size() && pattern[j] == '*'; ++j) reach[j + 1] = true;
    for (const char c : name) {
        std::vector<bool> next(pattern.size() + 1, false);
        for (size_t j = 0; j < pattern.size(); ++j) {
            if (pattern[j] == '*')
                next[j + 1] = next[j] || reach[j + 1];
            else if (pattern[j] == '?' || pattern[j] == c)
                next[j + 1] = reach[j];
        }
        reach = next;
    }
    return reach.back();
}

TEST(TrackFilter, PatternsMatchTheWholeFileNameIgnoringCase)
{
    const std::string list = "*.m4b||*\\Audiobooks\\*||http://radio.example/*";
    EXPECT_TRUE(IsLeftAlone("C:\\Books\\Tolstoy.M4B", list));
    EXPECT_TRUE(IsLeftAlone("D:\\audiobooks\\War and Peace\\01.mp3", list));
    EXPECT_TRUE(IsLeftAlone("http://radio.example/stream", list));
    // The whole name: a pattern without a star is no part of it.
    EXPECT_FALSE(IsLeftAlone("C:\\Music\\a.m4b.mp3", list));
    EXPECT_FALSE(IsLeftAlone("http://other.example/radio.example/", list));
    EXPECT_TRUE(IsLeftAlone("C:\\Запись 1.wav", "||*\\ЗАПИСЬ ?.WAV||"));
    EXPECT_FALSE(IsLeftAlone("C:\\Запись 10.wav", "*\\запись ?.wav"));
    // Empty items, an empty list and an empty name leave everything announced.
    EXPECT_FALSE(IsLeftAlone("C:\\Music\\a.mp3", "||||"));
    EXPECT_FALSE(IsLeftAlone("C:\\Music\\a.mp3", ""));
    EXPECT_FALSE(IsLeftAlone("", "*"));
    EXPECT_TRUE(IsLeftAlone("C:\\Music\\a.mp3", "x||*"));
    // A star in the pattern is a wildcard also where the name holds one.
    EXPECT_TRUE(IsLeftAlone("X*abc", "X*"));
    // "?" is one character of the code page: in Shift-JIS (932) one of two
    // bytes, 0x82 0xA0.
    EXPECT_TRUE(IsLeftAlone("C:\\\x82\xA0.mp3", "c:\\?.MP3", 932));
    EXPECT_FALSE(IsLeftAlone("C:\\\x82\xA0.mp3", "c:\\??.MP3", 932));
    // Many stars over a long name that does not match end quickly.
    const std::string stars(200, '*');
    EXPECT_FALSE(IsLeftAlone(std::string(5000, 'a'), stars + "b"));
}

// Costly patterns that never match, before or after the one that does, and
// as many as a list can hold: each is decided on its own.
TEST(TrackFilter, TheAnswerDependsNeitherOnTheOrderNorOnTheNumberOfPatterns)
{
    const std::string file = "C:\\" + std::string(207, 'a') + ".mp3";
    std::string costly;
    for (int i = 0; i < 150; ++i) costly += "||*" + std::string(60, '?') + "#*";
    for (const std::string& named : {file, std::string("*.MP3")}) {
        EXPECT_TRUE(IsLeftAlone(file, costly + "||" + named + "||")) << named;
        EXPECT_TRUE(IsLeftAlone(file, "||" + named + costly + "||")) << named;
    }
    EXPECT_FALSE(IsLeftAlone(file, costly + "||"));
    // Long pieces, with and without "?", over the longest name the player
    // reports.
    const std::string longest = "C:\\" + std::string(65000, 'a') + ".mp3";
    const std::string pieces = "*" + std::string(4000, 'a') + "b*||*?" + std::string(4000, 'a') +
                               "b*||*" + std::string(3000, '?') + "b*";
    EXPECT_FALSE(IsLeftAlone(longest, pieces));
    EXPECT_TRUE(IsLeftAlone(longest, pieces + "||*.mp3"));
}

TEST(TrackFilter, AgreesWithThePlainDefinition)
{
    RandomInput random(29);
    const char letters[] = "ab?*";
    for (int round = 0; round < 20000; ++round) {
        std::string name, pattern;
        for (size_t n = random.Below(12); n > 0; --n) name += "ab"[random.Below(2)];
        for (size_t n = 1 + random.Below(8); n > 0; --n) pattern += letters[random.Below(4)];
        ASSERT_EQ(IsLeftAlone(name, pattern), !name.empty() && PlainMatch(name, pattern))
            << name << " " << pattern;
    }
    // Pieces longer than a word of places.
    for (int round = 0; round < 300; ++round) {
        std::string name, pattern = "*";
        for (size_t n = 60 + random.Below(150); n > 0; --n) name += "ab"[random.Below(2)];
        const size_t at = random.Below(name.size() - 40);
        std::string piece = name.substr(at, 40 + random.Below(name.size() - at - 39));
        for (char& c : piece)
            if (random.Chance(20)) c = random.Chance(50) ? '?' : 'b';
        pattern += piece + "*";
        ASSERT_EQ(IsLeftAlone(name, pattern), PlainMatch(name, pattern)) << name << " " << pattern;
    }
}

}  // namespace
