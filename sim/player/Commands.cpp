#include "sim/player/Commands.h"

#include <cerrno>
#include <cstdlib>
#include <sstream>
#include <string>

#include "player/wa_ipc.h"
#include "sim/common/EventLog.h"
#include "sim/player/MainMenu.h"
#include "sim/player/Player.h"
#include "sim/player/Plugins.h"

namespace {

// A whole decimal number that fits a 64-bit integer.
bool ParseNumber(const std::string& text, long long& value)
{
    if (text.empty()) return false;
    char* end = nullptr;
    errno = 0;
    value = std::strtoll(text.c_str(), &end, 10);
    return errno == 0 && *end == '\0';
}

// "send <msg> <wparam> <lparam>": sends from the player's own thread, as a
// message from inside the player would arrive.
bool SendFromInside(const std::string& arguments)
{
    std::istringstream words(arguments);
    std::string texts[3], rest;
    words >> texts[0] >> texts[1] >> texts[2];
    long long numbers[3] = {};
    for (int i = 0; i < 3; ++i) {
        if (!ParseNumber(texts[i], numbers[i])) return false;
    }
    if (words >> rest) return false;
    LRESULT result = SendMessageA(Player.Window, static_cast<UINT>(numbers[0]),
                                  static_cast<WPARAM>(numbers[1]), static_cast<LPARAM>(numbers[2]));
    LogEvent("SENT " + texts[0] + " " + texts[1] + " " + texts[2] + " " + std::to_string(result));
    return true;
}

void CALLBACK PressUninstall(HWND, UINT, UINT_PTR timer, DWORD)
{
    KillTimer(nullptr, timer);
    UninstallFirstPlugin(Player.Window);
}

int PlayerCommandId(const std::string& name)
{
    if (name == "play") return PlayerPlay;
    if (name == "pause") return PlayerPause;
    if (name == "stop") return PlayerStop;
    if (name == "next") return PlayerNext;
    if (name == "prev") return PlayerPrevious;
    return 0;
}

bool RunCommand(const std::string& command)
{
    const TCommandWords words = SplitCommand(command);
    const std::string& name = words.Name;
    if (name == "send") return SendFromInside(words.Argument);
    if (name == "log") {
        LogEvent("MARK " + words.Argument);
        return true;
    }
    if (!words.Bare) return false;
    if (int id = PlayerCommandId(name)) {
        // Through the window procedure, as a press of the player's button.
        PostMessageA(Player.Window, WM_COMMAND, static_cast<WPARAM>(id), 0);
    } else if (name == "config") {
        ConfigFirstPlugin();
    } else if (name == "uninstall") {
        // The player's preferences page presses the button, outside any
        // message to the main window: the stack then holds no procedure of
        // the plug-in when the player unloads it.
        SetTimer(nullptr, 0, 0, PressUninstall);
    } else if (name == "subclass") {
        SubclassAsAnotherPlugin(Player.Window);
    } else if (name == "close") {
        PostMessageA(Player.Window, WM_CLOSE, 0, 0);
    } else if (name == "menu") {
        LogEvent("MENU " + DescribeMenu(Player.Menu));
    } else {
        return false;
    }
    return true;
}

}  // namespace

void RunQueuedCommand()
{
    std::string command;
    if (TakeKeptCommand(command) && !RunCommand(command)) LogEvent("BAD " + command);
}
