// Opening an acrostic of another program (JPZ, APZ, ipuz): it becomes a
// .vlq puzzle in the puzzle folder, named after its title, so it is listed,
// remembered and saved like every puzzle. A .vlq puzzle the player may not
// write (read-only) is kept the same way: its letters go into a copy in the
// puzzle folder.
#pragma once
#include <QString>

#include "core/PuzzleRecord.h"

// True when the path names a JPZ, APZ or ipuz file (by its extension).
bool isForeignPuzzleFile(const QString& path);

struct ImportedPuzzle {
    QString path;  // the .vlq to open; empty on failure
    QString error; // the message for the player on failure
};

// Converts the file into `folder` (the puzzle folder unless told). The file
// is named after the puzzle's title; when a file of that name already holds
// the same puzzle (grid and answers) it is the one to open, so the player
// resumes where they left off; a file holding another puzzle is never
// overwritten: the next free "Title (2).vlq", "Title (3).vlq" ... is used.
ImportedPuzzle importIntoPuzzleFolder(const QString& foreignPath, QString folder = {});

// The read-only puzzle file at path, whose record is `record`, as a copy in
// `folder` (the puzzle folder unless told), named after the file and found
// again as an import is; the original itself is never taken.
ImportedPuzzle keepReadOnlyPuzzle(const QString& path, const vlq::PuzzleRecord& record, QString folder = {});

// A new puzzle into `folder` (the puzzle folder unless told) as base.vlq,
// or the first free "base (2).vlq", "base (3).vlq" ...: never over a file
// that is there.
ImportedPuzzle placeNewPuzzle(const vlq::PuzzleRecord& record, const QString& base, QString folder = {});

// The title as a file name: markup, path and reserved characters removed,
// at most 60 characters; `fallback` when nothing is left.
QString puzzleFileName(const QString& title, const QString& fallback);
