#include "track/Templates.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "plugin/gen_ZEM.h"
#include "tests/TokenRow.h"

namespace {

void SetToken(const char* name, const std::string& value)
{
    CurrentState.TokenValues[TokenRow(name)] = value;
}

class Templates : public ::testing::Test {
protected:
    void SetUp() override { CurrentState.TokenValues = {}; }
    void TearDown() override { CurrentState.TokenValues = {}; }
};

TEST_F(Templates, TokensInAnyCase)
{
    SetToken("%Artist", "Band");
    SetToken("%Title", "Song");
    EXPECT_EQ(ExpandTemplate("%artist - %TITLE"), "Band - Song");
    EXPECT_EQ(ExpandTemplate("%Artist%Title%aRtIsT"), "BandSongBand");
    SetToken("%Artist", "Группа");
    EXPECT_EQ(ExpandTemplate("Исполнитель: %ARTIST"), "Исполнитель: Группа");
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
                             "%ListPos|%Bitrate|%SysTime|%Samplerate|%Channels"),
              "LP|7|1999|Rock|c|Band - Song|f|[PLAY]|42|192|09:05|44100|2");
}

TEST_F(Templates, LaterTokensAreFoundInEarlierValues)
{
    SetToken("%Title", "Best of %Year");
    SetToken("%Year", "1999");
    EXPECT_EQ(ExpandTemplate("%Title"), "Best of 1999");
    SetToken("%Title", "Live %Artist");
    SetToken("%Artist", "Band");
    EXPECT_EQ(ExpandTemplate("%Title"), "Live %Artist");
    // A value naming its own token is put in once, not chased.
    SetToken("%Artist", "%Artist");
    EXPECT_EQ(ExpandTemplate("%Artist!"), "%Artist!");
}

TEST_F(Templates, ClientTokensStayAsTyped)
{
    SetToken("%Status", "Busy");
    SetToken("%Status2", "at home");
    SetToken("%ListPos", "3");
    EXPECT_EQ(ExpandTemplate("%Status. winamp:"), "%Status. winamp:");
    EXPECT_EQ(ExpandTemplate("%status2 / %STATUS %ListPos"), "%status2 / %STATUS 3");
    // The driver replaces them in table order: the longer one must come first.
    EXPECT_LT(TokenRow("%Status2"), TokenRow("%Status"));
    EXPECT_EQ(TrackTokens[TokenRow("%Status2")].Kind, ClientToken);
    EXPECT_EQ(TrackTokens[TokenRow("%Status")].Kind, ClientToken);
}

TEST_F(Templates, TextThatIsNoTokenStays)
{
    SetToken("%Lenght", "04:05");
    EXPECT_EQ(ExpandTemplate("%Length"), "%Length");
    EXPECT_EQ(ExpandTemplate("%LENGHT"), "04:05");
    EXPECT_EQ(ExpandTemplate("[%Lenght] 100% %"), "[04:05] 100% %");
    EXPECT_EQ(ExpandTemplate(""), "");
}

TEST_F(Templates, EmptyValueRemovesItsToken)
{
    SetToken("%Artist", "");
    SetToken("%Title", "Song");
    EXPECT_EQ(ExpandTemplate("%Artist - %Title"), " - Song");
}

TEST_F(Templates, LineBreaksInTheTemplateOnly)
{
    SetToken("%File", "f");
    SetToken("%Artist", "A");
    SetToken("%Title", "T");
    EXPECT_EQ(ExpandTemplate("Файл: %File\\nИсполнитель: %Artist\\nНазвание: %Title"),
              "Файл: f\r\nИсполнитель: A\r\nНазвание: T");
    // An escaped first pair keeps every pair as typed.
    EXPECT_EQ(ExpandTemplate("\\\\n%Artist\\n%Title"), "\\\\nA\\nT");
    // A value's own backslash-n pair is not a line break.
    SetToken("%Artist", "A\\nB");
    EXPECT_EQ(ExpandTemplate("%Artist"), "A\\nB");
    EXPECT_EQ(ExpandTemplate("%Artist\\n%Title"), "A\\nB\r\nT");
}

TEST_F(Templates, OptionalPartsGoWhenEveryTokenInThemIsEmpty)
{
    SetToken("%Title", "Song");
    EXPECT_EQ(ExpandTemplate("{%Artist - }%Title"), "Song");
    EXPECT_EQ(ExpandTemplate("{%ARTIST - }{%title}"), "Song");
    SetToken("%Artist", "Band");
    EXPECT_EQ(ExpandTemplate("{%Artist - }%Title"), "Band - Song");
    // One filled token keeps the whole part, the empty one included.
    EXPECT_EQ(ExpandTemplate("{%Album/%Artist: }%Title"), "/Band: Song");

    // A stream's unknown length counts as empty.
    SetToken("%Lenght", "N/A");
    EXPECT_EQ(ExpandTemplate("%Title{ [%Lenght]}"), "Song");
    SetToken("%Lenght", "04:05");
    EXPECT_EQ(ExpandTemplate("%Title{ [%Lenght]}"), "Song [04:05]");

    SetToken("%Artist", "");
    SetToken("%Title", "");
    EXPECT_EQ(ExpandTemplate("{%Artist - }%Title"), "");
    EXPECT_EQ(ExpandTemplate("{%Artist - }{%Title}"), "");
    EXPECT_EQ(ExpandTemplate("{%Artist\\n}{%Title}x"), "x");
    // Text without a token stays, and so do the client's own tokens,
    // which are filled in later.
    EXPECT_EQ(ExpandTemplate("{Now: }{%Title}"), "Now: ");
    EXPECT_EQ(ExpandTemplate("{%Status2 }{%Status. }{%Artist}"), "%Status2 %Status. ");
}

TEST_F(Templates, BracesThatMakeNoPartAreText)
{
    SetToken("%Title", "Song");
    EXPECT_EQ(ExpandTemplate("{{%Title}}"), "{Song}");
    EXPECT_EQ(ExpandTemplate("{%Title {{x}}}"), "Song {x}");
    // Parts do not nest: the inner "{" is text and the first "}" closes.
    EXPECT_EQ(ExpandTemplate("{%Title {x}y}"), "Song {xy}");
    EXPECT_EQ(ExpandTemplate("{%Artist {x}y}"), "y}");
    // Unmatched braces stay as they are.
    EXPECT_EQ(ExpandTemplate("} %Title {"), "} Song {");
    EXPECT_EQ(ExpandTemplate("{%Artist - %Title"), "{ - Song");
    // A value's braces are only text.
    SetToken("%Title", "{%Year}");
    EXPECT_EQ(ExpandTemplate("%Title"), "{}");

    // Parts are settled before the text is cut at the bound.
    SetToken("%Title", "Song");
    std::string many;
    while (many.size() <= MaxExpandedText) many += "{%Artist - }";
    EXPECT_EQ(ExpandTemplate(many + "%Title"), "Song");
    SetToken("%Artist", "Long Band Name");
    std::string expected;
    while (expected.size() < MaxExpandedText) expected += "Long Band Name - ";
    EXPECT_TRUE(ExpandTemplate(many + "%Title") == expected.substr(0, MaxExpandedText));
    // A dropped part just before the bound leaves room for what follows.
    SetToken("%Artist", "");
    SetToken("%Title", std::string(20, 't'));
    const std::string edge(MaxExpandedText - 16, 'x');
    const std::string cut = ExpandTemplate(edge + "{%Artist - }%Title");
    EXPECT_EQ(cut.size(), MaxExpandedText);
    EXPECT_EQ(cut.substr(edge.size()), std::string(16, 't'));
}

}  // namespace
