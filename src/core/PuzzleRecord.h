// The puzzle record: one acrostic puzzle and the player's letters, as the
// 11519-byte image that is also the .vlq file. Every accessor computes its
// field's offset in the byte image, so bytes the game does not interpret are
// carried along untouched by load and save.
#pragma once
#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <utility>

namespace vlq {

inline constexpr std::size_t kRecordSize = 11519;
inline constexpr int kMaxCols = 31;      // cells per row in storage
inline constexpr int kMaxRows = 21;      // cells per column in storage
inline constexpr int kMaxClues = 30;
inline constexpr int kMaxAnswer = 31;    // letters per answer
inline constexpr int kShortStringCap = 80;

inline constexpr std::uint8_t kBlack = 219;
inline constexpr std::uint8_t kApostrophe = 39;
inline constexpr std::uint8_t kHyphen = 45;

namespace offs {
inline constexpr std::size_t Width = 0;
inline constexpr std::size_t Height = 2;
inline constexpr std::size_t Solution = 4;
inline constexpr std::size_t Entry = 655;
inline constexpr std::size_t SquareClue = 1306;
inline constexpr std::size_t ClueSquares = 2608;
inline constexpr std::size_t Clues = 9008;
inline constexpr std::size_t Byline = 11438;
} // namespace offs

struct Square {
    int col = 0; // 1-based
    int row = 0; // 1-based
    friend bool operator==(const Square&, const Square&) = default;
};

class PuzzleRecord {
public:
    using Bytes = std::array<std::uint8_t, kRecordSize>;

    PuzzleRecord() { bytes_.fill(0); }

    const Bytes& bytes() const { return bytes_; }
    Bytes& bytes() { return bytes_; }

    // Width 1..31 and Height 1..21 once the record has been validated.
    int width() const { return get16(offs::Width); }
    int height() const { return get16(offs::Height); }
    void setWidth(int w) { set16(offs::Width, w); }
    void setHeight(int h) { set16(offs::Height, h); }

    // Grid cells; c in 1..31, r in 1..21 (storage bounds, checked: throws
    // std::out_of_range outside them).
    std::uint8_t solution(int c, int r) const { return bytes_[offs::Solution + cell(c, r)]; }
    void setSolution(int c, int r, std::uint8_t v) { bytes_[offs::Solution + cell(c, r)] = v; }
    std::uint8_t entry(int c, int r) const { return bytes_[offs::Entry + cell(c, r)]; }
    void setEntry(int c, int r, std::uint8_t v) { bytes_[offs::Entry + cell(c, r)] = v; }
    // Letter code: position * 100 + clue number, 0 for none.
    int squareClue(int c, int r) const { return get16(offs::SquareClue + 2 * cell(c, r)); }
    void setSquareClue(int c, int r, int code) { set16(offs::SquareClue + 2 * cell(c, r), code); }

    // ClueSquares entry n, n in 1..3200 (checked): square code col*100+row.
    int clueSquares(int n) const { return get16(offs::ClueSquares + 2 * entryIndex(n)); }
    void setClueSquares(int n, int code) { set16(offs::ClueSquares + 2 * entryIndex(n), code); }

    // Clue texts, k in 1..30 (checked). Only the first length-byte characters
    // count; setClue keeps the bytes beyond the new length as they were.
    std::string clue(int k) const { return shortString(offs::Clues + clueOffset(k)); }
    void setClue(int k, const std::string& text) { setShortString(offs::Clues + clueOffset(k), text); }
    std::string byline() const { return shortString(offs::Byline); }
    void setByline(const std::string& text) { setShortString(offs::Byline, text); }

    bool isBlack(int c, int r) const { return solution(c, r) == kBlack; }
    bool isPunctuation(int c, int r) const {
        const auto s = solution(c, r);
        return s == kApostrophe || s == kHyphen;
    }
    bool inGrid(int c, int r) const { return c >= 1 && r >= 1 && c <= width() && r <= height(); }

    // The square named by ClueSquares entry n (column = value div 100,
    // row = value mod 100). Values are only trustworthy after validate().
    Square decodeSquare(int n) const {
        const int v = clueSquares(n);
        return {v / 100, v % 100};
    }

    // Fills the record from a file image. Fewer than kRecordSize bytes:
    // IoError 100; extra bytes are ignored. Throws IoError::invalidFormat()
    // (record left unchanged) when validate() refuses the image.
    void loadBytes(std::span<const std::uint8_t> data);

    // Empty string when every dimension, code and length stays inside the
    // record and the grid; otherwise a short description of the first fault.
    // Width 1..31, Height 1..21, at least one clue, every letter code and
    // square code inside Width x Height, short-string lengths <= 80.
    static std::string validate(const Bytes& image);

private:
    static std::size_t cell(int c, int r);
    static std::size_t entryIndex(int n);
    static std::size_t clueOffset(int k);
    int get16(std::size_t at) const {
        return static_cast<std::int16_t>(static_cast<std::uint16_t>(bytes_[at] | (bytes_[at + 1] << 8)));
    }
    void set16(std::size_t at, int v) {
        const auto u = static_cast<std::uint16_t>(static_cast<std::int16_t>(v));
        bytes_[at] = static_cast<std::uint8_t>(u & 0xFF);
        bytes_[at + 1] = static_cast<std::uint8_t>(u >> 8);
    }
    std::string shortString(std::size_t at) const;
    void setShortString(std::size_t at, const std::string& text);

    Bytes bytes_;
};

} // namespace vlq
