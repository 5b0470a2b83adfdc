#include "PuzzleShow.h"

#include <algorithm>
#include <vector>

#include "PuzzleSource.h"
#include "Utf8.h"

namespace vlq {

namespace {

std::string label(int k) {
    if (k >= 1 && k <= 26) return std::string(1, static_cast<char>('A' + k - 1));
    return std::string(2, static_cast<char>('a' + k - 27));
}

// A clue or byline as the file holds it, in UTF-8, its control characters shown as '?'.
std::string printable(const std::string& ansi) { return shownText(fromAnsi(ansi)); }

char solutionChar(std::uint8_t b) {
    if (b == kBlack) return '#';
    if (b >= 'A' && b <= 'Z') return static_cast<char>(b);
    if (b == kApostrophe || b == kHyphen) return static_cast<char>(b);
    return '?';
}

char entryChar(const PuzzleRecord& rec, int c, int r) {
    if (rec.isBlack(c, r)) return '#';
    if (rec.isPunctuation(c, r)) return static_cast<char>(rec.solution(c, r));
    const auto e = rec.entry(c, r);
    return e >= 'A' && e <= 'Z' ? static_cast<char>(e) : '.';
}

// Squares of clue k's answer that lie inside the grid, in letter order.
std::vector<Square> answerSquares(const PuzzleRecord& rec, int k) {
    std::vector<Square> out;
    for (int j = 1; j <= kMaxAnswer; ++j) {
        const Square s = rec.decodeSquare(j * 100 + k);
        if (rec.clueSquares(j * 100 + k) == 0) break;
        if (rec.inGrid(s.col, s.row)) out.push_back(s);
    }
    return out;
}

} // namespace

std::string showPuzzle(const PuzzleRecord& rec) {
    const int w = rec.width();
    const int h = rec.height();
    std::string out;
    auto grid = [&](const std::string& title, auto cellChar) {
        out += title + "\n";
        for (int r = 1; r <= h; ++r) {
            out += "  ";
            for (int c = 1; c <= w; ++c) {
                out += cellChar(c, r);
                if (c < w) out += ' ';
            }
            out += "\n";
        }
    };

    int clues = 0;
    while (clues < kMaxClues && rec.clueSquares(100 + clues + 1) != 0) ++clues;
    out += "Grid " + std::to_string(w) + " x " + std::to_string(h) + ", " + std::to_string(clues) + " clues\n";
    out += "Byline: " + printable(rec.byline()) + "\n\n";
    grid("Solution:", [&](int c, int r) { return solutionChar(rec.solution(c, r)); });
    out += "\n";
    grid("Player's letters:", [&](int c, int r) { return entryChar(rec, c, r); });

    out += "\nClues:\n";
    std::size_t textWidth = 0;
    for (int k = 1; k <= clues; ++k) textWidth = std::max(textWidth, printable(rec.clue(k)).size());
    std::string firstLetters, firstEntered;
    for (int k = 1; k <= clues; ++k) {
        std::string answer, entered;
        for (const Square s : answerSquares(rec, k)) {
            answer += solutionChar(rec.solution(s.col, s.row));
            const char e = entryChar(rec, s.col, s.row);
            entered += e == '.' ? '_' : e;
        }
        firstLetters += answer.empty() ? '?' : answer[0];
        firstEntered += entered.empty() ? '_' : entered[0];
        std::string text = printable(rec.clue(k));
        text.resize(std::max(text.size(), textWidth), ' ');
        std::string line = "  " + label(k) + (k <= 26 ? ".  " : ". ") + text + "  " + answer;
        out += line + std::string(answer.size() < 16 ? 16 - answer.size() : 1, ' ') + entered + "\n";
    }
    out += "\nAuthor and title: " + firstLetters + "\n";
    out += "Entered so far:   " + firstEntered + "\n";

    int letters = 0, filled = 0, correct = 0;
    for (int r = 1; r <= h; ++r) {
        for (int c = 1; c <= w; ++c) {
            const auto s = rec.solution(c, r);
            if (s < 'A' || s > 'Z') continue;
            ++letters;
            const auto e = rec.entry(c, r);
            if (e >= 'A' && e <= 'Z') ++filled;
            if (e == s) ++correct;
        }
    }
    out += "Progress: " + std::to_string(filled) + " of " + std::to_string(letters) + " letter squares filled, " +
           std::to_string(correct) + " correct\n";
    return out;
}

std::string quotationText(const PuzzleRecord& rec) {
    std::string out;
    bool gap = false;
    const int w = std::clamp(rec.width(), 0, kMaxCols), h = std::clamp(rec.height(), 0, kMaxRows);
    for (int r = 1; r <= h; ++r)
        for (int c = 1; c <= w; ++c) {
            const char ch = solutionChar(rec.solution(c, r));
            if (ch == '#') {
                gap = !out.empty();
                continue;
            }
            if (gap) out += ' ';
            gap = false;
            out += ch;
        }
    return out;
}

std::string authorTitleLetters(const PuzzleRecord& rec) {
    std::string out;
    for (int k = 1; k <= kMaxClues && rec.clueSquares(100 + k) != 0; ++k) {
        const auto squares = answerSquares(rec, k);
        out += squares.empty() ? '?' : solutionChar(rec.solution(squares[0].col, squares[0].row));
    }
    return out;
}

} // namespace vlq
