// Window texts longer than 64 KiB, and windows that answer the text messages
// the way a careless or hostile program might, read through the window
// helpers. The windows are the test's own.
#include <gtest/gtest.h>

#include <algorithm>
#include <limits>
#include <list>
#include <string>
#include <vector>

#include "tests/HeapCheck.h"
#include "tests/RandomInput.h"
#include "util/Text.h"
#include "util/WinUtil.h"

namespace {

constexpr size_t MaxTextBuffer = 1024 * 1024;  // the helpers' largest buffer

// A window of the test's own thread always answers.
std::string ControlText(HWND window)
{
    std::string text;
    EXPECT_TRUE(GetControlText(window, text));
    return text;
}

struct OwnWindow {
    HWND Handle = nullptr;

    OwnWindow(const char* windowClass, DWORD style, HWND parent, const std::string& text)
    {
        Handle = CreateWindowExA(0, windowClass, "", style | (parent ? WS_CHILD : 0), 0, 0, 200,
                                 200, parent, nullptr, GetModuleHandleA(nullptr), nullptr);
        if (Handle) SendMessageA(Handle, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
    }
    ~OwnWindow()
    {
        if (IsWindow(Handle)) DestroyWindow(Handle);
    }
    OwnWindow(const OwnWindow&) = delete;
    OwnWindow& operator=(const OwnWindow&) = delete;
};

// A record whose unused entries hold a mark, so that a write past Count
// shows.
TWindowsAr MarkedRecord()
{
    TWindowsAr record;
    record.Handles.fill(reinterpret_cast<HWND>(0x5A5A));
    return record;
}

void ExpectOnlyCountUsed(const TWindowsAr& record)
{
    ASSERT_GE(record.Count, 0);
    ASSERT_LE(record.Count, MaxCollected);
    for (int i = record.Count; i < MaxCollected; ++i)
        ASSERT_EQ(record.Handles[i], reinterpret_cast<HWND>(0x5A5A)) << i;
}

TEST(WinUtilFuzz, TextsLongerThan64KiBAreReadWholeAndFound)
{
    RandomInput random(4201);
    struct TKind {
        const char* Class;
        DWORD Style;
    };
    const TKind kinds[] = {
        {"STATIC", 0}, {"EDIT", ES_AUTOHSCROLL}, {"COMBOBOX", CBS_DROPDOWN | CBS_AUTOHSCROLL}};
    OwnWindow parent("STATIC", 0, nullptr, "parent");
    ASSERT_NE(parent.Handle, nullptr);
    for (int round = 0; round < 24; ++round) {
        std::list<OwnWindow> children;
        std::vector<std::string> texts;
        for (int i = 0; i < 8; ++i) {
            const TKind& kind = kinds[random.Below(3)];
            texts.push_back(random.Bytes(64 * 1024 + random.Below(100 * 1024)));
            children.emplace_back(kind.Class, kind.Style, parent.Handle, texts.back());
            ASSERT_NE(children.back().Handle, nullptr);
        }
        size_t i = 0;
        for (const OwnWindow& child : children) {
            const std::string& text = texts[i++];
            TWindowTexts read;
            ASSERT_TRUE(ReadWindowTexts(child.Handle, read));
            ASSERT_EQ(read.Text, text) << round << " " << GetClassText(child.Handle);
            ASSERT_EQ(read.WindowText, text) << round;
            ASSERT_EQ(ControlText(child.Handle), text) << round;
            ASSERT_EQ(GetCaptionText(child.Handle), text) << round;
        }

        // Each text, in other letter case, finds its window (a combo box
        // with its edit box) and no other.
        const size_t pick = random.Below(children.size());
        const HWND picked = std::next(children.begin(), pick)->Handle;
        TWindowsAr byTitle = MarkedRecord();
        byTitle.WindowText = UpperText(texts[pick]);
        TWindowsAr byText = MarkedRecord();
        byText.Text = LowerText(texts[pick]);
        for (TWindowsAr* record : {&byTitle, &byText}) {
            ASSERT_GE(CollectWindows(parent.Handle, *record), 1) << round;
            ASSERT_EQ(record->Handles[0], picked);
            for (int k = 1; k < record->Count; ++k)
                ASSERT_EQ(GetParent(record->Handles[k]), picked);
            ExpectOnlyCountUsed(*record);
        }

        // Twice as many edit boxes as the record holds: it keeps 21.
        TWindowsAr edits = MarkedRecord();
        edits.Classes = "Edit ";
        CollectWindows(parent.Handle, edits);
        CollectWindows(parent.Handle, edits);
        ExpectOnlyCountUsed(edits);
        for (int e = 0; e < edits.Count; ++e) ASSERT_EQ(GetClassText(edits.Handles[e]), "Edit");
    }
    EXPECT_TRUE(HeapsAreIntact());
}

// What the hostile window says and does.
struct THostile {
    LRESULT Length = 0;     // answer to WM_GETTEXTLENGTH
    std::string Text;       // what it copies
    int Mode = 0;           // 0 terminated, 1 cut without zero, 2 fills all, 3 nothing
    WPARAM LargestAsk = 0;  // the largest buffer size it was given
};
THostile Hostile;

// Byte i of a buffer that the window fills whole.
char FillByte(size_t i)
{
    return Hostile.Text.empty() ? 'x' : Hostile.Text[i % Hostile.Text.size()];
}

LRESULT CALLBACK HostileProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_GETTEXTLENGTH) return Hostile.Length;
    if (message != WM_GETTEXT) return DefWindowProcA(window, message, wParam, lParam);
    Hostile.LargestAsk = std::max(Hostile.LargestAsk, wParam);
    char* buffer = reinterpret_cast<char*>(lParam);
    const std::string& text = Hostile.Text;
    size_t count = 0;
    switch (Hostile.Mode) {
        case 0:
            if (wParam == 0) return 0;
            count = std::min(text.size(), static_cast<size_t>(wParam) - 1);
            std::copy_n(text.data(), count, buffer);
            buffer[count] = '\0';
            return static_cast<LRESULT>(count);
        case 1:
            count = std::min(text.size(), static_cast<size_t>(wParam));
            std::copy_n(text.data(), count, buffer);
            return static_cast<LRESULT>(count);
        case 2:
            // All it was told it may write, and a length it never wrote.
            for (size_t i = 0; i < wParam; ++i) buffer[i] = FillByte(i);
            return std::numeric_limits<LRESULT>::max();
        default:
            return -1;
    }
}

// Whether text is the front of what the window shows.
bool FrontOfShown(const std::string& text)
{
    const std::string& shown = Hostile.Text;
    for (size_t i = 0; i < text.size(); ++i) {
        const char expected = Hostile.Mode == 2 ? FillByte(i) : i < shown.size() ? shown[i] : '\0';
        if (text[i] != expected) return false;
    }
    return true;
}

TEST(WinUtilFuzz, HostileTextAnswersStayWithinTheBuffers)
{
    WNDCLASSEXA info{};
    info.cbSize = sizeof info;
    info.lpfnWndProc = HostileProc;
    info.hInstance = GetModuleHandleA(nullptr);
    info.lpszClassName = "TWinUtilHostile";
    RegisterClassExA(&info);
    OwnWindow window("TWinUtilHostile", 0, nullptr, "");
    ASSERT_NE(window.Handle, nullptr);

    RandomInput random(4202);
    const LRESULT lengths[] = {0,
                               1,
                               -1,
                               1021,
                               1022,
                               1023,
                               1024,
                               65535,
                               65536,
                               std::numeric_limits<LRESULT>::max(),
                               std::numeric_limits<LRESULT>::min(),
                               static_cast<LRESULT>(MaxTextBuffer) - 2,
                               static_cast<LRESULT>(MaxTextBuffer)};
    for (int round = 0; round < 3000; ++round) {
        Hostile.Text =
            random.Bytes(random.Length(round % 50 == 0 ? 2 * MaxTextBuffer : 5000, 1024));
        Hostile.Mode = static_cast<int>(random.Below(4));
        Hostile.LargestAsk = 0;
        Hostile.Length = random.Chance(30) ? static_cast<LRESULT>(Hostile.Text.size())
                         : random.Chance(50)
                             ? lengths[random.Below(sizeof lengths / sizeof lengths[0])]
                             : random.Any();

        TWindowTexts read;
        ASSERT_TRUE(ReadWindowTexts(window.Handle, read));
        const std::string texts[] = {read.Text, read.WindowText, ControlText(window.Handle),
                                     GetCaptionText(window.Handle)};
        for (const std::string& text : texts) {
            ASSERT_LE(text.size(), MaxTextBuffer) << round;
            ASSERT_TRUE(FrontOfShown(text)) << round << " mode " << Hostile.Mode;
        }
        ASSERT_LE(Hostile.LargestAsk, MaxTextBuffer) << round;
        ASSERT_EQ(read.ClassName, "TWinUtilHostile");
        // A window that tells its length truly is read whole.
        if (Hostile.Mode == 0 && Hostile.Length == static_cast<LRESULT>(Hostile.Text.size()) &&
            Hostile.Text.size() < MaxTextBuffer - 2) {
            for (const std::string& text : texts) ASSERT_EQ(text, Hostile.Text) << round;
        }
        if (Hostile.Mode == 3) {
            for (const std::string& text : texts) ASSERT_EQ(text, "") << round;
        }
        if (round % 100 == 0) {
            ASSERT_TRUE(HeapsAreIntact()) << round;
        }
    }
    EXPECT_TRUE(HeapsAreIntact());
    DestroyWindow(window.Handle);
    UnregisterClassA("TWinUtilHostile", GetModuleHandleA(nullptr));
}

}  // namespace
