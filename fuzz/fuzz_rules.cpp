// Every rule on every record validate() accepts, checked against the
// promises of its contract: moves stay on letter squares inside the grid,
// runs go forward in reading order, numbers count up, answers name grid
// squares, correctness agrees with the wrong squares. Records it refuses
// still go through the rules, which must stay inside the record.
#include <cstdlib>

#include "FuzzRecord.h"
#include "core/PuzzleRules.h"

using namespace vlq;

namespace {
void check(bool ok) {
    if (!ok) std::abort();
}
int order(const PuzzleRecord& rec, Square s) { return (s.row - 1) * rec.width() + s.col; }
} // namespace

// A record validate() refused: the rules promise no more than staying
// inside the record (no exception, no stray read).
void survive(const PuzzleRecord::Bytes& image) {
    PuzzleRecord rec;
    rec.bytes() = image;
    for (int k = 0; k <= kMaxClues + 1; ++k) {
        clueLine(rec, k);
        const int len = answerLength(rec, k);
        // The ends of each answer: squareNumber walks the grid each time.
        if (len > 0) {
            squareNumber(rec, answerSquare(rec, k, 1));
            squareNumber(rec, answerSquare(rec, k, len));
        }
    }
    for (int r = -1; r <= kMaxRows + 1; r += 4)
        for (int c = -1; c <= kMaxCols + 1; c += 3) {
            const Square s{c, r};
            advance(rec, s);
            stepBack(rec, s);
            wordRun(rec, s);
        }
    isCorrect(rec);
    wrongSquares(rec);
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto image = fuzzsupport::imageOf(data, size);
    if (!PuzzleRecord::validate(image).empty()) {
        survive(image);
        return 0;
    }
    PuzzleRecord rec;
    rec.loadBytes(image);
    const int w = rec.width(), h = rec.height();

    const int n = clueCount(rec);
    check(n >= 1 && n <= kMaxClues);
    for (int k = 1; k <= kMaxClues; ++k) {
        const int len = answerLength(rec, k);
        check(len >= 0 && len <= kMaxAnswer);
        check((k <= n) == (len > 0));
        std::size_t lineLength = rec.clue(k).size() + 5;
        for (int j = 1; j <= len; ++j) {
            const Square s = answerSquare(rec, k, j);
            check(rec.inGrid(s.col, s.row));
            lineLength += rec.entry(s.col, s.row) ? 2 : 3;
            // squareNumber walks the grid from (1, 1): the first square of
            // each answer is enough here; the grid loop below checks values.
            if (j == 1) squareNumber(rec, s);
        }
        check(clueLine(rec, k).size() == lineLength);
        check(clueLabel(k).size() == (k <= 26 ? 1u : 2u));
    }

    int number = 0;
    for (int r = 1; r <= h; ++r)
        for (int c = 1; c <= w; ++c) {
            const Square s{c, r};
            if (const auto next = advance(rec, s)) {
                check(rec.inGrid(next->col, next->row) && !rec.isBlack(next->col, next->row));
                check(order(rec, *next) == order(rec, s) + 1);
            }
            const Square back = stepBack(rec, s);
            check(rec.inGrid(back.col, back.row));
            check(back == s || (order(rec, back) == order(rec, s) - 1 && !rec.isBlack(back.col, back.row)));
            const auto run = wordRun(rec, s);
            check(!run.empty() && run.front() == s);
            for (std::size_t i = 1; i < run.size(); ++i) {
                check(!rec.isBlack(run[i].col, run[i].row));
                check(order(rec, run[i]) == order(rec, run[i - 1]) + 1);
            }
            // squareNumber counts from (1, 1) each time; on large grids a
            // sample of squares keeps the run fast.
            const bool numbered = !rec.isBlack(c, r) && !rec.isPunctuation(c, r);
            if (numbered) ++number;
            if (w * h <= 100 || order(rec, s) % 13 == 0 || (c == w && r == h))
                check(squareNumber(rec, s) == (numbered ? number : 0));
        }
    check(isCorrect(rec) == wrongSquares(rec).empty());
    for (const Square& s : wrongSquares(rec)) check(rec.inGrid(s.col, s.row) && !rec.isBlack(s.col, s.row));

    // Outside the grid the moves refuse politely.
    check(!advance(rec, {w + 1, 1}) && wordRun(rec, {1, h + 1}).empty());
    check(squareNumber(rec, {0, 1}) == 0 && stepBack(rec, {0, 0}) == (Square{0, 0}));
    return 0;
}
