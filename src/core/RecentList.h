// The recent-puzzle list: which history entries the Puzzle menu shows and
// the settings HistoryPuzzle1..3 store, and the menu caption of each entry.
#pragma once
#include <array>
#include <string>
#include <vector>

namespace vlq {

// Suffix that turns a puzzle path into a history entry.
inline constexpr const char* kHistorySuffix = " /s";

// The entries to show and to store as HistoryPuzzle1.. in this order, at most
// three, none empty. The open puzzle (currentPuzzle non-empty and a puzzle
// open) comes first as currentPuzzle + " /s", then the stored entries in
// order; an entry equal to one already taken, ignoring ASCII letter case, is
// dropped. Settings numbered above the returned count keep their old values.
std::vector<std::string> recentEntries(const std::string& currentPuzzle, bool puzzleOpen,
                                       const std::array<std::string, 3>& history);

// Menu caption of the entry shown at place `shown` (1..3): "&", the number,
// a blank, then the file name part of the entry's path (after the last '/'
// or '\') less its extension (four characters), upper-cased; "&" in the name is
// doubled so that it shows as itself. "&1 SUNDAY" for ".../Sunday.vlq /s".
std::string recentCaption(int shown, const std::string& entry);

// The puzzle path of a history entry: the entry less its last three
// characters (empty when it is shorter).
std::string historyPath(const std::string& entry);

} // namespace vlq
