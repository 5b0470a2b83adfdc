// The player's puzzle folder and the sample puzzles the game brings along.
#pragma once
#include <QString>

// The documents folder, then "Marlowick", then "Puzzles"; no closing
// slash. Empty when the system names no documents folder.
QString puzzleFolderPath();

// Puts the sample puzzles of the data folder ("puzzles/*.vlq") into
// the puzzle folder when that folder does not exist or holds no puzzle
// (no file matching *.vlq in any case). Never overwrites, changes or deletes
// a file that is already there; the copies are writable by the player.
// Failures (no documents or data folder, a read-only disk) leave things as they are:
// the game then simply lists no samples. Returns the number of files copied.
int ensureSamplePuzzles();
