// Builds a puzzle record from its text source: lays the quotation out as the
// grid, checks the answers against it and ties every answer letter to one
// grid square. The same source always gives the same record.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "PuzzleRecord.h"
#include "PuzzleSource.h"

namespace vlq {

// The quotation as grid squares in reading order: capital letters, the
// punctuation bytes 39 and 45, and one black square (219) between words.
// An apostrophe or hyphen counts only between two letters; other
// punctuation is dropped; white space, dashes ("--", en and em dash) and
// slashes separate words. Digits and letters the player cannot type are
// problems (reported against `line`).
struct QuotationSquares {
    std::vector<std::uint8_t> squares;
    std::vector<SourceProblem> problems;
};
QuotationSquares quotationSquares(const std::string& quotationUtf8, int line = 0);

// The width the builder chooses for `count` squares (1..651): a grid a
// little wider than high, with little waste in its last row, at most 31
// columns and at most 21 rows. 0 when count is outside 1..651.
int chooseWidth(int count);

// Ties every answer letter to a square of `squares` (as quotationSquares
// gives them) holding that letter, each square to at most one letter,
// spreading an answer over different words where it can; the same input
// always gives the same choice. Per answer, the indexes into `squares` in
// letter order; empty when a letter finds no free square.
std::vector<std::vector<int>> spreadAnswers(const std::vector<std::uint8_t>& squares,
                                            const std::vector<std::string>& answers);

struct BuildResult {
    PuzzleRecord record;
    std::vector<SourceProblem> problems; // empty when record is the puzzle
    bool ok() const { return problems.empty(); }
};

// Every problem of the source is listed: letters the answers lack or have
// beyond the quotation, first letters that do not spell the source, answers
// or texts too long for the record, a quotation too long for the grid.
BuildResult buildPuzzle(const PuzzleSource& source);

} // namespace vlq
