// The solving aids a player may switch on over the classic game: square
// labels, linked squares, keyboard flow, undo and redo, letter checks, zoom,
// answer-window placement, the solved notice, the kept time, pencil letters
// and the progress figures. Every flag false is the classic game, and each
// aid is tested through its own flag where it acts, never two together.
// The values are read once into game().aids (SolvingAids::read) when the
// program starts and whenever the player changes them.
#pragma once
#include <QColor>

struct SolvingAids {
    bool squareLabels = false;   // square number and clue letter in each square
    bool linkedTint = false;     // tint the answer a square or clue belongs to
    bool keyboardFlow = false;   // arrows, Home/End, Tab, run-on typing
    bool undoRedo = false;       // Ctrl+Z / Ctrl+Shift+Z over the player's letters
    bool checkLetters = false;   // Check Letter / Check Word, Show Errors spares empties
    bool zoom = false;           // Ctrl+= / Ctrl+- / Ctrl+0 on the grid and strip
    bool placeAnswer = false;    // the answer window never covers its clue line
    bool solvedNotice = false;   // a full, right grid opens the score card at once
    bool keepTime = false;       // the clock runs while a puzzle is open and is kept per puzzle
    bool pencil = false;         // tentative letters, kept apart from the player's ink
    bool progress = false;       // Statistics and the puzzle picker's figures
    bool keepProgress = false;   // puzzles opened, time and solves go into the progress store
    bool legibleLetters = false; // letters at 4.5:1 or more against their square; high-contrast set offered
    bool makePuzzles = false;    // Puzzle > Make a Puzzle... (Ctrl+N)
    QColor linkedColour;         // tint of the linked squares
    int zoomPercent = 100;       // grid zoom while `zoom` is on

    // The aids as the settings hold them: all off unless the master switch
    // (SolvingAids) is on, then each as its own value says.
    static SolvingAids read();
    // Whether the master switch is on in the settings.
    static bool switchedOn();
    static void setSwitchedOn(bool on);
};
