#include "util/SendReplay.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

namespace {

constexpr size_t MaxRecords = 2 * 21;
// Texts come from other processes: a record that would hold more is not
// kept, and its work starts afresh.
constexpr size_t MaxRecordBytes = 1024 * 1024;
constexpr size_t NoRecord = static_cast<size_t>(-1);

struct TSent {
    HWND Window = nullptr;
    UINT Message = 0;
    WPARAM WParam = 0;
    LPARAM LParam = 0;
    std::string Text;  // handed over (WM_SETTEXT) or got back (WM_GETTEXT)
    TAnswer Answer;
};

// Free while Key is null. Records are reused, never moved: a work that
// runs holds the index of its own.
struct TRecord {
    HWND Key = nullptr;
    TWork Work = TWork::Update;
    uint32_t Pass = 0;  // the pass that ran the work last
    size_t Bytes = 0;
    bool Whole = true;
    std::vector<TSent> Sends;
};

std::vector<TRecord> Records;
uint32_t PassNumber = 0;
TResumable* Innermost = nullptr;

std::string SentText(UINT message, WPARAM wParam, LPARAM lParam)
{
    const char* text = reinterpret_cast<const char*>(lParam);
    if (!text) return std::string();
    // The text handed over is the plug-in's own, terminated.
    if (message == WM_SETTEXT) return text;
    if (message == WM_GETTEXT) return std::string(text, strnlen(text, wParam));
    return std::string();
}

bool SameSend(const TSent& sent, HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (sent.Window != window || sent.Message != message || sent.WParam != wParam) return false;
    // The buffer of a read is another one every time.
    if (message == WM_GETTEXT) return true;
    if (message == WM_SETTEXT) return sent.Text == SentText(message, wParam, lParam);
    return sent.LParam == lParam;
}

TRecord* RecordOfWork()
{
    if (!Innermost || Innermost->Record == NoRecord) return nullptr;
    return &Records[Innermost->Record];
}

bool IsRunning(size_t record)
{
    for (const TResumable* work = Innermost; work; work = work->Outer)
        if (work->Record == record) return true;
    return false;
}

size_t FindRecord(HWND key, TWork work)
{
    for (size_t i = 0; i < Records.size(); ++i)
        if (Records[i].Key == key && Records[i].Work == work) return i;
    return NoRecord;
}

size_t NewRecord(HWND key, TWork work)
{
    // A free record is reset whole, whatever work it held.
    size_t at = FindRecord(nullptr, TWork::Update);
    if (at == NoRecord) {
        if (Records.size() >= MaxRecords) return NoRecord;
        Records.emplace_back();
        at = Records.size() - 1;
    }
    Records[at].Key = key;
    Records[at].Work = work;
    return at;
}

}  // namespace

TResumable::TResumable(HWND key, TWork work) : Outer(Innermost), Record(FindRecord(key, work))
{
    Innermost = this;
    if (!key) Record = NoRecord;
    try {
        if (key && Record == NoRecord) Record = NewRecord(key, work);
    } catch (...) {
        Record = NoRecord;
    }
    if (Record != NoRecord) Records[Record].Pass = PassNumber;
}

TResumable::~TResumable()
{
    Innermost = Outer;
    if (Record == NoRecord) return;
    TRecord& record = Records[Record];
    // Done, or too large to go on from: the next run starts afresh.
    if (!WasCut || !record.Whole) record = TRecord{};
}

bool ReplaySend(HWND window, UINT message, WPARAM wParam, LPARAM lParam, TAnswer& answer)
{
    TRecord* record = RecordOfWork();
    if (!record) return false;
    size_t& at = Innermost->Replayed;
    if (at >= record->Sends.size()) return false;
    const TSent& sent = record->Sends[at];
    if (!SameSend(sent, window, message, wParam, lParam)) {
        // The work took another way: from here on it is sent anew.
        record->Sends.resize(at);
        record->Bytes = 0;
        for (const TSent& kept : record->Sends) record->Bytes += kept.Text.size();
        return false;
    }
    ++at;
    if (message == WM_GETTEXT && wParam > 0 && lParam) {
        char* buffer = reinterpret_cast<char*>(lParam);
        const size_t length = std::min(sent.Text.size(), static_cast<size_t>(wParam) - 1);
        std::memcpy(buffer, sent.Text.data(), length);
        buffer[length] = '\0';
    }
    answer = sent.Answer;
    return true;
}

void RecordSend(HWND window, UINT message, WPARAM wParam, LPARAM lParam, const TAnswer& answer)
{
    TRecord* record = RecordOfWork();
    if (!record || !record->Whole) return;
    try {
        TSent sent{window, message, wParam, lParam, SentText(message, wParam, lParam), answer};
        record->Bytes += sent.Text.size();
        if (record->Bytes > MaxRecordBytes) {
            record->Whole = false;
            record->Sends.clear();
            return;
        }
        record->Sends.push_back(std::move(sent));
        Innermost->Replayed = record->Sends.size();
    } catch (...) {
        record->Whole = false;
    }
}

void CutResumableWork()
{
    for (TResumable* work = Innermost; work; work = work->Outer) work->WasCut = true;
}

void BeginReplayPass()
{
    ++PassNumber;
    for (size_t i = 0; i < Records.size(); ++i)
        if (!IsRunning(i) && Records[i].Pass + 1 < PassNumber) Records[i] = TRecord{};
}

void DropAllResumableWork()
{
    // A work that runs keeps its place, emptied: it is abandoned anyway.
    for (size_t i = 0; i < Records.size(); ++i) {
        TRecord emptied;
        if (IsRunning(i)) {
            emptied.Key = Records[i].Key;
            emptied.Work = Records[i].Work;
            emptied.Pass = Records[i].Pass;
        }
        Records[i] = std::move(emptied);
    }
}
