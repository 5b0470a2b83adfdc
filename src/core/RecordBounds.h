// The part of the record a rule may look at: width and height clamped to
// storage, so that a record that was never validated still cannot lead a
// rule outside the byte image. Shared by the rule units.
#pragma once
#include <algorithm>

#include "PuzzleRecord.h"
#include "PuzzleRules.h"

namespace vlq::bounds {

inline int usedCols(const PuzzleRecord& rec) { return std::clamp(rec.width(), 0, kMaxCols); }
inline int usedRows(const PuzzleRecord& rec) { return std::clamp(rec.height(), 0, kMaxRows); }

inline bool inPuzzle(const PuzzleRecord& rec, Square s) {
    return s.col >= 1 && s.row >= 1 && s.col <= usedCols(rec) && s.row <= usedRows(rec);
}

} // namespace vlq::bounds
