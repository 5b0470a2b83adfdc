// Program-wide state: the one puzzle record and the values every window
// shares, plus the long-lived windows and modules so that windows can call
// each other directly. One instance lives for the whole run (game()).
#pragma once
#include <QString>

#include <string>

#include "core/FileAccess.h"
#include "core/PuzzleRecord.h"
#include "game/SolvingAids.h"

class TVlqGameMainForm;
class TVlqProcs;
class TSoundFX;
class TGameClockForm;
class TScoreForm;
class TVlqSolveForm;
class TVlqGameGridForm;
class TVlqGameTitleForm;
class TVlqGameClueForm;
class ProgressKeeper;

// What the game last read from or wrote to a puzzle file, so that a change
// made by another program since is noticed before the file is written.
struct PuzzleOnDisk {
    QString path;          // absolute; empty when nothing is known
    vlq::FileStamp stamp;  // of the file as read or written
    std::string bytes;     // its first record's worth of bytes
    bool longer = false;   // it held more than one record
};

struct GameContext {
    vlq::PuzzleRecord puzzle;

    QString currentPuzzlePath;   // full path of the open puzzle, empty when none
    bool modified = false;       // Entry changed since read or saved
    int soundMode = 1;           // copy of PlaySounds: 0 silent, 1 sounds, 2 speech
    int defaultSquareSize = 30;  // computed at start-up from the screen
    int frameSize = 4;           // width of a sizeable window frame
    int gridSquareSize = 0;      // pixel side of a quotation-grid square
    int titleSquareSize = 0;     // pixel side of an author-title square
    int availableWidth = 0;      // main window client width in puzzle state
    int availableHeight = 0;     // client height below the toolbar, less 4
    int currentClue = 0;         // 0 none, else 1..30
    SolvingAids aids;            // all off: the classic game
    PuzzleOnDisk lastOnDisk;     // the open puzzle's file as last read or written

    // Long-lived windows and modules (created at start-up; null in tests that
    // do not build them). Everyone must cope with a null pointer.
    TVlqGameMainForm* mainForm = nullptr;
    TVlqProcs* procs = nullptr;
    TSoundFX* soundFX = nullptr;
    TGameClockForm* clock = nullptr;
    TScoreForm* scoreForm = nullptr;
    TVlqSolveForm* solveForm = nullptr;
    ProgressKeeper* progress = nullptr; // the open puzzle's time and solve, for the progress store

    // Document windows of the open puzzle; each registers itself here when
    // created and clears its own pointer when destroyed.
    TVlqGameGridForm* gridForm = nullptr;
    TVlqGameTitleForm* titleForm = nullptr;
    TVlqGameClueForm* clueForm = nullptr;

    // Back to the state of a fresh start (keeps nothing but defaults).
    void reset() { *this = GameContext{}; }
};

GameContext& game();
