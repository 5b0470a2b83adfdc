// The screen's cursor table: numbered cursors, as the program registers its
// own. 2 is the pencil ("PENCIL") the puzzle views use over their squares,
// 3 the pointing hand ("HANDPNT"). A number without a cursor gives the arrow.
#pragma once
#include <QCursor>

namespace VlqCursors {

inline constexpr int Pencil = 2;
inline constexpr int HandPoint = 3;

QCursor cursor(int number);
void registerCursor(int number, const QCursor& c);

// Loads "PENCIL" and "HANDPNT" from the program's resources and registers
// them as cursors 2 and 3.
void loadProgramCursors();

} // namespace VlqCursors
