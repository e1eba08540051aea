// The real dialog from the DLL's resources, run modally as the player runs
// it, driven from another thread with the messages a user's clicks, choices
// and typing produce; the results are read from the settings file and from
// the running state.
#include "plugin/ConfigDialog.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "clients/Instances.h"
#include "plugin/Plugin.h"
#include "plugin/UpdateCycle.h"
#include "plugin/gen_ZEM.h"
#include "settings/SettingsFile.h"
#include "sim/common/Channel.h"
#include "sim/common/Process.h"
#include "tests/PlayerSession.h"
#include "tests/PluginCopy.h"
#include "tests/ShippedDefaults.h"
#include "util/Files.h"

namespace {

const char* const Russian = "ZER ozavod irozav_Russian";

// The dialog as a user sees it. Every call returns once the dialog has
// handled what it caused.
struct Dialog {
    HWND Window = nullptr;
    bool Ended = false;

    HWND Item(int id) const { return GetDlgItem(Window, id); }
    void Click(int id)
    {
        SendMessageA(Item(id), BM_CLICK, 0, 0);
        Ended = Ended || id == IDOK || id == IDCANCEL;
    }
    // A pick from the list: the box tells its dialog that the choice changed.
    void Choose(int id, int index)
    {
        SendMessageA(Item(id), CB_SETCURSEL, index, 0);
        SendMessageA(Window, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE),
                     reinterpret_cast<LPARAM>(Item(id)));
    }
    void Type(int id, const std::string& text)
    {
        SendMessageA(Item(id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
        SendMessageA(Window, WM_COMMAND, MAKEWPARAM(id, CBN_EDITCHANGE),
                     reinterpret_cast<LPARAM>(Item(id)));
    }
    bool Checked(int id) const { return SendMessageA(Item(id), BM_GETCHECK, 0, 0) == BST_CHECKED; }
    bool Enabled(int id) const { return IsWindowEnabled(Item(id)) != FALSE; }
    bool Visible(int id) const
    {
        return (GetWindowLongPtrA(Item(id), GWL_STYLE) & WS_VISIBLE) != 0;
    }
    std::string Text(int id) const
    {
        char text[1024] = {};
        GetWindowTextA(Item(id), text, sizeof text);
        return text;
    }
    std::string ClassOf(int id) const
    {
        char type[64] = {};
        GetClassNameA(Item(id), type, sizeof type);
        return type;
    }
    int Selection(int id) const
    {
        return static_cast<int>(SendMessageA(Item(id), CB_GETCURSEL, 0, 0));
    }
    int ItemCount(int id) const
    {
        return static_cast<int>(SendMessageA(Item(id), CB_GETCOUNT, 0, 0));
    }
};

struct ConfigDialogTest : ::testing::Test {
    TempFolder folder;
    PluginCopy plugin{folder.Path};
    std::string ini = plugin.SettingsFile();

    void SetUp() override
    {
        ModuleInit();
        ASSERT_NE(plugin.Module, nullptr);
        PluginRecord.hDllInstance = plugin.Module;
        // Under Wine taking an icon out of the tray takes seconds.
        SetValue("SetTray", "0");
    }
    void TearDown() override { PluginRecord.hDllInstance = nullptr; }

    void Write(const char* section, const std::string& key, const char* text)
    {
        WritePrivateProfileStringA(section, key.c_str(), text, ini.c_str());
    }
    void SetValue(const std::string& name, const char* text, const char* section = Russian)
    {
        Write(section, name + ".Value", text);
    }
    void SetCaption(const std::string& name, const char* text, const char* section = Russian)
    {
        Write(section, name + ".Caption", text);
    }
    std::string Read(const char* section, const std::string& key) const
    {
        char text[4096] = {};
        GetPrivateProfileStringA(section, key.c_str(), "<missing>", text, sizeof text, ini.c_str());
        return text;
    }
    std::string Value(const std::string& name, const char* section = Russian) const
    {
        return Read(section, name + ".Value");
    }
    std::string Caption(const std::string& name, const char* section = Russian) const
    {
        return Read(section, name + ".Caption");
    }

    // As the configuration entry does: the running state, then its copy
    // for the dialog.
    void Load()
    {
        LoadSettings();
        CopyState(CurrentState, DialogState);
    }

    // Shows the dialog modally until the steps have ended it; a dialog the
    // steps left open is cancelled, so that a failing test cannot hang.
    INT_PTR Run(const std::function<void(Dialog&)>& steps)
    {
        HWND found = nullptr;
        std::thread user([&] {
            found = WaitForConfigDialog(GetCurrentProcessId());
            if (!found) return;
            Dialog dialog{found};
            steps(dialog);
            if (!dialog.Ended) SendMessageA(found, WM_COMMAND, IDCANCEL, 0);
        });
        const INT_PTR result =
            DialogBoxParamA(plugin.Module, ConfigDialogTemplate, nullptr, ConfigDialogProc, 0);
        user.join();
        EXPECT_NE(found, nullptr) << "the dialog did not open";
        return result;
    }
};

std::string IdName(int id)
{
    return SettingNames[SettingIndex(id)];
}

TEST_F(ConfigDialogTest, TheTemplateHoldsEverySettingAsItsControl)
{
    // An 800 x 600 screen with a taskbar shows 297 dialog units of height.
    HRSRC found = FindResourceA(plugin.Module, ConfigDialogTemplate, RT_DIALOG);
    ASSERT_NE(found, nullptr);
    const auto* layout =
        static_cast<const DLGTEMPLATE*>(LockResource(LoadResource(plugin.Module, found)));
    ASSERT_NE(layout, nullptr);
    EXPECT_LE(layout->cy, 297);
    Load();
    Run([](Dialog& d) {
        EXPECT_EQ(GetWindowLongPtrA(d.Window, GWL_STYLE) & WS_SYSMENU, 0);
        const std::vector<int> hidden = {Setting::SaveRestore, Setting::IfStatus,
                                         Setting::AllowOpen,   Setting::SetPicture,
                                         Setting::Picture,     Setting::VirtPlayState,
                                         Setting::TrayNotes,   Setting::ResetCaptions,
                                         Setting::Clients,     Setting::ClientsTexts};
        for (int id = FirstSettingId; id < FirstSettingId + SettingCount; ++id) {
            const TSettingKind kind = SettingKinds[SettingIndex(id)];
            const char* type = kind == ComboBox     ? "ComboBox"
                               : kind == StaticText ? "Static"
                                                    : "Button";
            EXPECT_EQ(d.ClassOf(id), type) << IdName(id);
            bool shown = true;
            for (int h : hidden) shown = shown && h != id;
            EXPECT_EQ(d.Visible(id), shown) << IdName(id);
        }
        // The push buttons keep their own texts, Cyrillic included.
        EXPECT_EQ(d.Text(IDC_DEFAULTS), "Default");
        EXPECT_EQ(d.Text(IDOK), "OK");
        EXPECT_EQ(d.Text(IDCANCEL), "Cancel");
        EXPECT_EQ(d.Text(IDC_HELPPAGE), "?");
        EXPECT_EQ(d.Text(IDC_RESETCAPTIONS), "Сбросить подписи статус-картинок");
        EXPECT_EQ(d.Text(IDC_CLIENTS), "Клиенты…");

        // The captions and values from the state: line breaks shown as such,
        // a template that is no item in the edit field, the pictures by name.
        EXPECT_EQ(d.Text(Setting::Enable), "Включен");
        EXPECT_EQ(d.Text(Setting::SetTray), "Показывать иконку в \r\nтрее (свой статус)");
        EXPECT_EQ(d.Text(Setting::grMain), " Общие ");
        EXPECT_EQ(d.Text(Setting::About), "v1.26 / Kelder");
        EXPECT_EQ(d.Text(Setting::Status), "%Status. winamp:");
        EXPECT_EQ(d.Text(Setting::DelayV), "5");
        EXPECT_EQ(d.Selection(Setting::Picture), 11);
        EXPECT_EQ(d.ItemCount(Setting::Picture), 30);
        EXPECT_EQ(d.ItemCount(Setting::Tray), 25);
        EXPECT_EQ(d.ItemCount(Setting::CustomZEM), 0);
        EXPECT_TRUE(d.Checked(Setting::Enable));
        EXPECT_TRUE(d.Checked(Setting::IfAny));
        EXPECT_FALSE(d.Checked(Setting::IfPicture));
        EXPECT_TRUE(d.Checked(Setting::SaveRestore));  // hidden, yet shown into
        d.Click(IDCANCEL);
    });
}

TEST_F(ConfigDialogTest, OkWritesTheDialogAndTheStateTakesIt)
{
    Load();
    const INT_PTR result = Run([](Dialog& d) {
        d.Click(Setting::SetStatus);
        d.Click(Setting::Compatible);
        d.Choose(Setting::DelayV, 3);
        d.Type(Setting::Status, "%Artist");
        d.Type(Setting::CustomZEM, "Работа");
        d.Click(IDOK);
    });
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(Value("SetStatus"), "1");
    EXPECT_EQ(Value("Compatible"), "0");
    EXPECT_EQ(Value("DelayV"), "10");
    EXPECT_EQ(Value("Status"), "%Artist");  // typed, not the first item it begins
    EXPECT_EQ(Value("CustomZEM"), "Работа");
    EXPECT_EQ(Value("SetTray"), "0");
    EXPECT_EQ(Read("ZER ozavod irozav", "Lang"), "Russian");
    // The running state is the file read again.
    EXPECT_TRUE(SettingOn(Setting::SetStatus));
    EXPECT_FALSE(SettingOn(Setting::Compatible));
    EXPECT_EQ(SettingText(Setting::DelayV), "10");
    EXPECT_EQ(SettingText(Setting::CustomZEM), "Работа");
    EXPECT_EQ(CurrentState.PlayStateTexts[0], "[PLAY]");
}

TEST_F(ConfigDialogTest, CancelLeavesTheFileAsQuitWroteIt)
{
    SetValue("DelayV", "15");
    Load();
    SaveSettings();  // what quit writes as the dialog opens
    const std::string before = ReadWholeFile(ini);
    const TDlgControlsAr values = CurrentState.Values;
    const INT_PTR result = Run([](Dialog& d) {
        d.Click(Setting::Enable);
        d.Choose(Setting::DelayV, 0);
        d.Type(Setting::Tray, "%Title");
        d.Click(IDC_DEFAULTS);
        d.Click(Setting::SetStatus);
        d.Click(IDCANCEL);
    });
    EXPECT_EQ(result, IDCANCEL);
    EXPECT_EQ(ReadWholeFile(ini), before);
    EXPECT_EQ(CurrentState.Values, values);
    EXPECT_EQ(SettingText(Setting::DelayV), "15");
}

TEST_F(ConfigDialogTest, DefaultThenOkWritesTheDefaults)
{
    SetValue("Enable", "0");
    SetValue("SetLongStatus", "0");
    SetValue("IfPicture", "1");
    SetValue("IfAny", "0");
    SetValue("DelayV", "30");
    SetCaption("Enable", "On");
    SetCaption("DelayV", "||30||60||");
    SetCaption("grMain", "Main");
    Load();
    Run([](Dialog& d) {
        EXPECT_EQ(d.Text(Setting::Enable), "On");
        EXPECT_FALSE(d.Enabled(Setting::DelayV));
        d.Click(IDC_DEFAULTS);
        EXPECT_EQ(d.Text(Setting::Enable), "Включен");
        EXPECT_TRUE(d.Checked(Setting::Enable));
        EXPECT_TRUE(d.Enabled(Setting::DelayV));
        EXPECT_EQ(d.Text(Setting::DelayV), "5");
        d.Click(IDOK);
    });
    EXPECT_EQ(Read("ZER ozavod irozav", "Lang"), "Russian");
    for (int i = 0; i < SettingCount; ++i) {
        const TSettingKind kind = SettingKinds[i];
        if (kind == CheckBox || kind == RadioButton) {
            EXPECT_EQ(Value(SettingNames[i]), ShippedValues[i]) << SettingNames[i];
        }
        // The file keeps no outer blanks.
        std::string caption = ShippedCaptions[i];
        caption.erase(0, caption.find_first_not_of(' '));
        caption.erase(caption.find_last_not_of(' ') + 1);
        // An empty list reads back as the list without items.
        if (i == SettingIndex(Setting::CustomZEM) || i == SettingIndex(Setting::Skip))
            caption = "||";
        EXPECT_EQ(Caption(SettingNames[i]), caption) << SettingNames[i];
    }
    EXPECT_EQ(Value("DelayV"), "5");
    EXPECT_EQ(Value("LongStatus"), "%ListPos. %Copy [%Lenght]");
    EXPECT_EQ(Value("Tray"), "Файл: %File\\nИсполнитель: %Artist\\nНазвание: %Title");
    EXPECT_EQ(Value("Picture"), "Музыка");
    EXPECT_TRUE(SettingOn(Setting::Enable));
}

// "Default" resets everything but the language shown: a built-in one shows
// its built-in texts, one the file adds keeps its own.
TEST_F(ConfigDialogTest, ALanguageChangeShowsThatLanguagesSectionAndDefaultKeepsIt)
{
    const char* const english = "ZER ozavod irozav_English";
    const char* const german = "ZER ozavod irozav_Deutsch";
    for (const char* section : {Russian, english, german})
        SetCaption("Lang", "||Russian||English||Deutsch||", section);
    SetCaption("Enable", "Enabled", english);
    SetCaption("grMain", "General", english);
    SetValue("DelayV", "15", english);
    SetValue("SetTray", "0", english);
    SetValue("DelayV", "2");
    SetCaption("Enable", "Ein", german);
    SetValue("DelayV", "30", german);
    Load();
    Run([](Dialog& d) {
        EXPECT_EQ(d.Text(Setting::Lang), "Russian");
        d.Choose(Setting::Lang, 2);
        EXPECT_EQ(d.Text(Setting::Enable), "Ein");
        EXPECT_EQ(d.Text(Setting::DelayV), "30");
        d.Click(IDC_DEFAULTS);
        EXPECT_EQ(d.Text(Setting::Lang), "Deutsch");
        EXPECT_EQ(d.Text(Setting::Enable), "Ein");
        EXPECT_EQ(d.Text(Setting::DelayV), "5");

        d.Click(Setting::SetStatus);  // an edit the change drops
        d.Choose(Setting::Lang, 1);
        EXPECT_EQ(d.Text(Setting::Lang), "English");
        EXPECT_EQ(d.Text(Setting::Enable), "Enabled");
        EXPECT_EQ(d.Text(Setting::grMain), "General");
        // What the section lacks is the built-in English.
        EXPECT_EQ(d.Text(Setting::SetTray), "Show an icon in the \r\ntray (own status)");
        EXPECT_EQ(d.Text(Setting::DelayV), "15");
        EXPECT_FALSE(d.Checked(Setting::SetStatus));

        d.Click(IDC_DEFAULTS);
        EXPECT_EQ(d.Text(Setting::Lang), "English");
        EXPECT_EQ(d.Text(Setting::Enable), "Enabled");
        EXPECT_EQ(d.Text(Setting::grMain), " General ");
        EXPECT_EQ(d.Text(IDC_CLIENTS), "Clients\x85");
        EXPECT_EQ(d.Text(Setting::DelayV), "5");
        EXPECT_EQ(d.Text(Setting::Picture), "Music");
        d.Click(IDOK);
    });
    EXPECT_EQ(Read("ZER ozavod irozav", "Lang"), "English");
    EXPECT_EQ(Value("DelayV"), "2");  // the other language's section stays
    EXPECT_EQ(Value("DelayV", english), "5");
    EXPECT_EQ(Value("Picture", english), "Music");
    EXPECT_EQ(SettingText(Setting::Lang), "English");
    EXPECT_EQ(CurrentState.Captions[SettingIndex(Setting::Enable)], "Enabled");
}

TEST_F(ConfigDialogTest, EverythingFollowsEnableAndTheClientBoxFollowsAllZEMNo)
{
    SetValue("Enable", "0");
    SetValue("AllZEM", "0");
    SetValue("AllZEMNo", "1");
    Load();
    Run([](Dialog& d) {
        for (int id = Setting::Enable + 1; id < FirstSettingId + SettingCount; ++id)
            EXPECT_EQ(d.Enabled(id), id == Setting::CustomZEM) << IdName(id);
        EXPECT_TRUE(d.Enabled(Setting::Enable));
        for (int id : {IDOK, IDCANCEL, IDC_DEFAULTS, IDC_HELPPAGE, IDC_RESETCAPTIONS})
            EXPECT_TRUE(d.Enabled(id)) << id;

        d.Click(Setting::Enable);
        for (int id = Setting::Enable + 1; id < FirstSettingId + SettingCount; ++id)
            EXPECT_TRUE(d.Enabled(id)) << IdName(id);
        d.Click(Setting::AllZEM);
        EXPECT_FALSE(d.Enabled(Setting::CustomZEM));
        EXPECT_TRUE(d.Enabled(Setting::DelayV));
        d.Click(Setting::AllZEMNo);
        EXPECT_TRUE(d.Enabled(Setting::CustomZEM));
        d.Click(Setting::AllZEM);
        d.Click(Setting::Enable);
        for (int id = Setting::Enable + 1; id < FirstSettingId + SettingCount; ++id)
            EXPECT_FALSE(d.Enabled(id)) << IdName(id);
        d.Click(IDOK);
    });
    EXPECT_EQ(Value("Enable"), "0");
    EXPECT_EQ(Value("AllZEM"), "1");
    EXPECT_EQ(Value("AllZEMNo"), "0");
}

TEST_F(ConfigDialogTest, EachRadioPairStaysExclusive)
{
    Load();
    Run([](Dialog& d) {
        d.Click(Setting::IfPicture);
        EXPECT_TRUE(d.Checked(Setting::IfPicture));
        EXPECT_FALSE(d.Checked(Setting::IfAny));
        d.Click(Setting::IfPicture);  // a second click changes nothing
        EXPECT_TRUE(d.Checked(Setting::IfPicture));
        EXPECT_FALSE(d.Checked(Setting::IfAny));
        d.Click(Setting::IfAny);
        EXPECT_FALSE(d.Checked(Setting::IfPicture));
        EXPECT_TRUE(d.Checked(Setting::IfAny));
        d.Click(Setting::IfPicture);

        d.Click(Setting::AllZEMNo);
        EXPECT_TRUE(d.Checked(Setting::AllZEMNo));
        EXPECT_FALSE(d.Checked(Setting::AllZEM));
        d.Click(Setting::AllZEM);
        EXPECT_TRUE(d.Checked(Setting::AllZEM));
        EXPECT_FALSE(d.Checked(Setting::AllZEMNo));
        d.Click(Setting::AllZEMNo);
        d.Click(IDOK);
    });
    EXPECT_EQ(Value("IfPicture"), "1");
    EXPECT_EQ(Value("IfAny"), "0");
    EXPECT_EQ(Value("AllZEM"), "0");
    EXPECT_EQ(Value("AllZEMNo"), "1");
}

TEST_F(ConfigDialogTest, AValueThatIsNoItemOfTheList)
{
    Write("ZER ozavod irozav", "Lang", "Deutsch");
    SetValue("DelayV", "7", "ZER ozavod irozav_Deutsch");
    SetValue("LongStatus", "%artist", "ZER ozavod irozav_Deutsch");
    Load();
    Run([](Dialog& d) {
        // Drop-down lists stay without a selection; a box with an edit
        // field shows the first item that begins with the value.
        EXPECT_EQ(d.Selection(Setting::Lang), CB_ERR);
        EXPECT_EQ(d.Selection(Setting::DelayV), CB_ERR);
        EXPECT_EQ(d.Text(Setting::LongStatus), "%Artist - %Title");
        d.Click(IDOK);
    });
    const char* const nameless = "ZER ozavod irozav_";
    EXPECT_EQ(Read("ZER ozavod irozav", "Lang"), "");
    EXPECT_EQ(Value("Lang", nameless), "");
    EXPECT_EQ(Value("DelayV", nameless), "");
    EXPECT_EQ(Value("LongStatus", nameless), "%Artist - %Title");
    EXPECT_EQ(Value("DelayV", "ZER ozavod irozav_Deutsch"), "7");
}

TEST_F(ConfigDialogTest, LineBreakMarksAndListsComeBackAsTheyWere)
{
    SetCaption("Enable", "Первая\\nвторая");
    SetCaption("DelayV", "||1||||a\\nb||x");
    SetCaption("Status", "lead||A||B||");
    SetCaption("DelayT", "\\n");
    SetValue("Tray", "%Title\\n%Artist");
    Load();
    Run([](Dialog& d) {
        EXPECT_EQ(d.Text(Setting::Enable), "Первая\r\nвторая");
        EXPECT_EQ(d.ItemCount(Setting::DelayV), 4);
        EXPECT_EQ(d.ItemCount(Setting::Status), 2);
        EXPECT_EQ(d.Text(Setting::Tray), "%Title\\n%Artist");
        d.Choose(Setting::DelayV, 2);
        d.Click(IDOK);
    });
    EXPECT_EQ(Caption("Enable"), "Первая\\nвторая");
    EXPECT_EQ(Caption("DelayV"), "||1||||a\\nb||x||");
    EXPECT_EQ(Caption("Status"), "||A||B||");
    EXPECT_EQ(Caption("DelayT"), "\\n");
    EXPECT_EQ(Caption("CustomZEM"), "||");
    EXPECT_EQ(Value("DelayV"), "a\\nb");
    EXPECT_EQ(Value("Tray"), "%Title\\n%Artist");
}

// ZEM instances whose client has exited: the button puts each instance's
// file back as the backup has it.
TEST_F(ConfigDialogTest, ResetButtonReplaysTheBackupOfEveryZemSlot)
{
    Load();
    TempFolder zem;
    TempFolder rnq;
    const std::string text =
        "A#custom_status_descr#a\r\nMusic#custom_status_descr#Now playing\r\n"
        "Другое#custom_status_descr#прочее\r\n";
    for (const std::string* profile : {&zem.Path, &rnq.Path})
        ASSERT_TRUE(WriteWholeFile(*profile + "_st_cust.txt", text.data(),
                                   static_cast<uint32_t>(text.size()), false));
    const auto fill = [](TClient& slot, const std::string& profile, const char* type) {
        slot.ProcessId = 1234;
        slot.AccountClosed = true;
        slot.ProfileDir = profile;
        slot.MainWnd.ClassName = type;
        slot.Current.PictureIndex = 1;
        slot.Current.Caption = "Music";
        slot.Current.LongText = "Now playing";
        slot.Saved[0].PictureIndex = 5;
        slot.Saved[0].Caption = "Working";
        slot.Saved[0].LongText = "at desk";
    };
    fill(GClients.Served[4], zem.Path, "TMainForm");
    fill(GClients.Served[7], rnq.Path, "TRnQmain");
    fill(GClients.Served[9], "", "TMainForm");

    DWORD took = 0;
    Run([&](Dialog& d) {
        const DWORD start = GetTickCount();
        d.Click(IDC_RESETCAPTIONS);
        took = GetTickCount() - start;
        d.Click(IDCANCEL);
    });
    EXPECT_GE(took, ResetCaptionsPauseMs - 20);
    EXPECT_EQ(ReadWholeFile(zem.Path + "_st_cust.txt.2ZEM"), text);
    EXPECT_EQ(ReadWholeFile(zem.Path + "_st_cust.txt"),
              "#custom_status_descr#\r\nWorking#custom_status_descr#at desk\r\n"
              "Другое#custom_status_descr#прочее\r\n");
    EXPECT_FALSE(FileExists(rnq.Path + "_st_cust.txt.2ZEM"));
    EXPECT_EQ(ReadWholeFile(rnq.Path + "_st_cust.txt"), text);
    EXPECT_EQ(GClients.RestoreDepth, 0);
    GClients = TClientsState{};
}

// A running stand-in ZEM whose user has renamed pictures: the button hands
// every record of the backup back to it, and the client's own file, written
// when it exits, is the backup again.
TEST_F(ConfigDialogTest, ResetButtonGivesARunningZemItsPictureTextsBack)
{
    TempFolder client;
    const std::string exe = client.Path + "zem.exe";
    ASSERT_TRUE(CopyFileA((ProgramFolder() + "zem.exe").c_str(), exe.c_str(), FALSE));
    const std::string profile = client.Path + "Users\\777\\";
    CreateDirectoryA((client.Path + "Users").c_str(), nullptr);
    CreateDirectoryA(profile.c_str(), nullptr);
    std::string text;
    for (int i = 0; i < 30; ++i)
        text += "Подпись " + std::to_string(i) + "#custom_status_descr#Текст " + std::to_string(i) +
                "\r\n";
    ASSERT_TRUE(WriteWholeFile(profile + "_st_cust.txt", text.data(),
                               static_cast<uint32_t>(text.size()), false));

    const std::string log = client.Path + "zem.log";
    TChildProcess zem;
    ASSERT_TRUE(zem.Start("\"" + exe + "\" --account 777 --log \"" + log + "\""));
    HWND main = zem.WaitForWindow("TMainForm", WaitMs);
    ASSERT_NE(main, nullptr);
    ASSERT_TRUE(SendCommand(main, "user-status 3|Другое|моё"));
    ASSERT_TRUE(SendCommand(main, "user-status 12|Своё|тоже моё"));
    ASSERT_TRUE(SendCommand(main, "status"));
    const auto shows = [&](const std::string& line) {
        const std::vector<std::string> lines = LogTexts(log);
        return std::find(lines.begin(), lines.end(), line) != lines.end();
    };
    for (DWORD start = GetTickCount(); !shows("STATUS 12|Своё|тоже моё");) {
        ASSERT_LT(GetTickCount() - start, WaitMs) << "the client did not take the status";
        Sleep(20);
    }

    Load();
    GClients.Wanted = WantedNow();
    ServeClients();
    GClients.Served = GClients.Slots;
    ASSERT_EQ(GClients.Served[0].ProcessId, zem.Id());
    EXPECT_EQ(GClients.Served[0].ProfileDir, profile);
    Run([](Dialog& d) {
        d.Click(IDC_RESETCAPTIONS);
        d.Click(IDCANCEL);
    });
    GClients = TClientsState{};
    EXPECT_EQ(ReadWholeFile(profile + "_st_cust.txt.2ZEM"), text);

    ASSERT_TRUE(SendCommand(main, "quit"));
    ASSERT_TRUE(zem.WaitForExit(WaitMs));
    EXPECT_EQ(ReadWholeFile(profile + "_st_cust.txt"), text);
}

}  // namespace
