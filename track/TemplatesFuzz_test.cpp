// Templates and token values that anyone could have written: tags come from
// media files, templates from a settings file, saved texts from the clients.
#include <gtest/gtest.h>

#include <cctype>
#include <cstring>
#include <string>

#include "clients/ZemDriver.h"
#include "plugin/Plugin.h"
#include "plugin/gen_ZEM.h"
#include "settings/SettingsFile.h"
#include "tests/RandomInput.h"
#include "tests/TokenRow.h"
#include "track/Templates.h"
#include "track/TrackInfo.h"
#include "util/Text.h"

namespace {

TTrackValues Track;

class TemplatesFuzz : public ::testing::Test {
protected:
    void SetUp() override { Track.TokenValues = {}; }
    void TearDown() override { Track.TokenValues = {}; }
};

// Whether text is made of nothing but unit repeated, the last copy
// possibly cut short.
bool RepeatsOf(const std::string& text, const std::string& unit)
{
    for (size_t i = 0; i < text.size(); ++i)
        if (text[i] != unit[i % unit.size()]) return false;
    return true;
}

// Each tag names the next token many times over: expanded without a bound,
// "%Artist" would grow by a factor of about 170 per tag, far beyond any
// memory.
TEST_F(TemplatesFuzz, TagsThatNameLaterTokensCannotBlowUpTheText)
{
    const char* const chain[] = {"%Artist", "%Title", "%Album",   "%Track",
                                 "%Year",   "%Genre", "%Comment", "%Copy"};
    for (size_t i = 0; i + 1 < sizeof chain / sizeof chain[0]; ++i) {
        std::string value;
        while (value.size() + std::strlen(chain[i + 1]) < TagBufferSize) value += chain[i + 1];
        Track.TokenValues[TokenRow(chain[i])] = value;
    }
    Track.TokenValues[TokenRow("%Copy")] = "ab";
    const std::string text = ExpandTemplate("%Artist", Track);
    EXPECT_LE(text.size(), MaxExpandedText);
    // The front of the full expansion; a pass cut at the bound may leave
    // the start of one token at the end.
    const size_t whole = text.rfind("ab") + 2;
    EXPECT_GT(whole, MaxExpandedText / 4);
    EXPECT_TRUE(RepeatsOf(text.substr(0, whole), "ab"));
    EXPECT_LT(text.size() - whole, std::strlen("%Copy"));

    // The clients' own tokens, which survive the expansion, grow no further
    // in the driver's pass with long saved texts.
    TClient slot;
    slot.Saved[0].Caption = std::string(5000, 'c');
    slot.Saved[0].LongText = std::string(5000, 'l');
    const std::string saved = ZemExpandSaved(slot, std::string(9000, '%') + "%Status2%Status");
    std::string many;
    for (int i = 0; i < 5000; ++i) many += "%Status2%status";
    const std::string expanded = ZemExpandSaved(slot, many);
    EXPECT_EQ(expanded.size(), MaxExpandedText);
    EXPECT_EQ(expanded.substr(0, 10000), std::string(5000, 'l') + std::string(5000, 'c'));
    EXPECT_EQ(saved, std::string(9000, '%') + slot.Saved[0].LongText + slot.Saved[0].Caption);
}

// Hostile templates and values: the expansion stays bounded, the caption
// cut keeps its twenty bytes, and a template without tokens or braces only
// has its line-break marks converted.
TEST_F(TemplatesFuzz, HostileTemplatesAndValuesStayBounded)
{
    RandomInput random(7001);
    TClient slot;
    for (int round = 0; round < 3000; ++round) {
        for (size_t i = 0; i < TrackTokens.size(); ++i)
            Track.TokenValues[i] = random.Hostile(TagBufferSize + 200);
        slot.SavedIndex = static_cast<int32_t>(random.Below(2));
        for (TStatus& saved : slot.Saved) {
            saved.Caption = random.Hostile(300);
            saved.LongText = random.Hostile(3000);
        }
        const std::string templ = random.Hostile(round % 10 == 0 ? MaxEntryBytes : 200);
        const std::string text = ExpandTemplate(templ, Track);
        ASSERT_LE(text.size(), MaxExpandedText) << round;
        const std::string own = ZemExpandSaved(slot, text);
        ASSERT_LE(own.size(), MaxExpandedText) << round;
        const std::string caption = CutCaption(own);
        if (own.size() <= MaxZemCaption) {
            ASSERT_EQ(caption, own) << round;
        } else {
            // Windows-1251, the suite's code page: one byte a character, and
            // its own ellipsis.
            ASSERT_EQ(caption, own.substr(0, MaxZemCaption - 1) + "\x85") << round;
        }
        if (templ.find_first_of("%{}") == std::string::npos) {
            ASSERT_EQ(text, ConvertLineBreaks(templ)) << round;
        }
    }
}

// Values of every byte, put into templates of every byte: each token in any
// letter case becomes its value, and nothing else changes but the
// line-break marks. No value holds a "%" and no literal a "%" or a brace,
// so the expected text is known from the pieces alone.
TEST_F(TemplatesFuzz, EveryByteOfValuesAndLiteralsComesThrough)
{
    RandomInput random(7002);
    auto literal = [&random]() {
        std::string text = random.Bytes(random.Below(12));
        for (char& c : text)
            if (c == '%' || c == '\\' || c == '{' || c == '}') c = 'x';
        return text;
    };
    for (int round = 0; round < 3000; ++round) {
        for (size_t i = 0; i < TrackTokens.size(); ++i) {
            std::string value = random.Bytes(random.Length(TagBufferSize, TagBufferSize));
            for (char& c : value)
                if (c == '%') c = '?';
            Track.TokenValues[i] = value;
        }
        std::string templ;
        std::string expected;
        for (size_t piece = random.Below(12); piece > 0; --piece) {
            const std::string text = literal();
            templ += text;
            expected += text;
            if (random.Chance(20)) {
                templ += "\\n";
                expected += "\r\n";
            }
            const size_t row = random.Below(TrackTokens.size());
            std::string name = TrackTokens[row].Name;
            for (char& c : name)
                if (random.Chance(50)) c = static_cast<char>(std::tolower(c));
            templ += name;
            // The clients' tokens are the driver's to replace.
            expected += TrackTokens[row].Kind == ClientToken ? name : Track.TokenValues[row];
        }
        ASSERT_EQ(ExpandTemplate(templ, Track), expected) << round << ": " << templ;
    }
}

}  // namespace
