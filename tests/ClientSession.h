// The real plug-in in the stand-in player beside stand-in clients, each its
// own process.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "sim/common/StandIns.h"
#include "tests/PlayerSession.h"

// One stand-in client in a folder of its own (its profile folder is there);
// what it cannot do fails the test.
struct StandInClient : TClientProcess {
    using TClientProcess::TClientProcess;

    void Start(const std::string& account, const std::string& options = "")
    {
        ASSERT_TRUE(TClientProcess::Start(account, options)) << LogPath;
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
    // Waits a little more than one delay: the cycle that follows has run.
    void Cycle() { Sleep(1400); }
};

