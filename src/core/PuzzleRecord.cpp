#include "PuzzleRecord.h"

#include <algorithm>
#include <stdexcept>

#include "VlqError.h"

namespace vlq {

std::size_t PuzzleRecord::cell(int c, int r) {
    if (c < 1 || c > kMaxCols || r < 1 || r > kMaxRows)
        throw std::out_of_range("grid cell outside the record");
    return static_cast<std::size_t>((c - 1) * kMaxRows + (r - 1));
}

std::size_t PuzzleRecord::entryIndex(int n) {
    if (n < 1 || n > 3200) throw std::out_of_range("ClueSquares entry outside the record");
    return static_cast<std::size_t>(n - 1);
}

std::size_t PuzzleRecord::clueOffset(int k) {
    if (k < 1 || k > kMaxClues) throw std::out_of_range("clue number outside the record");
    return static_cast<std::size_t>(k - 1) * (kShortStringCap + 1);
}

std::string PuzzleRecord::shortString(std::size_t at) const {
    const std::size_t len = std::min<std::size_t>(bytes_[at], kShortStringCap);
    return std::string(reinterpret_cast<const char*>(&bytes_[at + 1]), len);
}

void PuzzleRecord::setShortString(std::size_t at, const std::string& text) {
    const std::size_t len = std::min<std::size_t>(text.size(), kShortStringCap);
    bytes_[at] = static_cast<std::uint8_t>(len);
    std::copy_n(reinterpret_cast<const std::uint8_t*>(text.data()), len, &bytes_[at + 1]);
}

void PuzzleRecord::loadBytes(std::span<const std::uint8_t> data) {
    if (data.size() < kRecordSize) throw IoError::readBeyondEnd();
    Bytes scratch;
    std::copy_n(data.begin(), kRecordSize, scratch.begin());
    if (!validate(scratch).empty()) throw IoError::invalidFormat();
    bytes_ = scratch;
}

std::string PuzzleRecord::validate(const Bytes& image) {
    PuzzleRecord rec;
    rec.bytes_ = image;
    const int w = rec.width();
    const int h = rec.height();
    if (w < 1 || w > kMaxCols) return "Width " + std::to_string(w) + " outside 1 to 31";
    if (h < 1 || h > kMaxRows) return "Height " + std::to_string(h) + " outside 1 to 21";

    for (std::size_t k = 1; k <= kMaxClues; ++k)
        if (image[offs::Clues + (k - 1) * (kShortStringCap + 1)] > kShortStringCap)
            return "clue " + std::to_string(k) + " text longer than 80 characters";
    if (image[offs::Byline] > kShortStringCap) return "byline longer than 80 characters";

    // First letters: the present clues are 1..N without gaps, N >= 1.
    int n = 0;
    while (n < kMaxClues && rec.clueSquares(100 + n + 1) != 0) ++n;
    if (n == 0) return "no clues";
    for (int k = n + 1; k <= kMaxClues; ++k)
        if (rec.clueSquares(100 + k) != 0)
            return "clue " + std::to_string(k) + " present after missing clue " + std::to_string(n + 1);

    // Every answer letter names a square inside the grid.
    for (int k = 1; k <= kMaxClues; ++k) {
        for (int j = 1; j <= kMaxAnswer; ++j) {
            const int code = rec.clueSquares(j * 100 + k);
            if (code == 0) break;
            const int c = code / 100;
            const int r = code % 100;
            if (code < 0 || !rec.inGrid(c, r))
                return "letter " + std::to_string(j) + " of clue " + std::to_string(k) +
                       " names square code " + std::to_string(code) + " outside the grid";
        }
    }

    // Every letter code inside the grid names a real clue and position.
    for (int c = 1; c <= w; ++c) {
        for (int r = 1; r <= h; ++r) {
            const int code = rec.squareClue(c, r);
            if (code == 0) continue;
            const int k = code % 100;
            const int j = code / 100;
            if (code < 0 || k < 1 || k > kMaxClues || j < 1 || j > kMaxAnswer)
                return "square (" + std::to_string(c) + ", " + std::to_string(r) + ") holds letter code " +
                       std::to_string(code) + " outside the clues";
        }
    }
    return {};
}

} // namespace vlq
