#include "PuzzleCheck.h"

#include <algorithm>
#include <array>

namespace vlq {

namespace {

std::string label(int k) {
    if (k >= 1 && k <= 26) return std::string(1, static_cast<char>('A' + k - 1));
    return std::string(2, static_cast<char>('a' + k - 27));
}

std::string at(int c, int r) { return "(" + std::to_string(c) + ", " + std::to_string(r) + ")"; }

bool isLetter(std::uint8_t b) { return b >= 'A' && b <= 'Z'; }

std::string kindOf(std::uint8_t b) {
    if (b == kBlack) return "a black square";
    if (b == kApostrophe) return "an apostrophe square";
    if (b == kHyphen) return "a hyphen square";
    return "not a letter square";
}

} // namespace

std::vector<std::string> checkPuzzleFile(std::span<const std::uint8_t> data, std::vector<std::string>* warnings) {
    if (data.size() < kRecordSize)
        return {"the file has " + std::to_string(data.size()) + " bytes; a puzzle file has exactly 11519"};
    if (data.size() > kRecordSize && warnings)
        warnings->push_back("the file has " + std::to_string(data.size()) +
                            " bytes; the game reads the first 11519 and ignores the rest");
    PuzzleRecord::Bytes image;
    std::copy_n(data.begin(), kRecordSize, image.begin());
    return checkPuzzle(image);
}

std::vector<std::string> checkPuzzle(const PuzzleRecord::Bytes& image, CheckScope scope) {
    const bool everything = scope == CheckScope::Everything;
    std::vector<std::string> problems;
    auto problem = [&](std::string what) { problems.push_back(std::move(what)); };
    PuzzleRecord rec;
    rec.bytes() = image;

    const int w = rec.width();
    const int h = rec.height();
    if (w < 1 || w > kMaxCols) problem("Width " + std::to_string(w) + " is outside 1 to 31");
    if (h < 1 || h > kMaxRows) problem("Height " + std::to_string(h) + " is outside 1 to 21");

    for (int k = 1; k <= kMaxClues; ++k) {
        const int len = image[offs::Clues + static_cast<std::size_t>(k - 1) * (kShortStringCap + 1)];
        if (len > kShortStringCap)
            problem("clue " + label(k) + " text has length " + std::to_string(len) + "; at most 80 fit");
    }
    if (image[offs::Byline] > kShortStringCap)
        problem("the byline has length " + std::to_string(image[offs::Byline]) + "; at most 80 fit");
    if (!problems.empty() && (w < 1 || w > kMaxCols || h < 1 || h > kMaxRows)) return problems;

    // Grid bytes.
    for (int r = 1; r <= h; ++r) {
        for (int c = 1; c <= w; ++c) {
            const auto s = rec.solution(c, r);
            if (!isLetter(s) && s != kBlack && s != kApostrophe && s != kHyphen)
                problem("square " + at(c, r) + " has solution byte " + std::to_string(s) +
                        ", neither a capital letter nor black (219), apostrophe (39) or hyphen (45)");
            const auto e = rec.entry(c, r);
            if (e != 0 && !isLetter(e) && e != kApostrophe && e != kHyphen && e != 255)
                problem("square " + at(c, r) + " has entry byte " + std::to_string(e) +
                        ", neither empty (0 or 255), a capital letter, apostrophe nor hyphen");
        }
    }

    // Clues present without gaps, with text exactly where answers are.
    int count = 0;
    int firstMissing = 0;
    int texts = 0;
    for (int k = 1; k <= kMaxClues; ++k) {
        const bool present = rec.clueSquares(100 + k) != 0;
        const bool hasText = !rec.clue(k).empty();
        texts += present && hasText;
        if (!everything) {
            count += present;
        } else if (present) {
            ++count;
            if (firstMissing != 0)
                problem("clue " + label(k) + " has an answer but clue " + label(firstMissing) +
                        " before it has none: clues must be numbered without gaps");
            if (!hasText) problem("clue " + label(k) + " has an answer but no text");
        } else {
            if (firstMissing == 0) firstMissing = k;
            if (hasText) problem("clue " + label(k) + " has text but no answer");
        }
    }
    if (count == 0) problem("the puzzle has no clues");
    // A puzzle none of whose clues has a text cannot be solved.
    else if (!everything && texts == 0) problem("no clue has a text");

    // Answer letters: each names a letter square that names it back.
    std::array<int, kMaxClues + 1> length{};
    for (int k = 1; k <= kMaxClues; ++k) {
        int j = 1;
        for (; j <= kMaxAnswer; ++j) {
            const int code = rec.clueSquares(j * 100 + k);
            if (code == 0) break;
            // Names are made only for a problem: most squares have none.
            auto who = [&] { return "letter " + std::to_string(j) + " of clue " + label(k); };
            const int c = code / 100;
            const int r = code % 100;
            if (code < 0 || c < 1 || c > w || r < 1 || r > h) {
                problem(who() + " names square code " + std::to_string(code) + ", outside the " + std::to_string(w) +
                        " x " + std::to_string(h) + " grid");
                continue;
            }
            const auto s = rec.solution(c, r);
            if (!isLetter(s)) problem(who() + " lies on square " + at(c, r) + ", " + kindOf(s));
            const int back = rec.squareClue(c, r);
            if (back != j * 100 + k)
                problem(who() + " names square " + at(c, r) + ", whose letter code is " + std::to_string(back) +
                        " instead of " + std::to_string(j * 100 + k));
        }
        length[static_cast<std::size_t>(k)] = j - 1;
    }

    // Squares: letter squares belong to exactly the answer letter they name.
    for (int r = 1; r <= h; ++r) {
        for (int c = 1; c <= w; ++c) {
            const int code = rec.squareClue(c, r);
            const auto s = rec.solution(c, r);
            auto where = [&] { return "square " + at(c, r); };
            if (!isLetter(s)) {
                if (code != 0)
                    problem(where() + " is " + kindOf(s) + " but has letter code " + std::to_string(code));
                continue;
            }
            if (code == 0) {
                if (everything) problem(where() + " (" + std::string(1, static_cast<char>(s)) + ") belongs to no answer");
                continue;
            }
            const int k = code % 100;
            const int j = code / 100;
            if (code < 0 || k < 1 || k > kMaxClues || j < 1 || j > kMaxAnswer) {
                problem(where() + " has letter code " + std::to_string(code) + ", which names no clue letter");
                continue;
            }
            if (j > length[static_cast<std::size_t>(k)]) {
                problem(where() + " has letter code " + std::to_string(code) + " (letter " + std::to_string(j) +
                        " of clue " + label(k) + "), but that answer has " +
                        std::to_string(length[static_cast<std::size_t>(k)]) + " letters");
                continue;
            }
            const int named = rec.clueSquares(code);
            if (named != c * 100 + r)
                problem(where() + " has letter code " + std::to_string(code) + " (letter " + std::to_string(j) +
                        " of clue " + label(k) + "), but that letter names square code " + std::to_string(named));
        }
    }
    return problems;
}

} // namespace vlq
