#include "clients/SlotStatus.h"

#include <windows.h>

#include <algorithm>

#include "clients/ClientKinds.h"
#include "clients/ClientsState.h"
#include "clients/SlotJournal.h"
#include "util/Files.h"
#include "util/Text.h"
#include "util/WinUtil.h"

namespace {

const std::string LineEnd = "\r\n";

// A record is one line of the file. A line break inside a text would split
// it (the client reads a lone CR or LF as a line end too) and move every
// later picture's record down a line, so it is written as a blank.
std::string Record(const TStatus& status)
{
    std::string record = status.Caption + CustomStatusMarker + status.LongText;
    std::replace_if(
        record.begin(), record.end(), [](char c) { return c == '\r' || c == '\n'; }, ' ');
    return record;
}

// The same record may stand on other pictures' lines too: the one on the
// picture's own line is the client's, else the first found is taken. The
// record is passed with the line ends around it.
void ReplaceRecord(std::string& text, int32_t picture, const std::string& record,
                   const std::string& replacement)
{
    // Picture n's line begins after the n-th line end.
    size_t start = std::string::npos;
    size_t from = 0;
    for (int32_t n = 0; n < picture; ++n) {
        start = text.find(LineEnd, from);
        if (start == std::string::npos) break;
        from = start + LineEnd.size();
    }
    if (start != std::string::npos && text.compare(start, record.size(), record) == 0)
        text.replace(start, record.size(), replacement);
    else
        text = ReplaceText(text, record, replacement, 0);
}

// Raised while statuses are put back: the drivers then write what they are
// given, as it is.
struct TRestoring {
    TRestoring() { ++GClients.RestoreDepth; }
    ~TRestoring() { --GClients.RestoreDepth; }
    TRestoring(const TRestoring&) = delete;
    TRestoring& operator=(const TRestoring&) = delete;
};

// Why a client has its own status while the track is not shown.
TClientUse OwnStatusUse()
{
    if (!WantedOn(Setting::Active)) return TClientUse::OwnSwitchedOff;
    return GClients.Wanted.TrackLeftAlone ? TClientUse::OwnTrackLeftAlone : TClientUse::OwnStopped;
}

}  // namespace

bool ApplySlotStatus(TClient& slot, const TStatus& status)
{
    if (slot.AccountClosed) return IsZemInstance(slot) && WriteCustomStatusFile(slot);
    // Without its status window the client keeps its statuses until it
    // shows the window again or ends.
    if (!IsValidWindow(slot.StatusWnd.Handle) || !slot.ApplyStatus) {
        slot.Use = TClientUse::StatusWindowClosed;
        return false;
    }
    if (GClients.Wanted.PlayerActive || GClients.RestoreDepth > 0)
        return slot.ApplyStatus(slot, status);
    // While the player is stopped, every cycle puts the user's own back.
    const TStatus saved = LastSaved(slot);
    const bool applied = slot.ApplyStatus(slot, saved);
    if (applied) slot.Use = OwnStatusUse();
    return applied;
}

bool GiveBackSaved(TClient& slot)
{
    TRestoring restoring;
    bool givenBack = false;
    if (WantedOn(Setting::SaveRestore)) {
        for (int j = std::clamp(slot.SavedIndex, 0, 1); j >= 0; --j) {
            const TStatus saved = slot.Saved[j];
            givenBack = ApplySlotStatus(slot, saved);
        }
    }
    return givenBack;
}

void RestoreSlot(TClient& slot)
{
    // Statuses that did not reach the client stay journaled for its next
    // registration.
    if (GiveBackSaved(slot)) ForgetJournalEntry(slot);
    ClearSlot(slot);
}

namespace {

// Another program may hold the file for a moment (a virus scanner looks at
// a file just written, the client started again reads it): the repair is
// tried again a few times before it is given up.
constexpr int FileTries = 5;
constexpr DWORD FileRetryMs = 100;

enum class TRepair { Done, Busy, Refused };

// One try. A file that could not be opened or replaced is busy; one read
// short (cut by a zero byte) must not be written back shorter.
TRepair RepairCustomStatusFile(const TClient& slot, const std::string& path)
{
    std::string text = ReadWholeFile(path);
    const uint32_t size = FileSizeOf(path);
    if (text.empty() && size > 0) return TRepair::Busy;
    if (text.size() != size) return TRepair::Refused;
    const size_t firstEnd = text.find(LineEnd);
    if (firstEnd != std::string::npos && firstEnd > 0)
        text = ReplaceText(text, text.substr(0, firstEnd), CustomStatusMarker, 0);
    // A write answered too late may have been taken: its record is put right
    // as well as the one last seen.
    const TStatus* shown[] = {&slot.Current, slot.ShownUnknown ? &slot.Unconfirmed : nullptr};
    for (const TStatus* status : shown) {
        if (!status) continue;
        const std::string current = LineEnd + Record(*status) + LineEnd;
        for (int j = std::clamp(slot.SavedIndex, 0, 1); j >= 0; --j)
            ReplaceRecord(text, status->PictureIndex, current,
                          LineEnd + Record(slot.Saved[j]) + LineEnd);
    }
    return ReplaceWholeFile(path, text) ? TRepair::Done : TRepair::Busy;
}

}  // namespace

// The client has exited showing the plug-in's texts: its file gets the
// user's own record back, so that the next start does not bring them back.
bool WriteCustomStatusFile(TClient& slot)
{
    if (slot.Current.PictureIndex < 1 || slot.ProfileDir.empty()) return false;
    const std::string path = slot.ProfileDir + CustomStatusFile;
    TRepair repair = TRepair::Busy;
    for (int k = 0; k < FileTries && repair == TRepair::Busy && FileExists(path); ++k) {
        if (k > 0) Sleep(FileRetryMs);
        repair = RepairCustomStatusFile(slot, path);
    }
    return repair == TRepair::Done;
}

void ResetCaptionsFromBackup(TClient& slot)
{
    const std::string file = slot.ProfileDir + CustomStatusFile;
    const std::string backup = slot.ProfileDir + CustomStatusBackup;
    if (!FileExists(backup)) CopyFileA(file.c_str(), backup.c_str(), FALSE);
    if (!FileExists(backup)) return;
    TRestoring restoring;
    TStatus record;
    record.PictureIndex = -1;
    TStatus keep;
    keep.PictureIndex = LastSaved(slot).PictureIndex;
    TRLSResult line = SplitFirst(ReadWholeFile(backup), LineEnd);
    while (line.Position > 0) {
        ++record.PictureIndex;
        const TRLSResult parts = SplitFirst(line.Left, CustomStatusMarker);
        record.Caption = parts.Left;
        record.LongText = parts.Right;
        if (keep.PictureIndex == record.PictureIndex) keep = record;
        ApplySlotStatus(slot, record);
        line = SplitFirst(line.Right, LineEnd);
    }
    ApplySlotStatus(slot, keep);
}
