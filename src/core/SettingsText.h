// Text forms of settings values: colour text, bounds text, font style bits.
#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace vlq {

// Colours as 0x00BBGGRR (red in the low byte).
// Reading accepts a colour name (case-insensitive: clBlack .. clWhite,
// clMoneyGreen, clSkyBlue, clCream, clMedGray), "$" and up to 8 hex digits,
// or a decimal number. System colour names (clBtnFace, clWindow, ...) come
// back with isSystem set and value holding their index; the caller maps them.
struct ColourValue {
    std::uint32_t value = 0;
    bool isSystem = false;
};
std::optional<ColourValue> parseColourText(std::string_view text);
// The colour's name when it has one, else "$" and eight upper-case hex digits.
std::string colourText(std::uint32_t bgr);

// Bounds text: "left,top,width,height", decimal, '-' allowed, no spaces
// written. Parsing splits at the first three commas; every part must be an
// integer that fits in 32 bits, otherwise nullopt.
struct Bounds {
    int left = 0, top = 0, width = 0, height = 0;
    friend bool operator==(const Bounds&, const Bounds&) = default;
};
std::optional<Bounds> parseBounds(std::string_view text);
std::string boundsText(int left, int top, int width, int height);

// Font style number bits.
inline constexpr int kStyleBold = 1;
inline constexpr int kStyleItalic = 2;
inline constexpr int kStyleUnderline = 4;
inline constexpr int kStyleStrikeOut = 8;

} // namespace vlq
