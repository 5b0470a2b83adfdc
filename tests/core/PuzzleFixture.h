// Small puzzles written as ASCII pictures for the core tests.
// Grid rows: '#' a black square, '\'' and '-' punctuation, any other
// character a letter square with that solution letter. Entry rows use '.'
// for an empty square.
#pragma once
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "core/PuzzleRecord.h"

namespace fixture {

inline vlq::PuzzleRecord grid(std::initializer_list<std::string_view> rows) {
    vlq::PuzzleRecord rec;
    rec.setHeight(int(rows.size()));
    rec.setWidth(int(rows.begin()->size()));
    int r = 1;
    for (std::string_view row : rows) {
        for (int c = 1; c <= int(row.size()); ++c)
            rec.setSolution(c, r, row[c - 1] == '#' ? vlq::kBlack : std::uint8_t(row[c - 1]));
        ++r;
    }
    return rec;
}

inline void entries(vlq::PuzzleRecord& rec, std::initializer_list<std::string_view> rows) {
    int r = 1;
    for (std::string_view row : rows) {
        for (int c = 1; c <= int(row.size()); ++c)
            rec.setEntry(c, r, row[c - 1] == '.' ? 0 : std::uint8_t(row[c - 1]));
        ++r;
    }
}

// Clue k gets `text` and the answer whose letters lie in `squares`, in order;
// both cross-references (ClueSquares and SquareClue) are written.
inline void answer(vlq::PuzzleRecord& rec, int k, const std::string& text, const std::vector<vlq::Square>& squares) {
    rec.setClue(k, text);
    int j = 1;
    for (const auto& s : squares) {
        rec.setClueSquares(j * 100 + k, s.col * 100 + s.row);
        rec.setSquareClue(s.col, s.row, j * 100 + k);
        ++j;
    }
}

// Splits the letter squares, in reading order, into answers of the given
// lengths for clues 1, 2, ...; clue texts are "Clue 1", "Clue 2", ...
inline void answersInOrder(vlq::PuzzleRecord& rec, std::initializer_list<int> lengths) {
    std::vector<vlq::Square> letters;
    for (int r = 1; r <= rec.height(); ++r)
        for (int c = 1; c <= rec.width(); ++c)
            if (!rec.isBlack(c, r) && !rec.isPunctuation(c, r)) letters.push_back({c, r});
    std::size_t at = 0;
    int k = 1;
    for (int n : lengths) {
        std::vector<vlq::Square> part(letters.begin() + long(at), letters.begin() + long(at + std::size_t(n)));
        answer(rec, k, "Clue " + std::to_string(k), part);
        at += std::size_t(n);
        ++k;
    }
}

// The small valid puzzle most tests start from:
//   CAT#     clue 1 "Feline" = C A T, clue 2 "Canine" = D O G
//   'DOG
inline vlq::PuzzleRecord small() {
    auto rec = grid({"CAT#", "'DOG"});
    answer(rec, 1, "Feline", {{1, 1}, {2, 1}, {3, 1}});
    answer(rec, 2, "Canine", {{2, 2}, {3, 2}, {4, 2}});
    rec.setByline("Tester");
    return rec;
}

} // namespace fixture
