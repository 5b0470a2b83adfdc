// Follows the open puzzle for the progress store (game/ProgressStore): its
// identity, the time spent on it, its reveals and the moment it is solved.
// One instance lives beside the main window (game().progress).
//
// With the aids on (game().aids.keepProgress) an opened puzzle gets its row
// and continues from its stored time; the time counts while the game's
// window is active and not minimised and the player has not paused it, and
// is written when it pauses, every half minute, when the puzzle is left and
// when it is solved. When a change of the letters makes the grid full and
// right the count stops and the solve is recorded (once per attempt; Start
// Over begins another). With the aids off nothing here runs: the classic
// game keeps no time and records nothing.
#pragma once
#include <QElapsedTimer>
#include <QObject>
#include <QString>
#include <QTimer>

#include "core/PuzzleRecord.h"

class ProgressKeeper : public QObject {
    Q_OBJECT
public:
    // How often the running time is written to the store.
    static constexpr int kWriteEveryMs = 30000;

    explicit ProgressKeeper(QObject* parent = nullptr);
    ~ProgressKeeper() override;

    // A puzzle was read into game().puzzle from game().currentPuzzlePath and
    // shown: the time of the one before is written, this one's read.
    void puzzleOpened();
    // The aids were switched on or off (game().aids is new).
    void aidsChanged();
    // The grid was cleared to start over: a new attempt from 0:00:00.
    void startedOver();
    // The program ends: the running time is written.
    void flush();

    // Whole seconds spent on the open puzzle, the running part included.
    int seconds() const;
    bool running() const { return tick_.isActive(); }
    // The player's own pause (the clock's button); the time stays.
    bool paused() const { return paused_; }
    void setPaused(bool on);
    // The open puzzle has been solved in this attempt.
    bool solved() const { return solved_; }
    QString identity() const { return identity_; }

signals:
    // Once a second while the time runs, and whenever it is set anew.
    void secondsChanged(int seconds);
    // The letters just made the grid full and right (after the solve was
    // recorded).
    void gridSolved();
    // The grid became full with a wrong letter somewhere (on), or stopped
    // being so: a square emptied, the letters made right, another puzzle.
    void gridFullButWrong(bool on);

private:
    void letterChanged(vlq::Square at);
    // Starts or stops the count as the puzzle, the window and the pause say.
    void follow();
    void writeSeconds();
    void noteReveal();
    void forget();
    void setFullButWrong(bool on);

    QString identity_;   // of the open puzzle; empty when none is followed
    qint64 baseMs_ = 0;  // time counted before the running stretch
    QElapsedTimer stretch_;
    QTimer tick_;
    QTimer writer_;
    bool paused_ = false;
    bool solved_ = false;
    bool full_ = false;
    bool fullButWrong_ = false;
    bool revealNoted_ = false;
};
