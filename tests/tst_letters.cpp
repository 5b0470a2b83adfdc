// The player's letters beyond the plain keys: punctuation squares never
// take a letter, undo and redo through the history, Check Letter and
// Check Word. Played through real key events on the game's own windows.
#include <QAction>
#include <QtTest>

#include "app/TVlqGameMainForm.h"
#include "core/PuzzleRules.h"
#include "game/GameContext.h"
#include "game/SettingsStore.h"
#include "support/PuzzleFixture.h"
#include "support/ScratchDocuments.h"
#include "views/SquareGeometry.h"
#include "views/TVlqGameGridForm.h"
#include "views/TVlqSolveForm.h"

using vlq::Square;

// The puzzle is fixture::wordsPuzzle():
//   A B # C D E    words: AB | CDE-FG across the row break | HI- JK'LM across
//   F G # H I -    the next one | NOPQRS, which ends the grid.
//   J K ' L M #    clue 1 ACE, 2 BID, 3 FOG, 4 HJK, 5 LNQ.
//   N O P Q R S
class TestLetters : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void punctuationNeverTakesALetter();

private:
    TVlqGameGridForm* grid() const { return game().gridForm; }
    vlq::PuzzleRecord& rec() { return game().puzzle; }
    void clickSquare(int c, int r) {
        QTest::mouseClick(grid(), Qt::LeftButton, {}, vlq::squareOutline(c, r, game().gridSquareSize).center());
    }
    void typeAt(int c, int r, const char* keys) {
        clickSquare(c, r);
        QTest::keyClicks(grid(), QString::fromLatin1(keys));
    }

    std::unique_ptr<ScratchDocuments> docs_;
    std::unique_ptr<TVlqGameMainForm> form_;
    TVlqSolveForm* solve_ = nullptr;
};

void TestLetters::init() {
    QFile::remove(SettingsStore::open().fileName());
    game().reset();
    docs_ = std::make_unique<ScratchDocuments>();
    const QString path = docs_->writePuzzle(QStringLiteral("Letters.vlq"), fixture::wordsPuzzle());
    solve_ = new TVlqSolveForm;
    game().solveForm = solve_;
    form_ = fixture::showMainWindow();
    QVERIFY(form_);
    QVERIFY(form_->OpenPuzzleFile(path));
    QVERIFY(grid());
}

void TestLetters::cleanup() {
    form_.reset();
    delete solve_;
    solve_ = nullptr;
    docs_.reset();
    game().reset();
}

// Typing straight on over the hyphen and the apostrophe fills the letters
// after them, and the whole solution typed that way is correct.
void TestLetters::punctuationNeverTakesALetter() {
    typeAt(1, 1, "ab");
    typeAt(4, 1, "cdefg");
    typeAt(4, 2, "hijklm");
    typeAt(1, 4, "nopqrs");
    QCOMPARE(rec().entry(6, 2), std::uint8_t('-'));
    QCOMPARE(rec().entry(3, 3), std::uint8_t('\''));
    QCOMPARE(rec().entry(1, 3), std::uint8_t('J'));
    QVERIFY(vlq::isCorrect(rec()));
}

QTEST_MAIN(TestLetters)
#include "tst_letters.moc"
