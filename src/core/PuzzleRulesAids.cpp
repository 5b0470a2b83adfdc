// Rules behind the solving aids: what a square is linked to, its corner
// labels and the cursor's keyboard moves.
#include "PuzzleRules.h"
#include "RecordBounds.h"

#include <algorithm>

namespace vlq {

namespace {

using bounds::inPuzzle;
using bounds::usedCols;
using bounds::usedRows;

bool isLetterSquare(const PuzzleRecord& rec, Square s) {
    return inPuzzle(rec, s) && !rec.isBlack(s.col, s.row) && !rec.isPunctuation(s.col, s.row);
}

// Square index in reading order, from 0, and back.
int indexOf(const PuzzleRecord& rec, Square s) { return (s.row - 1) * usedCols(rec) + (s.col - 1); }
Square squareAt(const PuzzleRecord& rec, int i) { return {i % usedCols(rec) + 1, i / usedCols(rec) + 1}; }
int squareCount(const PuzzleRecord& rec) { return usedCols(rec) * usedRows(rec); }

bool blackAt(const PuzzleRecord& rec, int i) {
    const Square q = squareAt(rec, i);
    return rec.isBlack(q.col, q.row);
}

// Start of the word holding square index i (not black).
int wordStartIndex(const PuzzleRecord& rec, int i) {
    while (i > 0 && !blackAt(rec, i - 1)) --i;
    return i;
}

} // namespace

std::vector<Square> answerSquares(const PuzzleRecord& rec, int k) {
    std::vector<Square> squares;
    const int n = answerLength(rec, k);
    for (int j = 1; j <= n; ++j) {
        const Square q = answerSquare(rec, k, j);
        if (inPuzzle(rec, q)) squares.push_back(q);
    }
    return squares;
}

LinkedPlaces linkedPlaces(const PuzzleRecord& rec, Square s) {
    LinkedPlaces places;
    const auto [k, j] = letterPlace(rec, s);
    if (k == 0 || j > answerLength(rec, k)) return places;
    places.clue = k;
    places.letter = j;
    places.answer = answerSquares(rec, k);
    places.stripIndex = j - 1;
    places.titleSquare = j == 1 ? k : 0;
    return places;
}

SquareLabel squareLabel(const PuzzleRecord& rec, Square s) {
    SquareLabel label;
    if (!isLetterSquare(rec, s)) return label;
    label.number = squareNumber(rec, s);
    label.clue = clueLabel(letterPlace(rec, s).clue);
    return label;
}

Square arrowMove(const PuzzleRecord& rec, Square s, int dc, int dr) {
    if (!inPuzzle(rec, s)) return s;
    for (Square q{s.col + dc, s.row + dr}; inPuzzle(rec, q) && (dc || dr); q = {q.col + dc, q.row + dr})
        if (!rec.isBlack(q.col, q.row)) return q;
    return s;
}

Square rowStart(const PuzzleRecord& rec, Square s) {
    if (!inPuzzle(rec, s)) return s;
    for (int c = 1; c <= usedCols(rec); ++c)
        if (!rec.isBlack(c, s.row)) return {c, s.row};
    return s;
}

Square rowEnd(const PuzzleRecord& rec, Square s) {
    if (!inPuzzle(rec, s)) return s;
    for (int c = usedCols(rec); c >= 1; --c)
        if (!rec.isBlack(c, s.row)) return {c, s.row};
    return s;
}

Square nextWord(const PuzzleRecord& rec, Square s) {
    if (!inPuzzle(rec, s)) return s;
    const int n = squareCount(rec);
    int i = indexOf(rec, s);
    // To the end of this word, over the black squares after it, wrapping
    // round once at most.
    for (int steps = 0; steps < n; ++steps) {
        const bool wasBlack = blackAt(rec, i);
        i = (i + 1) % n;
        const bool startsWord = !blackAt(rec, i) && (wasBlack || i == 0);
        if (startsWord) return squareAt(rec, i);
    }
    return s;
}

Square previousWord(const PuzzleRecord& rec, Square s) {
    if (!inPuzzle(rec, s) || rec.isBlack(s.col, s.row)) return s;
    const int n = squareCount(rec);
    const int start = wordStartIndex(rec, indexOf(rec, s));
    // Back over the black squares before this word to the previous word's
    // last square, wrapping round to the grid's end.
    int i = start;
    for (int steps = 0; steps < n; ++steps) {
        i = (i - 1 + n) % n;
        if (!blackAt(rec, i)) return squareAt(rec, wordStartIndex(rec, i));
    }
    return s;
}

std::optional<Square> runOn(const PuzzleRecord& rec, Square s) {
    if (!inPuzzle(rec, s)) return std::nullopt;
    for (int i = indexOf(rec, s) + 1; i < squareCount(rec); ++i)
        if (isLetterSquare(rec, squareAt(rec, i))) return squareAt(rec, i);
    return std::nullopt;
}

std::optional<Square> runBack(const PuzzleRecord& rec, Square s) {
    if (!inPuzzle(rec, s)) return std::nullopt;
    for (int i = indexOf(rec, s) - 1; i >= 0; --i)
        if (isLetterSquare(rec, squareAt(rec, i))) return squareAt(rec, i);
    return std::nullopt;
}

std::optional<Square> firstEmptySquare(const PuzzleRecord& rec) {
    std::optional<Square> first;
    for (int i = 0; i < squareCount(rec); ++i) {
        const Square q = squareAt(rec, i);
        if (!isLetterSquare(rec, q)) continue;
        if (!first) first = q;
        if (rec.entry(q.col, q.row) == 0) return q;
    }
    return first;
}

} // namespace vlq
