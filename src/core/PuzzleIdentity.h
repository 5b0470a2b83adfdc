// What a puzzle is, apart from where it lies and what the player has typed:
// a hash of its record with the player's letters (Entry) left out. A renamed
// or moved puzzle keeps its identity; two puzzles of one name do not share
// one. The progress store files everything it keeps under this identity.
#pragma once
#include <string>

#include "core/PuzzleRecord.h"

namespace vlq {

// 16 lower-case hexadecimal digits (64-bit FNV-1a over every byte of the
// record outside Entry). Equal records give equal identities; any change to
// the grid, the answers, the clue texts or the byline gives another one.
std::string puzzleIdentity(const PuzzleRecord& record);

// How far the player's letters fill the grid: squares that take a letter
// (neither black nor punctuation) inside Width x Height, and how many of
// them hold one.
struct FillCount {
    int filled = 0;
    int total = 0;
};
FillCount fillCount(const PuzzleRecord& record);

} // namespace vlq
