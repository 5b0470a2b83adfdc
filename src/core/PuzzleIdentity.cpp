#include "core/PuzzleIdentity.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>

namespace vlq {

std::string puzzleIdentity(const PuzzleRecord& record) {
    const auto& b = record.bytes();
    const std::size_t entryEnd = offs::Entry + std::size_t(kMaxCols) * kMaxRows;
    std::uint64_t h = 0xcbf29ce484222325ULL;
    for (std::size_t i = 0; i < b.size(); ++i) {
        if (i == offs::Entry) i = entryEnd;
        h = (h ^ b[i]) * 0x100000001b3ULL;
    }
    char text[17];
    std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(h));
    return text;
}

FillCount fillCount(const PuzzleRecord& record) {
    FillCount n;
    const int w = std::clamp(record.width(), 0, kMaxCols);
    const int h = std::clamp(record.height(), 0, kMaxRows);
    for (int r = 1; r <= h; ++r)
        for (int c = 1; c <= w; ++c) {
            if (record.isBlack(c, r) || record.isPunctuation(c, r)) continue;
            ++n.total;
            if (record.entry(c, r) != 0) ++n.filled;
        }
    return n;
}

} // namespace vlq
