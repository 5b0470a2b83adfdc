// The one door through which the player's letters (the record's Entry
// cells of game().puzzle) change: typing in the grid or the answer window,
// the reveals, clearing the grid for Start Over, and undo and redo. Every
// change goes through setPlayerLetter, which records it in the letter
// history and then announces it with PlayerLetters::letterChanged, so that
// anything that follows the letters (recovery copies, accessibility, check
// marks, linked squares) connects to one signal instead of to each writer.
//
// Two writers stay outside on purpose and announce nothing: reading a
// puzzle (TVlqProcs::LoadPuzzle replaces the whole record; the history
// starts anew there) and the grid's full repaint, which puts the
// punctuation back into Entry (not a change by the player).
#pragma once
#include <QObject>
#include <cstdint>

#include "core/PuzzleRecord.h"

// Why a letter changes: what the player did, or a step back or forward
// through the history (which is not recorded again).
enum class LetterCause { Typed, Revealed, StartOver, History };

class PlayerLetters : public QObject {
    Q_OBJECT
public:
    // Writes `letter` (0: empty) into Entry of square `at` of game().puzzle.
    // When the value changes: records {at, before, after} in the open
    // history step (not for LetterCause::History), takes off the square's
    // check mark, then emits letterChanged(at). Returns whether anything
    // changed; a square outside the grid changes nothing. Callers keep the
    // modified flag and their own repaints as before.
    bool setPlayerLetter(vlq::Square at, std::uint8_t letter, LetterCause why);

signals:
    // Entry of square `at` has just changed. Connect with a receiver (or a
    // context object) so that the connection ends with it: the notifier
    // lives for the whole run.
    void letterChanged(vlq::Square at);
};

// The program's one notifier, alive for the whole run.
PlayerLetters& playerLetters();

// Shorthand for playerLetters().setPlayerLetter(at, letter, why).
inline bool setPlayerLetter(vlq::Square at, std::uint8_t letter, LetterCause why) {
    return playerLetters().setPlayerLetter(at, letter, why);
}
