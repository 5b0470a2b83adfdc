#include "game/PlayerLetters.h"

#include "game/CheckMarks.h"
#include "game/GameContext.h"
#include "game/LetterHistory.h"
#include "game/ProgressStore.h"
#include "core/PuzzleIdentity.h"

namespace {

bool inStorage(const vlq::PuzzleRecord& rec, vlq::Square at) {
    return rec.inGrid(at.col, at.row) && at.col <= vlq::kMaxCols && at.row <= vlq::kMaxRows;
}

} // namespace

bool PlayerLetters::setPlayerLetter(vlq::Square at, std::uint8_t letter, LetterCause why) {
    vlq::PuzzleRecord& rec = game().puzzle;
    if (!inStorage(rec, at)) return false;
    // A punctuation square holds its own mark and nothing else, whoever
    // writes (a reveal, an undo of one, Start Over).
    if (rec.isPunctuation(at.col, at.row)) letter = rec.solution(at.col, at.row);
    if (why == LetterCause::Typed && letter >= 'A' && letter <= 'Z' && pencilOn()) {
        const LetterHistory::Step step;
        const bool inked = setPlayerLetter(at, 0, LetterCause::Kept);
        return setPencilLetter(at, letter, why) || inked;
    }
    const bool erasesPencil = why != LetterCause::History && why != LetterCause::Kept;
    const std::uint8_t before = rec.entry(at.col, at.row);
    if (before == letter && !(erasesPencil && pencil_[slot(at)])) return false;
    const LetterHistory::Step step;
    if (erasesPencil) setPencilLetter(at, 0, why);
    if (before == letter) return true;
    rec.setEntry(at.col, at.row, letter);
    if (why != LetterCause::History) letterHistory().record(at, before, letter);
    checkMarks().unmark(at);
    emit letterChanged(at);
    return true;
}

std::uint8_t PlayerLetters::pencilLetter(vlq::Square at) const {
    return inStorage(game().puzzle, at) ? pencil_[slot(at)] : 0;
}

bool PlayerLetters::setPencilLetter(vlq::Square at, std::uint8_t letter, LetterCause why) {
    if (!inStorage(game().puzzle, at)) return false;
    std::uint8_t& kept = pencil_[slot(at)];
    if (kept == letter) return false;
    if (why != LetterCause::History) letterHistory().record(at, kept, letter, LetterHistory::Layer::Pencil);
    kept = letter;
    if (!identity_.isEmpty()) ProgressStore::shared().setPencilLetter(identity_, at.col * 100 + at.row, char(letter));
    emit letterChanged(at);
    return true;
}

std::uint8_t PlayerLetters::shownPencil(vlq::Square at) const { return game().aids.pencil ? pencilLetter(at) : 0; }

void PlayerLetters::puzzleRead() {
    const vlq::PuzzleRecord& rec = game().puzzle;
    pencil_.fill(0);
    identity_ = QString::fromStdString(vlq::puzzleIdentity(rec));
    const QMap<int, char> kept = ProgressStore::shared().pencil(identity_);
    for (auto it = kept.begin(); it != kept.end(); ++it) {
        const vlq::Square at{it.key() / 100, it.key() % 100};
        const char letter = it.value();
        if (!inStorage(rec, at) || letter < 'A' || letter > 'Z') continue;
        if (rec.isBlack(at.col, at.row) || rec.isPunctuation(at.col, at.row) || rec.entry(at.col, at.row)) continue;
        pencil_[slot(at)] = std::uint8_t(letter);
    }
}

bool PlayerLetters::pencilOn() const { return pencilSwitch_ && game().aids.pencil; }

void PlayerLetters::setPencilSwitch(bool on) {
    if (pencilSwitch_ == on) return;
    pencilSwitch_ = on;
    emit pencilSwitched(on);
}

PlayerLetters& playerLetters() {
    static PlayerLetters instance;
    return instance;
}
