#include "game/ProgressKeeper.h"

#include <QFileInfo>
#include <QGuiApplication>
#include <QWindow>

#include <algorithm>
#include <climits>

#include "core/PuzzleIdentity.h"
#include "core/PuzzleRules.h"
#include "game/GameContext.h"
#include "game/PlayerLetters.h"
#include "game/ProgressStore.h"
#include "game/RecordText.h"
#include "views/TVlqGameGridForm.h"

namespace {

bool gridFull(const vlq::PuzzleRecord& rec) {
    const vlq::FillCount n = vlq::fillCount(rec);
    return n.filled == n.total;
}

// The game's window is in front and not minimised.
bool windowActive() {
    if (QGuiApplication::applicationState() != Qt::ApplicationActive) return false;
    const auto windows = QGuiApplication::topLevelWindows();
    return std::none_of(windows.begin(), windows.end(),
                        [](const QWindow* w) { return w->visibility() == QWindow::Minimized; });
}

} // namespace

ProgressKeeper::ProgressKeeper(QObject* parent) : QObject(parent) {
    tick_.setInterval(1000);
    connect(&tick_, &QTimer::timeout, this, [this] {
        follow(); // a minimised window stops the count at the next tick
        emit secondsChanged(seconds());
    });
    writer_.setInterval(kWriteEveryMs);
    connect(&writer_, &QTimer::timeout, this, &ProgressKeeper::writeSeconds);
    connect(qGuiApp, &QGuiApplication::applicationStateChanged, this, &ProgressKeeper::follow);
    connect(&playerLetters(), &PlayerLetters::letterChanged, this, &ProgressKeeper::letterChanged);
    game().progress = this;
}

ProgressKeeper::~ProgressKeeper() {
    writeSeconds();
    if (game().progress == this) game().progress = nullptr;
}

int ProgressKeeper::seconds() const {
    const qint64 ms = baseMs_ + (stretch_.isValid() ? stretch_.elapsed() : 0);
    return int(std::min<qint64>(ms / 1000, INT_MAX));
}

void ProgressKeeper::forget() {
    writeSeconds();
    tick_.stop();
    writer_.stop();
    stretch_.invalidate();
    identity_.clear();
    baseMs_ = 0;
    solved_ = full_ = revealNoted_ = false;
    setFullButWrong(false);
}

void ProgressKeeper::setFullButWrong(bool on) {
    if (on == fullButWrong_) return;
    fullButWrong_ = on;
    emit gridFullButWrong(on);
}

void ProgressKeeper::puzzleOpened() {
    forget();
    if (!game().aids.keepProgress || game().currentPuzzlePath.isEmpty()) {
        emit secondsChanged(0);
        return;
    }
    const vlq::PuzzleRecord& rec = game().puzzle;
    identity_ = QString::fromStdString(vlq::puzzleIdentity(rec));
    ProgressStore& store = ProgressStore::shared();
    const PuzzleProgress known = store.progress(identity_);
    store.notePlayed(identity_, QFileInfo(game().currentPuzzlePath).completeBaseName(), vlq::recordText(rec.byline()));
    baseMs_ = qint64(known.seconds) * 1000;
    revealNoted_ = known.revealed;
    // A puzzle solved before and opened solved shows its time, stopped.
    solved_ = known.solvedAt.isValid() && vlq::isCorrect(rec);
    full_ = gridFull(rec);
    follow();
    emit secondsChanged(seconds());
}

void ProgressKeeper::aidsChanged() {
    if (game().aids.keepProgress == !identity_.isEmpty()) return;
    puzzleOpened();
}

void ProgressKeeper::startedOver() {
    if (identity_.isEmpty()) return;
    baseMs_ = 0;
    if (stretch_.isValid()) stretch_.restart();
    solved_ = full_ = false;
    setFullButWrong(false);
    writeSeconds();
    follow();
    emit secondsChanged(seconds());
}

void ProgressKeeper::flush() { writeSeconds(); }

void ProgressKeeper::setPaused(bool on) {
    paused_ = on;
    follow();
    emit secondsChanged(seconds());
}

void ProgressKeeper::follow() {
    const bool run = !identity_.isEmpty() && !solved_ && !paused_ && windowActive();
    if (run == stretch_.isValid()) return;
    if (run) {
        stretch_.start();
        tick_.start();
        writer_.start();
    } else {
        baseMs_ += stretch_.elapsed();
        stretch_.invalidate();
        tick_.stop();
        writer_.stop();
        writeSeconds();
    }
}

void ProgressKeeper::writeSeconds() {
    if (!identity_.isEmpty()) ProgressStore::shared().setSeconds(identity_, seconds());
}

void ProgressKeeper::noteReveal() {
    if (revealNoted_ || identity_.isEmpty() || !game().gridForm || !game().gridForm->cheated()) return;
    revealNoted_ = true;
    ProgressStore::shared().setRevealed(identity_);
}

void ProgressKeeper::letterChanged(vlq::Square) {
    if (identity_.isEmpty()) return;
    noteReveal();
    const vlq::PuzzleRecord& rec = game().puzzle;
    full_ = gridFull(rec);
    const bool right = full_ && vlq::isCorrect(rec);
    setFullButWrong(full_ && !right);
    if (!right || solved_) return;
    // Solved: the count stops at this moment, and the solve is kept.
    solved_ = true;
    follow();
    ProgressStore::shared().recordSolve(identity_, QFileInfo(game().currentPuzzlePath).completeBaseName(),
                                        vlq::recordText(rec.byline()), seconds(), revealNoted_);
    emit secondsChanged(seconds());
    emit gridSolved();
}
