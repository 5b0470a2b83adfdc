// A full soundness check of a puzzle file: every rule the game relies on
// without checking it itself. PuzzleRecord::validate() only keeps the
// program inside the record; this check also demands the consistency of
// grid, cross-references and clues that a well-made puzzle has.
#pragma once
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "PuzzleRecord.h"

namespace vlq {

// Problems of a file's bytes, one sentence each, in the order found; empty
// for a sound puzzle file. Rules:
// - at least 11519 bytes (more are ignored by the game, so they are a
//   warning, added to *warnings when given, not a problem);
// - Width 1..31, Height 1..21;
// - clue texts and byline at most 80 characters;
// - every Solution byte of the grid a capital letter, black (219),
//   apostrophe (39) or hyphen (45); every Entry byte 0, a capital letter,
//   39, 45 or 255;
// - the clues present (first-letter entry 100 + k not 0) are 1..N without
//   gaps, N >= 1, and clue k has text exactly when it is present;
// - every answer letter names a letter square inside the grid whose letter
//   code names that answer letter back;
// - every letter square belongs to an answer letter, black and punctuation
//   squares to none.
std::vector<std::string> checkPuzzleFile(std::span<const std::uint8_t> data,
                                         std::vector<std::string>* warnings = nullptr);

// What to check: every rule, or those a game needs to be playable: the
// grid's bytes (the player's too) and the answers and squares naming each
// other, and some clue with a text (not each clue's text and their
// numbering, nor letter squares outside every answer, which the grid still
// takes letters in).
enum class CheckScope { Everything, Play };

// The same rules over a record image of the right size.
std::vector<std::string> checkPuzzle(const PuzzleRecord::Bytes& image, CheckScope scope = CheckScope::Everything);

} // namespace vlq
