#include "PuzzleRules.h"
#include "RecordBounds.h"

#include <algorithm>
#include <stdexcept>

namespace vlq {

namespace {

using bounds::inPuzzle;
using bounds::usedCols;
using bounds::usedRows;

bool isNumbered(const PuzzleRecord& rec, int c, int r) {
    return !rec.isBlack(c, r) && !rec.isPunctuation(c, r);
}

} // namespace

std::string clueLabel(int k) {
    if (k >= 1 && k <= 26) return std::string(1, static_cast<char>(64 + k));
    if (k >= 27 && k <= 30) return std::string(2, static_cast<char>(70 + k));
    return {};
}

int clueCount(const PuzzleRecord& rec) {
    int n = 0;
    for (int k = 1; k <= kMaxClues; ++k)
        if (rec.clueSquares(100 + k) != 0) ++n;
    return n;
}

int answerLength(const PuzzleRecord& rec, int k) {
    if (k < 1 || k > kMaxClues) return 0;
    int j = 0;
    while (j < kMaxAnswer && rec.clueSquares((j + 1) * 100 + k) != 0) ++j;
    return j;
}

int firstEmptyLetter(const PuzzleRecord& rec, int k) {
    const int n = answerLength(rec, k);
    for (int j = 1; j <= n; ++j) {
        const Square s = answerSquare(rec, k, j);
        if (inPuzzle(rec, s) && rec.entry(s.col, s.row) == 0) return j - 1;
    }
    return 0;
}

LetterPlace letterPlace(const PuzzleRecord& rec, Square s) {
    if (!bounds::inPuzzle(rec, s) || rec.isBlack(s.col, s.row)) return {};
    const int code = rec.squareClue(s.col, s.row);
    const int k = code % 100, j = code / 100;
    if (code <= 0 || k < 1 || k > kMaxClues || j < 1 || j > kMaxAnswer) return {};
    return {k, j};
}

Square answerSquare(const PuzzleRecord& rec, int k, int j) {
    if (k < 1 || k > kMaxClues || j < 1 || j > kMaxAnswer)
        throw std::out_of_range("answer letter outside the record");
    return rec.decodeSquare(j * 100 + k);
}

std::string clueLine(const PuzzleRecord& rec, int k) {
    if (k < 1 || k > kMaxClues) return {};
    std::string line = rec.clue(k) + "     ";
    const int n = answerLength(rec, k);
    for (int j = 1; j <= n; ++j) {
        const Square s = answerSquare(rec, k, j);
        const std::uint8_t e = inPuzzle(rec, s) ? rec.entry(s.col, s.row) : 0;
        if (e != 0) {
            line += static_cast<char>(e);
            line += ' ';
        } else {
            line += "__ ";
        }
    }
    return line;
}

std::optional<Square> advance(const PuzzleRecord& rec, Square s) {
    if (!inPuzzle(rec, s)) return std::nullopt;
    const int w = usedCols(rec);
    if (s.col < w) {
        if (!rec.isBlack(s.col + 1, s.row)) return Square{s.col + 1, s.row};
    } else if (s.row < usedRows(rec)) {
        if (!rec.isBlack(1, s.row + 1)) return Square{1, s.row + 1};
    }
    return std::nullopt;
}

std::optional<Square> typingSquare(const PuzzleRecord& rec, Square s) {
    std::optional<Square> at = s;
    // Each step moves on in reading order, so this ends within the grid.
    while (at && inPuzzle(rec, *at) && rec.isPunctuation(at->col, at->row)) at = advance(rec, *at);
    if (at && !inPuzzle(rec, *at)) return std::nullopt;
    return at;
}

Square stepBack(const PuzzleRecord& rec, Square s) {
    if (!inPuzzle(rec, s)) return s;
    if (s.col > 1) {
        if (!rec.isBlack(s.col - 1, s.row)) return {s.col - 1, s.row};
    } else if (s.row > 1) {
        const int w = usedCols(rec);
        if (!rec.isBlack(w, s.row - 1)) return {w, s.row - 1};
    }
    return s;
}

std::vector<Square> wordRun(const PuzzleRecord& rec, Square s) {
    std::vector<Square> run;
    if (!inPuzzle(rec, s)) return run;
    for (std::optional<Square> at = s; at; at = advance(rec, *at)) run.push_back(*at);
    return run;
}

bool isCorrect(const PuzzleRecord& rec) {
    const int w = usedCols(rec), h = usedRows(rec);
    for (int r = 1; r <= h; ++r)
        for (int c = 1; c <= w; ++c)
            if (!rec.isBlack(c, r) && rec.entry(c, r) != rec.solution(c, r)) return false;
    return true;
}

std::vector<Square> wrongSquares(const PuzzleRecord& rec) {
    std::vector<Square> wrong;
    const int w = usedCols(rec), h = usedRows(rec);
    for (int r = 1; r <= h; ++r)
        for (int c = 1; c <= w; ++c)
            if (!rec.isBlack(c, r) && rec.entry(c, r) != rec.solution(c, r)) wrong.push_back({c, r});
    return wrong;
}

std::vector<Square> wordSquares(const PuzzleRecord& rec, Square s) {
    if (!inPuzzle(rec, s) || rec.isBlack(s.col, s.row)) return {};
    for (Square back = stepBack(rec, s); !(back == s); back = stepBack(rec, s)) s = back;
    return wordRun(rec, s);
}

bool isWrongSquare(const PuzzleRecord& rec, Square s) {
    if (!inPuzzle(rec, s) || rec.isBlack(s.col, s.row)) return false;
    const std::uint8_t e = rec.entry(s.col, s.row);
    return e != 0 && e != rec.solution(s.col, s.row);
}

int squareNumber(const PuzzleRecord& rec, Square s) {
    if (!inPuzzle(rec, s) || !isNumbered(rec, s.col, s.row)) return 0;
    const int w = usedCols(rec);
    int n = 0;
    for (int r = 1; r <= s.row; ++r) {
        const int last = r < s.row ? w : s.col;
        for (int c = 1; c <= last; ++c)
            if (isNumbered(rec, c, r)) ++n;
    }
    return n;
}

} // namespace vlq
