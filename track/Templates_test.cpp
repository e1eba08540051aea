#include "track/Templates.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "plugin/gen_ZEM.h"
#include "tests/TokenRow.h"

namespace {

TTrackValues Track;

void SetToken(const char* name, const std::string& value)
{
    Track.TokenValues[TokenRow(name)] = value;
}

class Templates : public ::testing::Test {
protected:
    void SetUp() override { Track.TokenValues = {}; }
    void TearDown() override { Track.TokenValues = {}; }
};

TEST_F(Templates, TokensInAnyCase)
{
    SetToken("%Artist", "Band");
    SetToken("%Title", "Song");
    EXPECT_EQ(ExpandTemplate("%artist - %TITLE", Track), "Band - Song");
    EXPECT_EQ(ExpandTemplate("%Artist%Title%aRtIsT", Track), "BandSongBand");
    SetToken("%Artist", "Группа");
    EXPECT_EQ(ExpandTemplate("Исполнитель: %ARTIST", Track), "Исполнитель: Группа");
}

TEST_F(Templates, EveryPlayerTokenIsReplaced)
{
    SetToken("%Album", "LP");
    SetToken("%Track", "7");
    SetToken("%Year", "1999");
    SetToken("%Genre", "Rock");
    SetToken("%Comment", "c");
    SetToken("%Copy", "Band - Song");
    SetToken("%File", "f");
    SetToken("%PlayState", "[PLAY]");
    SetToken("%ListPos", "42");
    SetToken("%Bitrate", "192");
    SetToken("%SysTime", "09:05");
    SetToken("%Samplerate", "44100");
    SetToken("%Channels", "2");
    EXPECT_EQ(ExpandTemplate("%Album|%Track|%Year|%Genre|%Comment|%Copy|%File|%PlayState|"
                             "%ListPos|%Bitrate|%SysTime|%Samplerate|%Channels",
                             Track),
              "LP|7|1999|Rock|c|Band - Song|f|[PLAY]|42|192|09:05|44100|2");
}

TEST_F(Templates, LaterTokensAreFoundInEarlierValues)
{
    SetToken("%Title", "Best of %Year");
    SetToken("%Year", "1999");
    EXPECT_EQ(ExpandTemplate("%Title", Track), "Best of 1999");
    SetToken("%Title", "Live %Artist");
    SetToken("%Artist", "Band");
    EXPECT_EQ(ExpandTemplate("%Title", Track), "Live %Artist");
    // A value naming its own token is put in once, not chased.
    SetToken("%Artist", "%Artist");
    EXPECT_EQ(ExpandTemplate("%Artist!", Track), "%Artist!");
}

TEST_F(Templates, ClientTokensStayAsTyped)
{
    SetToken("%Status", "Busy");
    SetToken("%Status2", "at home");
    SetToken("%ListPos", "3");
    EXPECT_EQ(ExpandTemplate("%Status. winamp:", Track), "%Status. winamp:");
    EXPECT_EQ(ExpandTemplate("%status2 / %STATUS %ListPos", Track), "%status2 / %STATUS 3");
    // The driver replaces them in table order: the longer one must come first.
    EXPECT_LT(TokenRow("%Status2"), TokenRow("%Status"));
    EXPECT_EQ(TrackTokens[TokenRow("%Status2")].Kind, ClientToken);
    EXPECT_EQ(TrackTokens[TokenRow("%Status")].Kind, ClientToken);
}

TEST_F(Templates, TextThatIsNoTokenStays)
{
    SetToken("%Lenght", "04:05");
    EXPECT_EQ(ExpandTemplate("%Length", Track), "%Length");
    EXPECT_EQ(ExpandTemplate("%LENGHT", Track), "04:05");
    EXPECT_EQ(ExpandTemplate("[%Lenght] 100% %", Track), "[04:05] 100% %");
    EXPECT_EQ(ExpandTemplate("", Track), "");
}

TEST_F(Templates, EmptyValueRemovesItsToken)
{
    SetToken("%Artist", "");
    SetToken("%Title", "Song");
    EXPECT_EQ(ExpandTemplate("%Artist - %Title", Track), " - Song");
}

TEST_F(Templates, LineBreaksInTheTemplateOnly)
{
    SetToken("%File", "f");
    SetToken("%Artist", "A");
    SetToken("%Title", "T");
    EXPECT_EQ(ExpandTemplate("Файл: %File\\nИсполнитель: %Artist\\nНазвание: %Title", Track),
              "Файл: f\r\nИсполнитель: A\r\nНазвание: T");
    // An escaped first pair keeps every pair as typed.
    EXPECT_EQ(ExpandTemplate("\\\\n%Artist\\n%Title", Track), "\\\\nA\\nT");
    // A value's own backslash-n pair is not a line break.
    SetToken("%Artist", "A\\nB");
    EXPECT_EQ(ExpandTemplate("%Artist", Track), "A\\nB");
    EXPECT_EQ(ExpandTemplate("%Artist\\n%Title", Track), "A\\nB\r\nT");
}

TEST_F(Templates, OptionalPartsGoWhenEveryTokenInThemIsEmpty)
{
    SetToken("%Title", "Song");
    EXPECT_EQ(ExpandTemplate("{%Artist - }%Title", Track), "Song");
    EXPECT_EQ(ExpandTemplate("{%ARTIST - }{%title}", Track), "Song");
    SetToken("%Artist", "Band");
    EXPECT_EQ(ExpandTemplate("{%Artist - }%Title", Track), "Band - Song");
    // One filled token keeps the whole part, the empty one included.
    EXPECT_EQ(ExpandTemplate("{%Album/%Artist: }%Title", Track), "/Band: Song");

    // A stream's unknown length counts as empty.
    SetToken("%Lenght", "N/A");
    EXPECT_EQ(ExpandTemplate("%Title{ [%Lenght]}", Track), "Song");
    SetToken("%Lenght", "04:05");
    EXPECT_EQ(ExpandTemplate("%Title{ [%Lenght]}", Track), "Song [04:05]");

    SetToken("%Artist", "");
    SetToken("%Title", "");
    EXPECT_EQ(ExpandTemplate("{%Artist - }%Title", Track), "");
    EXPECT_EQ(ExpandTemplate("{%Artist - }{%Title}", Track), "");
    EXPECT_EQ(ExpandTemplate("{%Artist\\n}{%Title}x", Track), "x");
    // Text without a token stays, and so do the client's own tokens,
    // which are filled in later.
    EXPECT_EQ(ExpandTemplate("{Now: }{%Title}", Track), "Now: ");
    EXPECT_EQ(ExpandTemplate("{%Status2 }{%Status. }{%Artist}", Track), "%Status2 %Status. ");
}

TEST_F(Templates, BracesThatMakeNoPartAreText)
{
    SetToken("%Title", "Song");
    EXPECT_EQ(ExpandTemplate("{{%Title}}", Track), "{Song}");
    EXPECT_EQ(ExpandTemplate("{%Title {{x}}}", Track), "Song {x}");
    // Parts do not nest: the inner "{" is text and the first "}" closes.
    EXPECT_EQ(ExpandTemplate("{%Title {x}y}", Track), "Song {xy}");
    EXPECT_EQ(ExpandTemplate("{%Artist {x}y}", Track), "y}");
    // Unmatched braces stay as they are.
    EXPECT_EQ(ExpandTemplate("} %Title {", Track), "} Song {");
    EXPECT_EQ(ExpandTemplate("{%Artist - %Title", Track), "{ - Song");
    // A value's braces are only text.
    SetToken("%Title", "{%Year}");
    EXPECT_EQ(ExpandTemplate("%Title", Track), "{}");

    // Parts are settled before the text is cut at the bound.
    SetToken("%Title", "Song");
    std::string many;
    while (many.size() <= MaxExpandedText) many += "{%Artist - }";
    EXPECT_EQ(ExpandTemplate(many + "%Title", Track), "Song");
    SetToken("%Artist", "Long Band Name");
    std::string expected;
    while (expected.size() < MaxExpandedText) expected += "Long Band Name - ";
    EXPECT_TRUE(ExpandTemplate(many + "%Title", Track) == expected.substr(0, MaxExpandedText));
    // A dropped part just before the bound leaves room for what follows.
    SetToken("%Artist", "");
    SetToken("%Title", std::string(20, 't'));
    const std::string edge(MaxExpandedText - 16, 'x');
    const std::string cut = ExpandTemplate(edge + "{%Artist - }%Title", Track);
    EXPECT_EQ(cut.size(), MaxExpandedText);
    EXPECT_EQ(cut.substr(edge.size()), std::string(16, 't'));
}

}  // namespace
