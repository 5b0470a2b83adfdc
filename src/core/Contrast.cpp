#include "Contrast.h"

#include <algorithm>
#include <cmath>

namespace vlq {

namespace {

double channel(std::uint32_t c, int shift) {
    const double v = double((c >> shift) & 0xFF) / 255.0;
    return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
}

double luminance(std::uint32_t c) { return 0.2126 * channel(c, 16) + 0.7152 * channel(c, 8) + 0.0722 * channel(c, 0); }

} // namespace

double contrastRatio(std::uint32_t a, std::uint32_t b) {
    const double la = luminance(a), lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

std::uint32_t readableInk(std::uint32_t ink, std::uint32_t fill, double wanted) {
    if (contrastRatio(ink, fill) >= wanted) return ink & 0xFFFFFFu;
    return contrastRatio(0x000000u, fill) >= contrastRatio(0xFFFFFFu, fill) ? 0x000000u : 0xFFFFFFu;
}

} // namespace vlq
