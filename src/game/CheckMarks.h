// The marks Check Letter and Check Word leave on wrong letters. They are
// the game's, not a window's (the grid window is made anew for every
// puzzle) and never part of the puzzle file. A mark stays until its
// square's letter changes (the letter door takes it away) or a puzzle is
// read; the grid and the answer strip draw it.
#pragma once
#include <array>
#include <vector>

#include "core/PuzzleRecord.h"

class CheckMarks {
public:
    // Marks each of squares that holds a wrong letter (vlq::isWrongSquare)
    // and returns those, in the order given. Others keep their marks.
    std::vector<vlq::Square> check(const vlq::PuzzleRecord& rec, const std::vector<vlq::Square>& squares);
    bool isMarked(vlq::Square at) const;
    // Takes the mark off square at; whether it had one.
    bool unmark(vlq::Square at);
    void clear() { wrong_.fill(false); }

private:
    static bool inStore(vlq::Square at) {
        return at.col >= 1 && at.row >= 1 && at.col <= vlq::kMaxCols && at.row <= vlq::kMaxRows;
    }
    static std::size_t index(vlq::Square at) { return std::size_t((at.row - 1) * vlq::kMaxCols + (at.col - 1)); }

    std::array<bool, std::size_t(vlq::kMaxCols) * vlq::kMaxRows> wrong_{};
};

// The program's one set of marks, alive for the whole run.
CheckMarks& checkMarks();
