// What keeps the answers of one set apart beyond their word families, so
// that a set reads as varied as a hand-made one: at most two answers with
// one ending (-LY, -MENTS, -ATION ...), and at most one of a theme
// (ordinal numbers, numbers, days, months, compass points).
#pragma once
#include <cstdint>
#include <string>

namespace vlq {

inline constexpr int kMostPerEnding = 2;
inline constexpr int kEndingClasses = 24; // ending classes are 1 to kEndingClasses - 1
inline constexpr int kThemes = 8;          // themes are 1 to kThemes - 1

// The ending class of a lower-case word of part of speech `pos` (n, v, a,
// r); 0 when its ending is none of those a set may hold only twice.
std::uint8_t endingClass(const std::string& lower, char pos);

// The theme of a lower-case word or phrase (its letters only); 0 for none.
std::uint8_t themeOf(const std::string& lower);

} // namespace vlq
