#include "track/TrackFilter.h"

#include <gtest/gtest.h>

#include <string>

namespace {

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

}  // namespace
