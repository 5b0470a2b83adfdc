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
#include <QString>
#include <array>
#include <cstdint>

#include "core/PuzzleRecord.h"

// Why a letter changes: what the player did, or a step back or forward
// through the history (which is not recorded again). Kept is a key that
// writes the square's own letter back (Enter, the answer window's
// Backspace): it never takes a pencil letter away.
enum class LetterCause { Typed, Revealed, StartOver, History, Kept };

class PlayerLetters : public QObject {
    Q_OBJECT
public:
    // Writes `letter` (0: empty) into Entry of square `at` of game().puzzle.
    // When the value changes: records {at, before, after} in the open
    // history step (not for LetterCause::History), takes off the square's
    // check mark, then emits letterChanged(at). Returns whether anything
    // changed; a square outside the grid changes nothing. Callers keep the
    // modified flag and their own repaints as before.
    //
    // Pencil letters (the "Pencil" aid): a letter typed (LetterCause::Typed,
    // 'A'..'Z') while the pencil is on goes into the square's pencil letter
    // and empties its Entry; any other letter written by the player (ink,
    // an empty square, a reveal, Start Over) takes the pencil letter away.
    // Both changes are recorded in the same history step.
    bool setPlayerLetter(vlq::Square at, std::uint8_t letter, LetterCause why);

    // The tentative letter of square `at` ('A'..'Z'), 0 for none. Pencil
    // letters live beside the record and never reach Entry or the file.
    std::uint8_t pencilLetter(vlq::Square at) const;
    // The pencil letter the windows show: pencilLetter with the aid on, else 0.
    std::uint8_t shownPencil(vlq::Square at) const;
    // Writes the pencil letter of `at` (0 removes it), recorded as any other
    // change unless why is History. Returns whether anything changed.
    bool setPencilLetter(vlq::Square at, std::uint8_t letter, LetterCause why);
    // A puzzle was read into game().puzzle (open, revert): the history's
    // pencil letters go and those the progress store keeps for the puzzle
    // come back, except on squares that hold a letter or take none. From
    // here every change of a pencil letter is written to the store.
    void puzzleRead();

    // Whether typed letters go in pencil: the player's switch, effective only
    // with the aid on (game().aids.pencil).
    bool pencilOn() const;
    bool pencilSwitch() const { return pencilSwitch_; }
    void setPencilSwitch(bool on);

signals:
    // Entry of square `at` has just changed. Connect with a receiver (or a
    // context object) so that the connection ends with it: the notifier
    // lives for the whole run.
    void letterChanged(vlq::Square at);
    // The player's pencil switch changed.
    void pencilSwitched(bool on);

private:
    static std::size_t slot(vlq::Square at) {
        return std::size_t((at.row - 1) * vlq::kMaxCols + (at.col - 1));
    }
    std::array<std::uint8_t, std::size_t(vlq::kMaxCols) * vlq::kMaxRows> pencil_{};
    QString identity_; // the open puzzle's, under which the store keeps its pencil letters
    bool pencilSwitch_ = false;
};

// The program's one notifier, alive for the whole run.
PlayerLetters& playerLetters();

// Shorthand for playerLetters().setPlayerLetter(at, letter, why).
inline bool setPlayerLetter(vlq::Square at, std::uint8_t letter, LetterCause why) {
    return playerLetters().setPlayerLetter(at, letter, why);
}
