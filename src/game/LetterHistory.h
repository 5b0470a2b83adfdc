// The history of the player's letters for undo and redo. The letter door
// (setPlayerLetter) records every change by the player here as {square,
// before, after}; one user action is one step: a key, a whole word
// revealed, the grid cleared for Start Over. Undo and redo write the
// letters back through the same door (LetterCause::History), which records
// nothing. Cursor moves are never recorded, and writes that change nothing
// leave no step.
//
// Undoing a reveal takes the letter back but leaves the puzzle marked as
// cheated: the solution was seen. A new history starts when a puzzle is
// read (open, revert) and when Start Over clears the grid; the clearing is
// then the first step, so it can be undone too.
#pragma once
#include <QObject>
#include <cstdint>
#include <vector>

#include "core/PuzzleRecord.h"

class LetterHistory : public QObject {
    Q_OBJECT
public:
    // Which letter of a square changed: the inked one (Entry) or the pencil one.
    enum class Layer { Ink, Pencil };
    struct Change {
        vlq::Square at;
        std::uint8_t before = 0;
        std::uint8_t after = 0;
        Layer layer = Layer::Ink;
    };

    // Open while one user action runs: every change recorded meanwhile
    // joins one step. A step opened inside another joins the outer one; a
    // change recorded with no step open is a step of its own.
    class Step {
    public:
        Step();
        ~Step();
        Step(const Step&) = delete;
        Step& operator=(const Step&) = delete;
    };

    // A change by the player (from the letter door). What could be redone
    // is forgotten once the change's step closes.
    void record(vlq::Square at, std::uint8_t before, std::uint8_t after, Layer layer = Layer::Ink);

    bool canUndo() const { return !done_.empty(); }
    bool canRedo() const { return !undone_.empty(); }

    // Takes back the last step (its changes last first) or does it again,
    // through the letter door. Returns the squares written, in the order
    // written; empty when there is nothing to take back or do again, or a
    // step is open.
    std::vector<vlq::Square> undo();
    std::vector<vlq::Square> redo();

    // Forgets every step: a new history.
    void clear();

    // The oldest steps go beyond this many.
    static constexpr std::size_t kMaxSteps = 5000;

signals:
    // After every change of what can be undone or redone.
    void historyChanged(bool canUndo, bool canRedo);

private:
    void push(std::vector<Change> step);
    void announce() { emit historyChanged(canUndo(), canRedo()); }

    std::vector<std::vector<Change>> done_;
    std::vector<std::vector<Change>> undone_;
    std::vector<Change> open_;
    int depth_ = 0;
};

// The program's one history, alive for the whole run.
LetterHistory& letterHistory();
