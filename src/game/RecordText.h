// Texts of the puzzle record (clue texts, the byline) are bytes of the
// Windows-1252 code page; this is how the program shows them.
#pragma once
#include <QString>
#include <string>

#include "core/PuzzleSource.h"

namespace vlq {

inline QString recordText(const std::string& ansi) { return QString::fromStdString(fromAnsi(ansi)); }

} // namespace vlq
