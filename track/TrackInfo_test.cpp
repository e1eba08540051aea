#include "track/TrackInfo.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "player/wa_ipc.h"
#include "plugin/Plugin.h"
#include "plugin/gen_ZEM.h"
#include "tests/RandomInput.h"
#include "tests/TokenRow.h"
#include "track/Templates.h"
#include "util/Files.h"
#include "util/TimeText.h"

namespace {

const TPlayStateTexts PlayStates = {"[PLAY]", "[PAUSE]", "[STOP]"};
TTrackValues Track;

// What the stand-in player answers, set by each test.
struct TPlayerScript {
    LRESULT PlayState = 1;
    LRESULT ListPos = 0;
    std::optional<std::string> File;          // nullopt answers a null pointer
    std::optional<std::string> Title;         // likewise
    std::map<std::string, std::string> Tags;  // a tag not here answers 0
    int Length = 0;
    LRESULT Bitrate = 0;
    LRESULT Samplerate = 0;    // in kHz, the player's answer to wParam 0
    LRESULT SamplerateHz = 0;  // the answer to wParam 5
    LRESULT Channels = 0;
    // Writes the tag cut to retlen bytes with no zero byte; a tag of retlen
    // bytes or more fills the whole buffer.
    bool WithoutZero = false;
    // Answers of the tags in Tags other than 1: written all the same.
    std::map<std::string, LRESULT> TagAnswers;
    // Answers given as they are, by request code, ahead of all the above.
    std::map<LPARAM, LRESULT> Raw;
};

// What the stand-in saw.
struct TPlayerLog {
    std::vector<WPARAM> FilePositions;
    std::vector<WPARAM> TitlePositions;
    std::vector<std::string> TagKeys;
    std::vector<std::string> TagFiles;
    std::vector<size_t> TagBufferSizes;
    bool TagBuffersZeroed = true;
    int BasicRequests = 0;
    std::string BasicFile;
    bool BasicRecordClean = true;  // quickCheck 0, no title asked
};

TPlayerScript Script;
TPlayerLog Log;

LRESULT TextAnswer(const std::optional<std::string>& text)
{
    return text ? reinterpret_cast<LRESULT>(text->c_str()) : 0;
}

LRESULT AnswerTag(extendedFileInfoStruct& request)
{
    Log.TagKeys.push_back(request.metadata);
    Log.TagFiles.push_back(request.filename);
    Log.TagBufferSizes.push_back(request.retlen);
    for (size_t i = 0; i < request.retlen; ++i)
        if (request.ret[i] != '\0') Log.TagBuffersZeroed = false;
    const auto tag = Script.Tags.find(request.metadata);
    if (tag == Script.Tags.end()) return 0;
    const std::string& text = tag->second;
    if (Script.WithoutZero) {
        std::memcpy(request.ret, text.data(), std::min(text.size(), request.retlen));
    } else {
        const size_t count = std::min(text.size(), request.retlen - 1);
        std::memcpy(request.ret, text.data(), count);
        request.ret[count] = '\0';
    }
    const auto answer = Script.TagAnswers.find(request.metadata);
    return answer == Script.TagAnswers.end() ? 1 : answer->second;
}

LRESULT AnswerBasic(basicFileInfoStruct& request)
{
    ++Log.BasicRequests;
    Log.BasicFile = request.filename;
    if (request.quickCheck != 0 || request.title || request.titlelen != 0)
        Log.BasicRecordClean = false;
    request.length = Script.Length;
    return 0;
}

LRESULT Answer(WPARAM wParam, LPARAM code)
{
    const auto raw = Script.Raw.find(code);
    if (raw != Script.Raw.end()) return raw->second;
    switch (code) {
        case IPC_ISPLAYING:
            return Script.PlayState;
        case IPC_GETLISTPOS:
            return Script.ListPos;
        case IPC_GETINFO:
            return wParam == 0   ? Script.Samplerate
                   : wParam == 1 ? Script.Bitrate
                   : wParam == 2 ? Script.Channels
                   : wParam == 5 ? Script.SamplerateHz
                                 : 0;
        case IPC_GETPLAYLISTFILE:
            Log.FilePositions.push_back(wParam);
            return TextAnswer(Script.File);
        case IPC_GETPLAYLISTTITLE:
            Log.TitlePositions.push_back(wParam);
            return TextAnswer(Script.Title);
        case IPC_GET_EXTENDED_FILE_INFO:
            return AnswerTag(*reinterpret_cast<extendedFileInfoStruct*>(wParam));
        case IPC_GET_BASIC_FILE_INFO:
            return AnswerBasic(*reinterpret_cast<basicFileInfoStruct*>(wParam));
        default:
            return 0;
    }
}

LRESULT CALLBACK PlayerProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    try {
        if (message == WM_USER) return Answer(wParam, lParam);
    } catch (...) {
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

constexpr const char* PlayerClass = "ZemTestPlayerWindow";

const std::string& Value(const char* name)
{
    return Track.TokenValues[TokenRow(name)];
}

class TrackInfo : public ::testing::Test {
protected:
    HWND Player = nullptr;

    void SetUp() override
    {
        Script = TPlayerScript{};
        Log = TPlayerLog{};
        ModuleInit();
        Track = TTrackValues{};
        WNDCLASSEXA info{};
        info.cbSize = sizeof(info);
        info.lpfnWndProc = PlayerProc;
        info.hInstance = GetModuleHandleA(nullptr);
        info.lpszClassName = PlayerClass;
        RegisterClassExA(&info);
        // A message-only window: other tests that walk the top-level windows
        // never meet it.
        Player = CreateWindowExA(0, PlayerClass, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                 GetModuleHandleA(nullptr), nullptr);
        ASSERT_NE(Player, nullptr);
        PluginRecord.hwndParent = Player;
    }

    void TearDown() override
    {
        PluginRecord.hwndParent = nullptr;
        if (Player) DestroyWindow(Player);
        UnregisterClassA(PlayerClass, GetModuleHandleA(nullptr));
    }
};

TEST_F(TrackInfo, PlayStateDecidesTheResult)
{
    Script.PlayState = 1;
    EXPECT_TRUE(GatherTrackInfo(PlayStates, Track));
    EXPECT_EQ(Value("%PlayState"), "[PLAY]");
    Script.PlayState = 3;
    EXPECT_TRUE(GatherTrackInfo(PlayStates, Track));
    EXPECT_EQ(Value("%PlayState"), "[PAUSE]");
    for (LRESULT stopped : {0, 2, 4, -1}) {
        Script.PlayState = stopped;
        EXPECT_FALSE(GatherTrackInfo(PlayStates, Track)) << stopped;
        EXPECT_EQ(Value("%PlayState"), "[STOP]") << stopped;
    }
}

TEST_F(TrackInfo, StoppedPlayerStillFillsTheEntry)
{
    Script.PlayState = 0;
    Script.ListPos = 4;
    Script.File = "C:\\Music\\Band - Song.mp3";
    Script.Title = "Band - Song";
    Script.Tags = {{"ARTIST", "Band"}};
    Script.Length = 245;
    EXPECT_FALSE(GatherTrackInfo(PlayStates, Track));
    EXPECT_EQ(Value("%ListPos"), "5");
    EXPECT_EQ(Value("%File"), "Band - Song");
    EXPECT_EQ(Value("%Copy"), "Band - Song");
    EXPECT_EQ(Value("%Artist"), "Band");
    EXPECT_EQ(Value("%Lenght"), "04:05");
}

TEST_F(TrackInfo, ListPositionIsOneBasedAndAsksTheEntryAtIt)
{
    Script.ListPos = 0;
    GatherTrackInfo(PlayStates, Track);
    EXPECT_EQ(Value("%ListPos"), "1");
    Log = TPlayerLog{};
    Script.ListPos = 41;
    GatherTrackInfo(PlayStates, Track);
    EXPECT_EQ(Value("%ListPos"), "42");
    EXPECT_EQ(Log.FilePositions, std::vector<WPARAM>{41});
    EXPECT_EQ(Log.TitlePositions, std::vector<WPARAM>{41});
}

TEST_F(TrackInfo, LengthTexts)
{
    const std::string sep(1, TimeSeparator);
    const std::vector<std::pair<int, std::string>> cases = {
        {245, "04" + sep + "05"},
        {0, "00" + sep + "00"},
        {59, "00" + sep + "59"},
        {60, "01" + sep + "00"},
        {3599, "59" + sep + "59"},
        {3600, "01" + sep + "00" + sep + "00"},
        {3725, "01" + sep + "02" + sep + "05"},
        {-1, "N/A"},
        {-300, "N/A"},
        {65536, "00" + sep + "00"},
        {65536 + 61, "01" + sep + "01"},
    };
    for (const auto& [length, text] : cases) {
        Script.Length = length;
        GatherTrackInfo(PlayStates, Track);
        EXPECT_EQ(Value("%Lenght"), text) << length;
    }
}

TEST_F(TrackInfo, FileTitleFromThePlaylistEntry)
{
    const std::vector<std::pair<std::optional<std::string>, std::string>> cases = {
        {"C:\\Music\\Band - Song.mp3", "Band - Song"},
        {"C:\\Music\\song.live.mp3", "song.live"},
        {"C:\\Music\\README", "README"},
        {"D:/music/a.mp3", "D:/music/a"},
        {std::nullopt, ""},
    };
    for (const auto& [file, title] : cases) {
        Script.File = file;
        GatherTrackInfo(PlayStates, Track);
        EXPECT_EQ(Value("%File"), title) << file.value_or("(null)");
    }
}

TEST_F(TrackInfo, RequestRecordsCarryTheFileAndTheTagNames)
{
    Script.File = "C:\\Music\\a.mp3";
    GatherTrackInfo(PlayStates, Track);
    EXPECT_EQ(Log.BasicRequests, 1);
    EXPECT_EQ(Log.BasicFile, "C:\\Music\\a.mp3");
    EXPECT_TRUE(Log.BasicRecordClean);
    EXPECT_EQ(Log.TagKeys, (std::vector<std::string>{"ARTIST", "TITLE", "ALBUM", "TRACK", "YEAR",
                                                     "GENRE", "COMMENT"}));
    EXPECT_EQ(Log.TagFiles, std::vector<std::string>(7, "C:\\Music\\a.mp3"));
    EXPECT_EQ(Log.TagBufferSizes, std::vector<size_t>(7, TagBufferSize));
}

TEST_F(TrackInfo, TagsAndPlayerValues)
{
    Script.Title = "01. Band - Song";
    Script.Tags = {{"ARTIST", "Группа"}, {"TITLE", "Song"}, {"ALBUM", "Album"}, {"TRACK", "7"},
                   {"YEAR", "1999"},     {"GENRE", "Rock"}, {"COMMENT", "c"}};
    Script.Bitrate = 192;
    Script.Samplerate = 44;
    Script.SamplerateHz = 44100;
    Script.Channels = 2;
    GatherTrackInfo(PlayStates, Track);
    EXPECT_EQ(Value("%Artist"), "Группа");
    EXPECT_EQ(Value("%Title"), "Song");
    EXPECT_EQ(Value("%Album"), "Album");
    EXPECT_EQ(Value("%Track"), "7");
    EXPECT_EQ(Value("%Year"), "1999");
    EXPECT_EQ(Value("%Genre"), "Rock");
    EXPECT_EQ(Value("%Comment"), "c");
    EXPECT_EQ(Value("%Copy"), "01. Band - Song");
    EXPECT_EQ(Value("%Bitrate"), "192");
    EXPECT_EQ(Value("%Samplerate"), "44");  // kHz, as the player reports it
    EXPECT_EQ(Value("%Channels"), "2");

    // Nothing is kept from the call before.
    Script.Title.reset();
    Script.Tags = {{"TITLE", "Other"}};
    Script.Bitrate = -1;
    GatherTrackInfo(PlayStates, Track);
    EXPECT_EQ(Value("%Copy"), "");
    EXPECT_EQ(Value("%Artist"), "");
    EXPECT_EQ(Value("%Title"), "Other");
    EXPECT_EQ(Value("%Bitrate"), "-1");
}

TEST_F(TrackInfo, NoTagsLeavesTheOtherTokensAlone)
{
    Script.ListPos = 2;
    Script.File = "C:\\Music\\x.mp3";
    Script.Title = "x";
    Script.Length = 61;
    Script.Bitrate = 128;
    GatherTrackInfo(PlayStates, Track);
    for (const char* tag : {"%Artist", "%Title", "%Album", "%Track", "%Year", "%Genre", "%Comment"})
        EXPECT_EQ(Value(tag), "") << tag;
    EXPECT_EQ(Log.TagKeys.size(), 7u);
    EXPECT_EQ(Value("%ListPos"), "3");
    EXPECT_EQ(Value("%File"), "x");
    EXPECT_EQ(Value("%Copy"), "x");
    EXPECT_EQ(Value("%Lenght"), "01" + std::string(1, TimeSeparator) + "01");
    EXPECT_EQ(Value("%Bitrate"), "128");
    EXPECT_EQ(Value("%PlayState"), "[PLAY]");
}

TEST_F(TrackInfo, ClientTokensAreNeverWritten)
{
    Script.Tags = {{"ARTIST", "A"}};
    for (int i = 0; i < 3; ++i) GatherTrackInfo(PlayStates, Track);
    EXPECT_EQ(Value("%Status2"), "");
    EXPECT_EQ(Value("%Status"), "");
    Track.TokenValues[TokenRow("%Status2")] = "at home";
    Track.TokenValues[TokenRow("%Status")] = "Busy";
    GatherTrackInfo(PlayStates, Track);
    EXPECT_EQ(Value("%Status2"), "at home");
    EXPECT_EQ(Value("%Status"), "Busy");
}

TEST_F(TrackInfo, TagTextIsBoundedByTheBuffer)
{
    // A well-behaved player cuts at retlen - 1 and terminates.
    Script.Tags = {{"ARTIST", std::string(2000, 'a')}};
    GatherTrackInfo(PlayStates, Track);
    EXPECT_EQ(Value("%Artist"), std::string(TagBufferSize - 1, 'a'));

    // One that fills the whole buffer without a zero byte: the copy ends at
    // the buffer's end.
    Script.WithoutZero = true;
    GatherTrackInfo(PlayStates, Track);
    EXPECT_EQ(Value("%Artist"), std::string(TagBufferSize, 'a'));

    // Every tag gets a clean buffer, so a short unterminated tag after a long
    // one does not carry the long one's tail.
    Log = TPlayerLog{};
    Script.Tags = {{"ARTIST", std::string(1500, 'a')}, {"TITLE", "Song"}, {"ALBUM", "LP"}};
    GatherTrackInfo(PlayStates, Track);
    EXPECT_TRUE(Log.TagBuffersZeroed);
    EXPECT_EQ(Value("%Artist"), std::string(TagBufferSize, 'a'));
    EXPECT_EQ(Value("%Title"), "Song");
    EXPECT_EQ(Value("%Album"), "LP");
}

std::string ClockText(const SYSTEMTIME& time)
{
    char text[8];
    std::snprintf(text, sizeof text, "%02u%c%02u", static_cast<unsigned>(time.wHour), TimeSeparator,
                  static_cast<unsigned>(time.wMinute));
    return text;
}

TEST_F(TrackInfo, SysTimeIsHoursAndMinutes)
{
    const SYSTEMTIME before = ReadLocalTime();
    GatherTrackInfo(PlayStates, Track);
    const SYSTEMTIME after = ReadLocalTime();
    const std::string& text = Value("%SysTime");
    ASSERT_EQ(text.size(), 5u);
    EXPECT_EQ(text[2], TimeSeparator);
    for (size_t i : {0u, 1u, 3u, 4u}) EXPECT_TRUE(text[i] >= '0' && text[i] <= '9') << text;
    EXPECT_TRUE(text == ClockText(before) || text == ClockText(after))
        << text << " not " << ClockText(before) << " or " << ClockText(after);
}

// A text that ends right before memory that cannot be read: a copy that
// reads one byte too far faults.
struct GuardedText {
    char* Base = nullptr;
    const char* Text = nullptr;

    explicit GuardedText(const std::string& text)
    {
        SYSTEM_INFO system{};
        GetSystemInfo(&system);
        const size_t page = system.dwPageSize;
        const size_t pages = (text.size() + page - 1) / page + 1;
        Base = static_cast<char*>(
            VirtualAlloc(nullptr, pages * page, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE));
        if (!Base) return;
        DWORD old = 0;
        char* guard = Base + (pages - 1) * page;
        VirtualProtect(guard, page, PAGE_NOACCESS, &old);
        std::memcpy(guard - text.size(), text.data(), text.size());
        Text = guard - text.size();
    }
    ~GuardedText()
    {
        if (Base) VirtualFree(Base, 0, MEM_RELEASE);
    }
    GuardedText(const GuardedText&) = delete;
    GuardedText& operator=(const GuardedText&) = delete;
};

std::string UpToZero(const std::string& text, size_t limit)
{
    return text.substr(0, std::min(text.find('\0'), limit));
}

// A text answer of a hostile player: none, a text of any bytes and length
// (zero bytes end it), or a text without terminator as long as the limit.
// Gives what the plug-in must take from it.
std::string ScriptText(RandomInput& random, LPARAM code, std::optional<std::string>& text,
                       std::unique_ptr<GuardedText>& guarded)
{
    text.reset();
    const size_t choice = random.Below(5);
    if (choice == 0) return std::string();
    if (choice == 1) {
        const std::string bytes = random.Bytes(PlayerTextLimit);
        guarded = std::make_unique<GuardedText>(bytes);
        Script.Raw[code] = reinterpret_cast<LRESULT>(guarded->Text);
        return bytes;
    }
    text = random.Bytes(random.Length(PlayerTextLimit + 5000, PlayerTextLimit), choice == 2);
    return UpToZero(*text, PlayerTextLimit);
}

std::string LengthText(int32_t length)
{
    if (length < 0) return "N/A";
    const unsigned seconds = static_cast<uint16_t>(length);
    char text[16];
    if (seconds >= 3600)
        std::snprintf(text, sizeof text, "%02u%c%02u%c%02u", seconds / 3600, TimeSeparator,
                      seconds / 60 % 60, TimeSeparator, seconds % 60);
    else
        std::snprintf(text, sizeof text, "%02u%c%02u", seconds / 60, TimeSeparator, seconds % 60);
    return text;
}

// Whatever a player answers (tags of every byte and length, with or without
// terminator, null or unterminated texts, numbers of any size), every token
// holds exactly what the plug-in may take from it, and nothing is read or
// written past a buffer.
TEST_F(TrackInfo, HostilePlayerAnswersAreTakenOnlyWithinBounds)
{
    const std::map<std::string, const char*> tokens = {
        {"ARTIST", "%Artist"}, {"TITLE", "%Title"}, {"ALBUM", "%Album"},    {"TRACK", "%Track"},
        {"YEAR", "%Year"},     {"GENRE", "%Genre"}, {"COMMENT", "%Comment"}};
    RandomInput random(3101);
    for (int round = 0; round < 2000; ++round) {
        Script = TPlayerScript{};
        Log = TPlayerLog{};
        std::unique_ptr<GuardedText> guardedFile;
        std::unique_ptr<GuardedText> guardedTitle;
        const std::string file = ScriptText(random, IPC_GETPLAYLISTFILE, Script.File, guardedFile);
        const std::string title =
            ScriptText(random, IPC_GETPLAYLISTTITLE, Script.Title, guardedTitle);
        // The last one is 1 in its low half only, where LRESULT has a high half.
        const LRESULT states[] = {1, 3, 0, 2, -1, static_cast<LRESULT>(0x100000001LL)};
        Script.PlayState = random.Chance(80) ? states[random.Below(6)] : random.Any();
        Script.ListPos = random.Chance(50) ? static_cast<LRESULT>(random.Below(100)) : random.Any();
        Script.Length = static_cast<int>(random.Any());
        Script.Bitrate = random.Any();
        Script.Samplerate = random.Any();
        Script.Channels = random.Any();
        Script.WithoutZero = random.Chance(50);
        std::map<std::string, std::string> expected;
        for (const auto& [key, token] : tokens) {
            if (random.Chance(20)) continue;
            const std::string text =
                random.Bytes(random.Length(3 * TagBufferSize, TagBufferSize), random.Chance(20));
            Script.Tags[key] = text;
            if (random.Chance(20)) Script.TagAnswers[key] = random.Chance(50) ? 0 : random.Any();
            const bool taken = Script.TagAnswers.count(key) == 0 || Script.TagAnswers[key] == 1;
            const size_t written = Script.WithoutZero ? TagBufferSize : TagBufferSize - 1;
            if (taken) expected[key] = UpToZero(text, written);
        }

        const int32_t state = static_cast<int32_t>(Script.PlayState);
        ASSERT_EQ(GatherTrackInfo(PlayStates, Track), state == 1 || state == 3) << round;
        for (const auto& [key, token] : tokens)
            ASSERT_EQ(Value(token), expected[key]) << round << " " << key;
        ASSERT_EQ(Value("%Copy"), title) << round;
        ASSERT_EQ(Value("%File"), FileTitle(file)) << round;
        ASSERT_EQ(Value("%ListPos"),
                  std::to_string(int64_t{static_cast<int32_t>(Script.ListPos)} + 1));
        ASSERT_EQ(Value("%Lenght"), LengthText(Script.Length)) << round;
        ASSERT_EQ(Value("%Bitrate"), std::to_string(static_cast<int32_t>(Script.Bitrate)));
        ASSERT_EQ(Value("%Samplerate"), std::to_string(static_cast<int32_t>(Script.Samplerate)));
        ASSERT_EQ(Value("%Channels"), std::to_string(static_cast<int32_t>(Script.Channels)));
        ASSERT_EQ(Log.TagBufferSizes, std::vector<size_t>(tokens.size(), TagBufferSize));
        ASSERT_EQ(Log.TagFiles, std::vector<std::string>(tokens.size(), file)) << round;
        ASSERT_TRUE(Log.TagBuffersZeroed);

        std::string every;
        for (const TTrackInfo& row : TrackTokens) every += row.Name;
        ASSERT_LE(ExpandTemplate(every, Track).size(), MaxExpandedText);
    }
}

}  // namespace
