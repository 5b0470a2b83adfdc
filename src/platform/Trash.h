// Moving a file to the desktop's trash (the recycle bin on Windows), where
// the player can still restore it. The file is never deleted outright: when
// it cannot be moved it stays where it was.
#pragma once
#include <QString>

namespace vlq {

// Moves the file at path into the trash. False when it could not be moved
// (missing file, no trash on its volume ...); the file is then untouched.
bool moveToTrash(const QString& path);

} // namespace vlq
