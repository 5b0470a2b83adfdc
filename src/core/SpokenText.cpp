#include "SpokenText.h"

#include <algorithm>

#include "PuzzleRules.h"

namespace vlq {

namespace {

bool inPuzzle(const PuzzleRecord& rec, Square s) {
    return s.col >= 1 && s.row >= 1 && s.col <= std::clamp(rec.width(), 0, kMaxCols) &&
           s.row <= std::clamp(rec.height(), 0, kMaxRows);
}

// A player's letter that shows: printable ASCII other than the space.
bool shows(std::uint8_t e) { return e > ' ' && e < 127; }

std::string place(Square s) { return "row " + std::to_string(s.row) + ", column " + std::to_string(s.col); }

} // namespace

std::string describeSquare(const PuzzleRecord& rec, Square s) {
    if (!inPuzzle(rec, s)) return {};
    if (rec.isBlack(s.col, s.row)) return place(s) + ", black square";
    const std::uint8_t solution = rec.solution(s.col, s.row);
    if (solution == kApostrophe) return place(s) + ", apostrophe";
    if (solution == kHyphen) return place(s) + ", hyphen";

    std::string text = std::to_string(squareNumber(rec, s));
    const std::string label = clueLabel(letterPlace(rec, s).clue);
    if (!label.empty()) text += " " + label;
    const std::uint8_t e = rec.entry(s.col, s.row);
    return text + ", " + place(s) + ", " + (shows(e) ? std::string(1, char(e)) : std::string("empty"));
}

std::string describeClue(const PuzzleRecord& rec, int k) {
    if (k < 1 || k > kMaxClues) return {};
    const int n = answerLength(rec, k);
    int filled = 0;
    for (int j = 1; j <= n; ++j) {
        const Square s = answerSquare(rec, k, j);
        if (inPuzzle(rec, s) && shows(rec.entry(s.col, s.row))) ++filled;
    }
    return clueLabel(k) + ". " + rec.clue(k) + ", " + std::to_string(n) + (n == 1 ? " letter, " : " letters, ") +
           std::to_string(filled) + " filled";
}

std::string describeAnswerLetter(const PuzzleRecord& rec, int k, int j) {
    const int n = answerLength(rec, k);
    if (j < 1 || j > n) return {};
    const Square s = answerSquare(rec, k, j);
    if (!inPuzzle(rec, s)) return {};
    const std::uint8_t e = rec.entry(s.col, s.row);
    return std::to_string(j) + " of " + std::to_string(n) + ", square " + std::to_string(squareNumber(rec, s)) + ", " +
           (shows(e) ? std::string(1, char(e)) : std::string("empty"));
}

std::string describeTitleSquare(const PuzzleRecord& rec, int i, int count) {
    if (i < 1 || i > count || i > kMaxClues) return {};
    const Square s = answerSquare(rec, i, 1);
    const std::uint8_t e = inPuzzle(rec, s) ? rec.entry(s.col, s.row) : 0;
    return "clue " + clueLabel(i) + ", " + std::to_string(i) + " of " + std::to_string(count) + ", " +
           (shows(e) ? std::string(1, char(e)) : std::string("empty"));
}

std::string describeClueLetters(const PuzzleRecord& rec, int k) {
    if (k < 1 || k > kMaxClues) return {};
    const int n = answerLength(rec, k);
    std::string text = clueLabel(k) + ". " + rec.clue(k) + ", " + std::to_string(n) + (n == 1 ? " letter:" : " letters:");
    for (int j = 1; j <= n; ++j) {
        const Square s = answerSquare(rec, k, j);
        const std::uint8_t e = inPuzzle(rec, s) ? rec.entry(s.col, s.row) : 0;
        text += shows(e) ? std::string(" ") + char(e) : std::string(" blank");
    }
    return text;
}

} // namespace vlq
