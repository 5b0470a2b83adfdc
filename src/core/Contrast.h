// Legibility of a letter on its square: the contrast ratio of two colours
// as the Web Content Accessibility Guidelines define it (relative
// luminance of sRGB, (L1 + 0.05) / (L2 + 0.05), 1 to 21), and the ink a
// letter gets so that it never falls below a wanted ratio. Colours are
// 0xRRGGBB; anything above 24 bits is ignored.
#pragma once
#include <cstdint>

namespace vlq {

inline constexpr double kReadableContrast = 4.5;

// Contrast ratio of a and b, 1.0 (the same luminance) to 21.0.
double contrastRatio(std::uint32_t a, std::uint32_t b);

// ink when it reaches `wanted` against fill; otherwise black or white,
// whichever stands out more against fill (one of them always reaches 4.5).
std::uint32_t readableInk(std::uint32_t ink, std::uint32_t fill, double wanted = kReadableContrast);

} // namespace vlq
