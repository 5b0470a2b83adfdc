#include "game/WholeClues.h"

#include "core/PuzzleIdentity.h"
#include "game/GameContext.h"
#include "game/ProgressStore.h"

namespace {

QMap<int, QString>& openPuzzleTexts() {
    static QMap<int, QString> texts;
    return texts;
}

} // namespace

void keepWholeClueTexts(const vlq::PuzzleRecord& rec, const QMap<int, QString>& texts) {
    if (texts.isEmpty()) return;
    ProgressStore::shared().setClueTexts(QString::fromStdString(vlq::puzzleIdentity(rec)), texts);
}

void readWholeClueTexts() {
    openPuzzleTexts() = ProgressStore::shared().clueTexts(QString::fromStdString(vlq::puzzleIdentity(game().puzzle)));
}

QString wholeClueText(int k) { return game().aids.progress ? openPuzzleTexts().value(k) : QString(); }
