// The cost of an update cycle:
//   bench.exe [--cycles <n>]
//   bench.exe --hold
// For 0, 1, 5 and 21 stand-in clients (ZEM and RnQ by turns), the median
// wall time of one cycle, the messages it sends to other processes, and the
// median time of the same messages sent bare, which is the floor; the
// figure of merit is the cycle over the floor. "same" cycles find the track
// unchanged and only read the clients; "new" cycles bring another track
// every time and write it into every client. The plug-in runs with its
// shipped settings, without the tray icon.
// With --hold: the longest time one cycle held the player's thread, with
// one prompt ZEM and slow (every message answered after 150 ms) or hung
// ZEMs beside it, over their registrations, track changes and idle cycles;
// then how long the close waited for the clients' own statuses. The last
// two cases play a 65 KB file name, the second against a costly list of
// files left alone: their difference is what matching the list costs.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "bench/BenchPlayer.h"
#include "bench/SendLog.h"
#include "clients/Instances.h"
#include "clients/SlotStatus.h"
#include "clients/Worker.h"
#include "plugin/Plugin.h"
#include "plugin/UpdateCycle.h"
#include "plugin/gen_ZEM.h"
#include "sim/common/StandIns.h"
#include "tests/TempFolder.h"

namespace {

constexpr int DefaultCycles = 41;
constexpr int WarmUpCycles = 5;
const int ClientCounts[] = {0, 1, 5, 21};

struct THoldCase {
    const char* Name;
    int Others;
    const char* Command;
    bool LongFile;     // the player reports a 65 KB file name
    bool HostileSkip;  // against a costly list of files left alone
};
const THoldCase HoldCases[] = {{"0 slow", 0, "", false, false},
                               {"1 slow", 1, "slow 150", false, false},
                               {"5 slow", 5, "slow 150", false, false},
                               {"1 hung", 1, "hang 60000", false, false},
                               {"65 KB file name", 0, "", true, false},
                               {"  and hostile skip", 0, "", true, true}};
// The longest file name the player may report, and patterns that a match
// place by place takes quadratic time to refuse: a long piece, and many
// pieces of "?" that no place of the name ends.
const std::string HostileFile = "C:\\" + std::string(65000, 'a') + ".mp3";
std::string HostileList()
{
    std::string list = "*" + std::string(10000, 'a') + "b";
    for (int i = 0; i < 150; ++i) list += "||*" + std::string(60, '?') + "#*";
    return list;
}
const std::string HostileSkip = HostileList();
constexpr int HoldCycles = 60;
constexpr int HoldTrackEvery = 20;
// Between two cycles the worker does its part, as between two timer ticks.
constexpr DWORD HoldIntervalMs = 100;

struct TRow {
    int Clients;
    const char* Kind;
    size_t Messages;
    double CycleMs;
    double FloorMs;
};

double Now()
{
    LARGE_INTEGER counter{}, frequency{};
    QueryPerformanceCounter(&counter);
    QueryPerformanceFrequency(&frequency);
    return static_cast<double>(counter.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values.empty() ? 0.0 : values[values.size() / 2];
}

// A fresh plug-in state on the benchmark's player.
void ResetPlugin(HWND player)
{
    CopyState(DefaultState, CurrentState);
    CurrentState.Values[SettingIndex(Setting::SetTray)] = "0";
    PluginRecord.hwndParent = player;
}

// The close as the player's thread waits for it; the worker ends then.
double CloseWait()
{
    const double start = Now();
    RestoreAllClients(WantedNow());
    const double waited = Now() - start;
    EndWorker(false, TWanted{});
    return waited;
}

void RunCycle(HWND player)
{
    UpdateStatus(player, WM_TIMER, UpdateTimerId, 0);
}

// Without a worker, the benchmark's thread does the worker's pass itself:
// the cost of a cycle is the player's part and the clients' part.
void RunCycleAndPass(HWND player)
{
    RunCycle(player);
    GClients.Wanted = WantedNow();
    ServeClients();
}

using TClients = std::vector<std::unique_ptr<TClientProcess>>;

bool StartClients(const std::string& folder, int count, TClients& clients, bool zemOnly = false)
{
    for (int i = 0; i < count; ++i) {
        const bool zem = zemOnly || i % 2 == 0;
        clients.push_back(std::make_unique<TClientProcess>(
            folder, (zem ? "zem" : "rnq") + std::to_string(i), zem));
        TClientProcess& client = *clients.back();
        if (!client.Start(std::to_string(700 + i)) || !client.UserStatus("5|Own|status"))
            return false;
    }
    return true;
}

// Each cycle is followed by its own messages sent bare, so that both meet
// the same load of the machine.
TRow Measure(HWND player, int clients, bool newTrack, int cycles)
{
    std::vector<TSentMessage> sent;
    std::vector<double> cycleMs, floorMs;
    for (int i = 0; i < cycles; ++i) {
        if (newTrack) SwitchTrack();
        sent.clear();
        KeepSends(&sent);
        double start = Now();
        RunCycleAndPass(player);
        cycleMs.push_back(Now() - start);
        KeepSends(nullptr);
        start = Now();
        SendBare(sent);
        floorMs.push_back(Now() - start);
    }
    return TRow{clients, newTrack ? "new" : "same", sent.size(), Median(cycleMs), Median(floorMs)};
}

void PrintRow(const TRow& row)
{
    char merit[32] = "-";
    if (row.Messages > 0) std::snprintf(merit, sizeof merit, "%.2f", row.CycleMs / row.FloorMs);
    std::printf("%7d  %-5s  %8zu  %9.3f  %9.3f  %11s\n", row.Clients, row.Kind, row.Messages,
                row.CycleMs, row.FloorMs, merit);
    std::fflush(stdout);
}

struct THold {
    double LongestMs = -1;  // negative when the clients did not start
    double CloseMs = 0;
};

THold LongestHold(HWND player, const THoldCase& hold)
{
    TempFolder folder;
    TClients clients;
    THold result;
    if (!StartClients(folder.Path, 1 + hold.Others, clients, true)) return result;
    for (size_t i = 1; i < clients.size(); ++i)
        if (!clients[i]->Command(hold.Command)) return result;
    ResetPlugin(player);
    if (hold.HostileSkip) CurrentState.Values[SettingIndex(Setting::Skip)] = HostileSkip;
    ReportFileName(hold.LongFile ? HostileFile : std::string());
    StartWorker();
    result.LongestMs = 0;
    for (int i = 0; i < HoldCycles; ++i) {
        if (i % HoldTrackEvery == HoldTrackEvery / 2) SwitchTrack();
        const double start = Now();
        RunCycle(player);
        result.LongestMs = std::max(result.LongestMs, Now() - start);
        Sleep(HoldIntervalMs);
    }
    result.CloseMs = CloseWait();
    return result;
}

int RunHold(HWND player)
{
    std::printf("the longest hold of the player's thread by one cycle, of %d; a new track every %d\n",
                HoldCycles, HoldTrackEvery);
    std::printf("beside one prompt ZEM  longest ms  close waited ms (at most %lu)\n",
                static_cast<unsigned long>(CloseWaitMs));
    for (const THoldCase& hold : HoldCases) {
        const THold held = LongestHold(player, hold);
        if (held.LongestMs < 0) {
            std::fprintf(stderr, "bench: the stand-in clients did not start\n");
            return 2;
        }
        std::printf("%-20s  %10.1f  %15.1f\n", hold.Name, held.LongestMs, held.CloseMs);
        std::fflush(stdout);
    }
    return 0;
}

int Run(HWND player, int cycles)
{
    std::printf("median of %d cycles; times in ms\n", cycles);
    std::printf("clients  cycle  messages   cycle ms   floor ms  cycle/floor\n");
    for (const int count : ClientCounts) {
        TempFolder folder;
        TClients clients;
        if (!StartClients(folder.Path, count, clients)) {
            std::fprintf(stderr, "bench: the stand-in clients did not start\n");
            return 2;
        }
        ResetPlugin(player);
        for (int i = 0; i < WarmUpCycles; ++i) RunCycleAndPass(player);
        PrintRow(Measure(player, count, false, cycles));
        PrintRow(Measure(player, count, true, cycles));
        RestoreAllSlots();
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv)
{
    int cycles = DefaultCycles;
    const bool hold = argc == 2 && std::string(argv[1]) == "--hold";
    if (argc == 3 && std::string(argv[1]) == "--cycles")
        cycles = std::max(1, std::atoi(argv[2]));
    else if (argc != 1 && !hold) {
        std::fprintf(stderr, "usage: bench.exe [--cycles <n> | --hold]\n");
        return 1;
    }
    try {
        ModuleInit();
        HWND player = CreateBenchPlayer();
        if (!player) {
            std::fprintf(stderr, "bench: no player window\n");
            return 3;
        }
        return hold ? RunHold(player) : Run(player, cycles);
    } catch (...) {
        std::fprintf(stderr, "bench: failed\n");
        return 4;
    }
}
