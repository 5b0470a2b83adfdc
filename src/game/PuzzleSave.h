// Saving the open puzzle when other programs may touch its file too: a sync
// tool bringing the player's letters from another computer, vlqtool mending
// a clue, the player deleting or renaming the file. Before the file is
// written the game checks that it still holds what the game last read or
// wrote (game().lastOnDisk): its bytes (a record, 11.5 KB), also when its
// size and time are as they were, so a file put back with the same bytes
// is no change and a change with the old time kept is one. A changed file is never overwritten unasked: the
// default keeps both, the player's letters going into a copy beside it
// ("Title (2).vlq", the next free number) with which the game goes on.
#pragma once
#include <QString>

enum class SaveRequest {
    Asked,   // Save, Start Over: a changed file brings a question
    Unasked, // Exit, a termination signal, opening another puzzle: the default, no question
};

// The file at path beside what the game last read or wrote there.
enum class OnDisk {
    AsKnown, // unchanged (or changed back to the same bytes)
    Changed, // another program wrote other bytes
    Gone,    // nothing at the path: deleted or renamed
    Unknown, // the game knows nothing of this file, or cannot read it
};
OnDisk puzzleOnDisk(const QString& path);

struct SaveOutcome {
    enum Result {
        Saved,        // written to the puzzle's own file
        SavedAsCopy,  // written to a copy beside it: game().currentPuzzlePath names it now
        TheirsLoaded, // the file's own record was read into game().puzzle; the letters are dropped
        NotSaved,     // nothing written (no open puzzle, or their file cannot be read)
    };
    Result result = NotSaved;
    QString notice; // what the player should be told, when anything
};

// Saves game().puzzle to game().currentPuzzlePath after the check above.
// Changed: an asked save offers "Keep Both" (the default), "Overwrite" and
// "Load Theirs"; an unasked one keeps both. Gone: the file is written again
// at its place, and the notice says where. Clears the modified flag unless
// NotSaved. Throws the save's vlq::IoError when the write fails; the letters
// and the flag then stay as they were.
SaveOutcome saveOpenPuzzle(SaveRequest request);

// Takes the first free name "Base (n).vlq" beside path (n from 2; a " (n)"
// already ending the name is dropped first) by creating it empty, so no
// other file is ever overwritten. Returns its absolute path; throws
// vlq::IoError when the folder takes no new file.
QString reserveCopyBeside(const QString& path);
