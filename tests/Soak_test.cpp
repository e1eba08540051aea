// A long run: thousands of update cycles over 21 clients, with track
// changes and clients that come and go, must leave the player with no more
// objects and memory than after the first few hundred. CTest labels it
// "long".
#include <gtest/gtest.h>

#include <windows.h>
// psapi.h needs windows.h first
#include <psapi.h>

#include <algorithm>
#include <string>
#include <vector>

#include "sim/common/TextFile.h"
#include "tests/ClientSession.h"

namespace {

// What the player process holds. Wine's GetGuiResources is a stub that
// answers 0 for every process, so its windows and kernel handles are
// counted too; PagefileUsage is the private memory on Windows (its commit
// charge) and under Wine (its resident anonymous memory and swap).
struct TResources {
    DWORD GdiObjects = 0;
    DWORD UserObjects = 0;
    size_t Windows = 0;
    size_t Handles = 0;
    size_t PrivateBytes = 0;
};

struct TWindowCount {
    DWORD ProcessId;
    size_t Count;
};

BOOL CALLBACK CountChild(HWND, LPARAM data)
{
    ++reinterpret_cast<TWindowCount*>(data)->Count;
    return TRUE;
}

BOOL CALLBACK CountTopLevel(HWND window, LPARAM data)
{
    TWindowCount& count = *reinterpret_cast<TWindowCount*>(data);
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    if (processId != count.ProcessId) return TRUE;
    ++count.Count;
    EnumChildWindows(window, CountChild, data);
    return TRUE;
}

size_t WindowsOf(DWORD processId)
{
    TWindowCount count{processId, 0};
    EnumWindows(CountTopLevel, reinterpret_cast<LPARAM>(&count));
    return count.Count;
}

// The system's handle table (SystemExtendedHandleInformation), which Wine
// fills; GetProcessHandleCount answers 0 there.
struct THandleEntry {
    PVOID Object;
    ULONG_PTR ProcessId;
    ULONG_PTR Value;
    ULONG Access;
    USHORT BackTrace;
    USHORT Type;
    ULONG Attributes;
    ULONG Reserved;
};

size_t HandlesOf(DWORD processId)
{
    using TQuery = LONG(WINAPI*)(ULONG, PVOID, ULONG, PULONG);
    const auto query = reinterpret_cast<TQuery>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleA("ntdll.dll"), "NtQuerySystemInformation")));
    if (!query) return 0;
    constexpr ULONG ExtendedHandleInformation = 64;
    std::vector<char> table(1 << 20);
    ULONG needed = 0;
    while (query(ExtendedHandleInformation, table.data(), static_cast<ULONG>(table.size()),
                 &needed) != 0) {
        if (table.size() >= (64u << 20)) return 0;
        table.resize(table.size() * 2);
    }
    const ULONG_PTR count = *reinterpret_cast<const ULONG_PTR*>(table.data());
    const auto* entries =
        reinterpret_cast<const THandleEntry*>(table.data() + 2 * sizeof(ULONG_PTR));
    size_t owned = 0;
    for (ULONG_PTR i = 0; i < count; ++i) owned += entries[i].ProcessId == processId;
    return owned;
}

TResources ResourcesOf(const TChildProcess& process)
{
    TResources resources;
    HANDLE handle = process.Info.hProcess;
    resources.GdiObjects = GetGuiResources(handle, GR_GDIOBJECTS);
    resources.UserObjects = GetGuiResources(handle, GR_USEROBJECTS);
    resources.Windows = WindowsOf(process.Id());
    resources.Handles = HandlesOf(process.Id());
    PROCESS_MEMORY_COUNTERS memory{};
    memory.cb = sizeof memory;
    if (GetProcessMemoryInfo(handle, &memory, sizeof memory))
        resources.PrivateBytes = memory.PagefileUsage;
    return resources;
}

std::string Describe(const TResources& r)
{
    return "gdi " + std::to_string(r.GdiObjects) + ", user " + std::to_string(r.UserObjects) +
           ", windows " + std::to_string(r.Windows) + ", handles " + std::to_string(r.Handles) +
           ", private " + std::to_string(r.PrivateBytes / 1024) + " KiB";
}

const char Tracks[] =
    u8"file=C:\\Музыка\\Один.mp3\tartist=Группа\ttitle=Один\tlength=245\n"
    u8"file=C:\\Музыка\\Два.mp3\tartist=Другая группа\ttitle=Два\tlength=199\n"
    u8"file=C:\\Music\\three.ogg\tartist=Band\ttitle=Three\talbum=Album\tlength=61\n";

constexpr int ClientCount = 21;
constexpr size_t WarmUpCycles = 200;
constexpr size_t SoakCycles = 2500;
// An idle machine runs all of them within the budget; a slower one (busy
// with other work, or emulating the processor) may run fewer, but goes on
// past the budget until there are enough for the comparison to mean
// anything, within the limit.
constexpr size_t LeastSoakCycles = 600;
constexpr DWORD SoakBudgetMs = 85000;
constexpr DWORD SoakLimitMs = 170000;
constexpr DWORD TrackChangeMs = 4000;
constexpr DWORD ClientChurnMs = 8000;
constexpr DWORD SampleMs = 3000;
constexpr DWORD CountMs = 1000;
// A heap grows in steps; a leak of a hundred bytes a cycle goes beyond this.
constexpr size_t MemorySlack = 256 * 1024;

struct SoakTest : ClientsTest {
    // Update cycles so far: each asks the play state once. The player's log
    // grows by a few lines a cycle; it is searched, not parsed.
    size_t Cycles() const
    {
        std::string text;
        if (!ReadTextFile(logPath, 64u << 20, text)) return 0;
        size_t count = 0;
        for (size_t at = text.find(PlayStateAsked); at != std::string::npos;
             at = text.find(PlayStateAsked, at + 1))
            ++count;
        return count;
    }
    const std::string PlayStateAsked = " REQ 104 0\r\n";
};

TEST_F(SoakTest, ThousandsOfCyclesOverTwentyOneClientsLeaveNothingBehind)
{
    InstallServing({{"DelayV", "0"}});
    for (int i = 0; i < ClientCount; ++i)
        AddClient(i % 2 == 0, std::to_string(600 + i),
                  i % 2 == 0 ? "5|Own|status" : "4|Own|status");
    Start(Tracks);
    Command("play");
    auto served = [&] {
        int count = 0;
        for (const auto& client : clients) count += client->Status().rfind("11|", 0) == 0;
        return count;
    };
    for (DWORD start = GetTickCount(); served() < ClientCount; Sleep(100))
        ASSERT_LT(GetTickCount() - start, 20000u) << served() << " served";

    const DWORD start = GetTickCount();
    DWORD lastTrack = start, lastChurn = start, lastSample = start, lastCount = start;
    size_t churned = 0, tracks = 0;
    bool warm = false;
    TResources baseline;
    size_t baselineCycles = 0;
    std::vector<TResources> samples;
    size_t cycles = Cycles();
    auto soaking = [&] {
        const DWORD elapsed = GetTickCount() - start;
        if (elapsed >= SoakLimitMs) return false;
        if (elapsed < SoakBudgetMs) return cycles < WarmUpCycles + SoakCycles;
        return !warm || cycles - baselineCycles < LeastSoakCycles;
    };
    while (soaking()) {
        Sleep(100);
        const DWORD now = GetTickCount();
        if (now - lastTrack >= TrackChangeMs) {
            Command("next");
            ++tracks;
            lastTrack = now;
        }
        // A client that quits and comes back: its slot is released, its file
        // put right, and it is registered afresh.
        if (now - lastChurn >= ClientChurnMs) {
            const int zem = 2 * static_cast<int>(churned % (ClientCount / 2 + 1));
            clients[zem]->Quit();
            clients[zem]->Start(std::to_string(600 + zem));
            ++churned;
            lastChurn = GetTickCount();
        }
        if (now - lastCount >= CountMs) {
            cycles = Cycles();
            lastCount = now;
        }
        if (!warm && cycles >= WarmUpCycles) {
            warm = true;
            baseline = ResourcesOf(player);
            baselineCycles = cycles;
            lastSample = now;
        } else if (warm && now - lastSample >= SampleMs) {
            samples.push_back(ResourcesOf(player));
            lastSample = now;
        }
    }
    const DWORD elapsed = GetTickCount() - start;
    cycles = Cycles();
    samples.push_back(ResourcesOf(player));
    std::printf("%zu cycles, %zu track changes, %zu clients restarted in %lu ms\n", cycles, tracks,
                churned, elapsed);
    std::printf("after warm-up: %s\n", Describe(baseline).c_str());
    for (const TResources& sample : samples) std::printf("later: %s\n", Describe(sample).c_str());

    ASSERT_TRUE(warm);
    EXPECT_GE(cycles - baselineCycles, LeastSoakCycles);
    EXPECT_GE(churned, 3u);
    // The last samples, once clients have come and gone, against the
    // baseline: counts stay, memory stays within the slack. A handle that
    // the clients' worker holds for a moment (a client being registered, a
    // file being written) may stand in one sample; what leaks stands in
    // each, so each count is the least of the three.
    ASSERT_GE(samples.size(), 3u);
    TResources later = samples.back();
    for (size_t i = samples.size() - 3; i < samples.size(); ++i) {
        later.GdiObjects = std::min(later.GdiObjects, samples[i].GdiObjects);
        later.UserObjects = std::min(later.UserObjects, samples[i].UserObjects);
        later.Windows = std::min(later.Windows, samples[i].Windows);
        later.Handles = std::min(later.Handles, samples[i].Handles);
        later.PrivateBytes = std::min(later.PrivateBytes, samples[i].PrivateBytes);
    }
    EXPECT_LE(later.GdiObjects, baseline.GdiObjects) << Describe(later);
    EXPECT_LE(later.UserObjects, baseline.UserObjects) << Describe(later);
    EXPECT_LE(later.Windows, baseline.Windows) << Describe(later);
    EXPECT_LE(later.Handles, baseline.Handles) << Describe(later);
    EXPECT_LE(later.PrivateBytes, baseline.PrivateBytes + MemorySlack) << Describe(later);
    Close();
}

}  // namespace
