#include "clients/SlotJournal.h"

#include "clients/ClientsState.h"
#include "clients/JournalFile.h"

namespace {

struct TLiveJournal {
    bool Loaded = false;
    std::string Path;
    TJournal Entries;
};

// The clients' worker thread's.
TLiveJournal GLiveJournal;

// Read once: from then on the plug-in is the file's only writer.
TLiveJournal& Journal()
{
    if (!GLiveJournal.Loaded || GLiveJournal.Path != GClients.Wanted.JournalPath) {
        GLiveJournal.Path = GClients.Wanted.JournalPath;
        GLiveJournal.Entries = ReadJournal(GLiveJournal.Path);
        GLiveJournal.Loaded = true;
    }
    return GLiveJournal;
}

bool SameKey(const TClient& slot, const std::string& clientName, const std::string& title)
{
    return slot.ClientName == clientName && slot.MainWnd.Text == title;
}

TJournal::iterator Find(TJournal& entries, const std::string& clientName, const std::string& title)
{
    auto entry = entries.begin();
    while (entry != entries.end() && (entry->ClientName != clientName || entry->Title != title))
        ++entry;
    return entry;
}

TJournal::iterator Find(TJournal& entries, const TClient& slot)
{
    return Find(entries, slot.ClientName, slot.MainWnd.Text);
}

bool IsServed(const TJournalEntry& entry)
{
    for (const TClient& slot : GClients.Slots)
        if (slot.ProcessId != 0 && SameKey(slot, entry.ClientName, entry.Title)) return true;
    return false;
}

// Two processes of one account would share an entry: the lower slot keeps
// it. A slot is told by its process and main window, which its copies and
// a slot still being built share.
bool FirstOfItsKey(const TClient& slot)
{
    for (const TClient& other : GClients.Slots) {
        if (other.ProcessId == 0) continue;
        if (other.ProcessId == slot.ProcessId && other.MainWnd.Handle == slot.MainWnd.Handle)
            return true;
        if (SameKey(other, slot.ClientName, slot.MainWnd.Text)) return false;
    }
    return true;
}

// The user's own status is replaced, or a second one waits to go back.
bool HoldsStatuses(const TClient& slot)
{
    return slot.SavedIndex != 0 || !SameStatus(slot.Current, slot.Saved[0]);
}

bool SameEntry(const TJournalEntry& a, const TJournalEntry& b)
{
    return a.ClientName == b.ClientName && a.Title == b.Title && a.SavedIndex == b.SavedIndex &&
           SameStatus(a.Saved[0], b.Saved[0]) && SameStatus(a.Saved[1], b.Saved[1]) &&
           SameStatus(a.Current, b.Current) && a.Writing == b.Writing &&
           SameStatus(a.ToLeave, b.ToLeave);
}

TJournalEntry EntryOf(const TClient& slot)
{
    TJournalEntry entry;
    entry.ClientName = slot.ClientName;
    entry.Title = slot.MainWnd.Text;
    entry.SavedIndex = slot.SavedIndex;
    entry.Saved = slot.Saved;
    entry.Current = slot.Current;
    entry.ToLeave = slot.Current;
    return entry;
}

// Too many entries: those of instances not served now go, oldest first.
void Trim(TJournal& entries)
{
    for (auto entry = entries.begin();
         entries.size() > MaxJournalEntries && entry != entries.end();)
        entry = IsServed(*entry) ? entry + 1 : entries.erase(entry);
}

// The entry takes the place of the one of its key; the file is written only
// when it changed.
void Keep(const TJournalEntry& entry)
{
    TLiveJournal& journal = Journal();
    const auto found = Find(journal.Entries, entry.ClientName, entry.Title);
    const bool known = found != journal.Entries.end();
    if (known && SameEntry(*found, entry)) return;
    if (known) journal.Entries.erase(found);
    journal.Entries.push_back(entry);
    Trim(journal.Entries);
    WriteJournal(journal.Path, journal.Entries);
}

// The same field of one of the statuses.
template <typename Field>
bool FieldOfOne(const TStatus& shown, const std::array<const TStatus*, 5>& statuses, Field field)
{
    for (const TStatus* status : statuses)
        if (shown.*field == status->*field) return true;
    return false;
}

}  // namespace

std::string JournalPathFor(const std::string& settingsFile)
{
    const std::string ini = ".ini";
    const bool withIni =
        settingsFile.size() >= ini.size() &&
        settingsFile.compare(settingsFile.size() - ini.size(), ini.size(), ini) == 0;
    return (withIni ? settingsFile.substr(0, settingsFile.size() - ini.size()) : settingsFile) +
           ".journal";
}

void JournalAhead(const TClient& slot, const TStatus& shown, const TStatus& toLeave)
{
    if (slot.ProcessId == 0 || !FirstOfItsKey(slot)) return;
    TJournalEntry entry = EntryOf(slot);
    entry.Current = shown;
    entry.Writing = true;
    entry.ToLeave = toLeave;
    Keep(entry);
}

void JournalSlot(const TClient& slot)
{
    if (slot.ProcessId == 0 || slot.ShownUnknown || slot.Cut || !FirstOfItsKey(slot)) return;
    if (HoldsStatuses(slot)) return Keep(EntryOf(slot));
    ForgetJournalEntry(slot);
}

void ForgetJournalEntry(const TClient& slot)
{
    if (slot.ProcessId == 0) return;
    TLiveJournal& journal = Journal();
    const auto found = Find(journal.Entries, slot);
    if (found == journal.Entries.end()) return;
    journal.Entries.erase(found);
    WriteJournal(journal.Path, journal.Entries);
}

bool LeftByCutWrite(const TJournalEntry& entry, const TStatus& shown)
{
    const TStatus empty;
    const std::array<const TStatus*, 5> statuses = {&entry.Saved[0], &entry.Saved[1],
                                                    &entry.Current, &entry.ToLeave, &empty};
    return FieldOfOne(shown, statuses, &TStatus::PictureIndex) &&
           FieldOfOne(shown, statuses, &TStatus::Caption) &&
           FieldOfOne(shown, statuses, &TStatus::LongText);
}

bool RecallJournalEntry(TClient& slot)
{
    TLiveJournal& journal = Journal();
    const auto found = Find(journal.Entries, slot);
    if (found == journal.Entries.end()) return false;
    const bool cut = found->Writing && LeftByCutWrite(*found, slot.Current);
    if (!cut && !SameStatus(found->Current, slot.Current)) return false;
    slot.SavedIndex = found->SavedIndex;
    slot.Saved = found->Saved;
    slot.Cut = cut;
    return true;
}
