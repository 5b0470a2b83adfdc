// Program-wide state: the one puzzle record and the values every window
// shares, plus the long-lived windows and modules so that windows can call
// each other directly. One instance lives for the whole run (game()).
#pragma once
#include <QString>

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

    // Long-lived windows and modules (created at start-up; null in tests that
    // do not build them). Everyone must cope with a null pointer.
    TVlqGameMainForm* mainForm = nullptr;
    TVlqProcs* procs = nullptr;
    TSoundFX* soundFX = nullptr;
    TGameClockForm* clock = nullptr;
    TScoreForm* scoreForm = nullptr;
    TVlqSolveForm* solveForm = nullptr;

    // Document windows of the open puzzle; each registers itself here when
    // created and clears its own pointer when destroyed.
    TVlqGameGridForm* gridForm = nullptr;
    TVlqGameTitleForm* titleForm = nullptr;
    TVlqGameClueForm* clueForm = nullptr;

    // Back to the state of a fresh start (keeps nothing but defaults).
    void reset() { *this = GameContext{}; }
};

GameContext& game();
