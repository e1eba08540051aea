// The slot journal's file: for every client instance whose own statuses the
// plug-in holds, those statuses and the one it last wrote into the client,
// so that they outlive a player that dies before giving them back. Before
// any write into a client its entry says so, with what the write is to
// leave: a player killed in the middle of one leaves that known.
//
// Text, lines ended by CR LF: the line "gen_ZEM slot journal 2"; one line
// per entry with sixteen fields separated by tabs (client name, main window
// title, saved index, then picture, caption and long text of Saved[0],
// Saved[1] and Current, then 1 while a write is under way or else 0, and
// the picture, caption and long text of ToLeave); last the line
// "end <number of entries>". In the texts a backslash, tab, CR and LF are
// written as \\, \t, \r and \n. A journal of the version before ("gen_ZEM slot
// journal 1", the first twelve fields) is read as one with no write under
// way. No entry line (CR LF included) exceeds MaxJournalEntryBytes, so that
// whatever one peer shows, the others' entries stay readable.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "clients/ClientStatus.h"

constexpr uint32_t MaxJournalBytes = 1024 * 1024;  // a larger file is not a journal
constexpr size_t MaxJournalEntries = 64;
// The header and the end line take less than one entry: the most entries
// of the largest size still make a file the reader accepts.
constexpr size_t MaxJournalEntryBytes = MaxJournalBytes / (MaxJournalEntries + 1);

struct TJournalEntry {
    std::string ClientName;
    std::string Title;  // the main window's: the account
    int32_t SavedIndex = 0;
    std::array<TStatus, 2> Saved;
    TStatus Current;  // what the client showed before a write under way
    bool Writing = false;
    TStatus ToLeave;  // what the write under way is to leave
};
using TJournal = std::vector<TJournalEntry>;

std::string JournalText(const TJournal& journal);
// False, with no entries, for a text that is not a whole journal of this
// version or the one before.
bool ParseJournal(const std::string& text, TJournal& journal);

// A missing, damaged or foreign file gives no entries.
TJournal ReadJournal(const std::string& path);
// A new file is written beside the journal and then takes its place, so a
// write cut short leaves the old journal whole. Entries too large are left
// out; none left: no file.
bool WriteJournal(const std::string& path, const TJournal& journal);
