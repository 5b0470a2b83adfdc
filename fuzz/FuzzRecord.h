// Shared by the record fuzz targets: the input as a record image.
#pragma once
#include <algorithm>
#include <cstddef>
#include <cstdint>

#include "core/PuzzleRecord.h"

namespace fuzzsupport {

// The first kRecordSize bytes of the input, zero-padded when it is shorter.
inline vlq::PuzzleRecord::Bytes imageOf(const std::uint8_t* data, std::size_t size) {
    vlq::PuzzleRecord::Bytes image{};
    std::copy_n(data, std::min(size, vlq::kRecordSize), image.begin());
    return image;
}

} // namespace fuzzsupport
