// The real plug-in in the stand-in player beside stand-in clients, each its
// own process.
#pragma once

#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "sim/common/StandIns.h"
#include "tests/PlayerSession.h"

// The second track's artist is too long for a ZEM caption.
inline const char TwoTracks[] =
    u8"file=C:\\Музыка\\Один.mp3\tentry=Группа - Один\tartist=Группа\ttitle=Один\tlength=245\n"
    u8"file=C:\\Music\\two.ogg\tentry=Two\tartist=Очень длинное имя группы\ttitle=Two\tlength=61\n";

// 0 for a file that is not there.
inline uint64_t LastWriteTime(const std::string& path)
{
    WIN32_FILE_ATTRIBUTE_DATA data{};
    GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data);
    return (uint64_t{data.ftLastWriteTime.dwHighDateTime} << 32) |
           data.ftLastWriteTime.dwLowDateTime;
}

// One stand-in client in a folder of its own (its profile folder is there);
// what it cannot do fails the test.
struct StandInClient : TClientProcess {
    using TClientProcess::TClientProcess;

    void Start(const std::string& account, const std::string& options = "")
    {
        const bool started = TClientProcess::Start(account, options);
        const DWORD error = GetLastError();
        ASSERT_TRUE(started) << StartFailure(error);
    }
    // What a failed start leaves to read: the last error (of the copy or the
    // process creation when no process came), the exit code of a stand-in
    // that ended (STILL_ACTIVE while it runs), and its log.
    std::string StartFailure(DWORD error) const
    {
        char facts[64] = {};
        wsprintfA(facts, "last error %lu, exit code 0x%08lX", error, Process.ExitCode());
        std::string text = LogPath + ": " + facts + ", log:";
        for (const std::string& line : Log()) text += " | " + line;
        return text;
    }
    void Command(const std::string& command)
    {
        ASSERT_TRUE(TClientProcess::Command(command)) << command;
    }
    void Sync() { ASSERT_TRUE(TClientProcess::Sync()) << "no marker from " << LogPath; }
    void UserStatus(const std::string& status)
    {
        ASSERT_TRUE(TClientProcess::UserStatus(status)) << status;
    }
    void Quit() { ASSERT_TRUE(TClientProcess::Quit()) << LogPath; }
    // The client makes its main window anew; commands go to the new one.
    void RecreateMain()
    {
        const size_t from = Log().size();
        Command("recreate-main");
        const auto recreated = [&] {
            const std::vector<std::string> lines = Log();
            return std::find(lines.begin() + std::min(from, lines.size()), lines.end(),
                             "RECREATE") != lines.end();
        };
        for (DWORD start = GetTickCount(); !recreated(); Sleep(20))
            ASSERT_LT(GetTickCount() - start, StandInWaitMs) << "no RECREATE in " << LogPath;
        Main = Process.WaitForWindow("TMainForm", StandInWaitMs);
        ASSERT_NE(Main, nullptr);
    }

    // What a ZEM client keeps from its last run, in its profile folder: the
    // chosen picture, and 30 records of which those given are not empty.
    void KeepFromLastRun(const std::string& account, int picture,
                         const std::map<int, std::string>& records) const
    {
        const std::string profile = ProfileFolder(account);
        CreateDirectoryA((Folder + "Users").c_str(), nullptr);
        CreateDirectoryA(profile.c_str(), nullptr);
        std::string text;
        for (int i = 0; i < 30; ++i) {
            const auto record = records.find(i);
            text += (record != records.end() ? record->second : "#custom_status_descr#") +
                    std::string("\r\n");
        }
        WriteText(profile + "_st_cust.txt", text);
        WritePrivateProfileStringA("Status", "Picture", std::to_string(picture).c_str(),
                                   (profile + "zem.ini").c_str());
    }
    std::string ProfileFolder(const std::string& account) const
    {
        return Folder + "Users\\" + account + "\\";
    }
};

struct ClientsTest : ::testing::Test, PlayerSession {
    std::vector<std::unique_ptr<StandInClient>> clients;

    // Served as a user would set it up: picture, caption and long status,
    // with the user's own texts in the templates.
    void InstallServing(const std::vector<std::pair<const char*, const char*>>& values = {})
    {
        Install({{"SetPicture", "1"},
                 {"SetStatus", "1"},
                 {"SetLongStatus", "1"},
                 {"Compatible", "0"},
                 {"Status", "%Status - %Artist"},
                 {"LongStatus", "%Status2: %Title"}});
        for (const auto& value : values) SetValue(value.first, value.second);
    }
    StandInClient& AddClient(bool zem, const std::string& account, const std::string& status,
                             const std::string& options = "")
    {
        clients.push_back(std::make_unique<StandInClient>(
            folder.Path, (zem ? "zem" : "rnq") + std::to_string(clients.size()), zem));
        StandInClient& client = *clients.back();
        client.Start(account, options);
        if (!status.empty()) client.UserStatus(status);
        return client;
    }
    // A ZEM client showing its own status, picture 5, that saved its file
    // while it showed the first track, as a client may do at any time.
    StandInClient& AddZemWithTrackSaved(const std::string& account)
    {
        clients.push_back(std::make_unique<StandInClient>(
            folder.Path, "zem" + std::to_string(clients.size()), true));
        StandInClient& client = *clients.back();
        client.KeepFromLastRun(account, 5,
                               {{5, "Working#custom_status_descr#at desk"},
                                {11, "Working - Группа#custom_status_descr#at desk: Один"}});
        client.Start(account);
        return client;
    }
};
