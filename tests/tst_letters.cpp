// The player's letters beyond the plain keys: punctuation squares never
// take a letter, undo and redo through the history, Check Letter and
// Check Word. Played through real key events on the game's own windows.
#include <QAction>
#include <QMenu>
#include <QPushButton>
#include <QToolButton>
#include <QtTest>

#include "app/TScoreForm.h"
#include "app/TVlqGameMainForm.h"
#include "core/PuzzleRules.h"
#include "game/CheckMarks.h"
#include "game/GameContext.h"
#include "game/SettingsStore.h"
#include "game/SettingsTable.h"
#include "game/SolvingAids.h"
#include "game/TVlqProcs.h"
#include "support/PromptRecorder.h"
#include "support/PuzzleFixture.h"
#include "support/ScratchDocuments.h"
#include "support/ScreenProbe.h"
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
    void itemsShowOnlyWithTheirAid_data();
    void itemsShowOnlyWithTheirAid();
    void undoAndRedoOneAction_data();
    void undoAndRedoOneAction();
    void aNewPuzzleStartsANewHistory();
    void checksMarkOnlyWrongLetters_data();
    void checksMarkOnlyWrongLetters();
    void showErrorsSparesEmptySquaresWithChecks();

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
    void switchAids(bool undo, bool check) {
        SolvingAids::setSwitchedOn(true);
        TVlqProcs::WriteSetting(VlqSetting::AidUndo, undo ? 1 : 0);
        TVlqProcs::WriteSetting(VlqSetting::AidCheck, check ? 1 : 0);
        form_->ReadToolSettings();
    }
    QAction* item(const char* name) { return form_->findChild<QAction*>(QString::fromLatin1(name)); }
    // Every square's letter in reading order: '.' empty, '#' black.
    QString letters() {
        QString out;
        for (int r = 1; r <= rec().height(); ++r)
            for (int c = 1; c <= rec().width(); ++c)
                out += rec().isBlack(c, r) ? QChar('#') : rec().entry(c, r) ? QChar(rec().entry(c, r)) : QChar('.');
        return out;
    }
    void startOver() {
        QTimer::singleShot(0, this, [] {
            for (auto* b : QApplication::activeModalWidget()->findChildren<QPushButton*>())
                if (b->text() == QStringLiteral("&Start Over")) QTest::mouseClick(b, Qt::LeftButton);
        });
        form_->ScoreBtnClick();
    }
    int redIn(QWidget* w, const QRect& rect) { return probe::countColour(probe::shot(w), rect, QColor(230, 0, 0), 30); }
    // The corner of square (c, r) that carries its check mark.
    QRect markCorner(int c, int r) {
        const int s = game().gridSquareSize;
        const QRect o = vlq::squareOutline(c, r, s);
        return {o.x() + s - 3, o.y() + s - 3, 2, 2};
    }

    std::unique_ptr<ScratchDocuments> docs_;
    std::unique_ptr<TVlqGameMainForm> form_;
    TVlqSolveForm* solve_ = nullptr;
    TScoreForm* card_ = nullptr;
};

void TestLetters::init() {
    QFile::remove(SettingsStore::open().fileName());
    game().reset();
    docs_ = std::make_unique<ScratchDocuments>();
    const QString path = docs_->writePuzzle(QStringLiteral("Letters.vlq"), fixture::wordsPuzzle());
    solve_ = new TVlqSolveForm;
    game().solveForm = solve_;
    card_ = new TScoreForm;
    game().scoreForm = card_;
    form_ = fixture::showMainWindow();
    QVERIFY(form_);
    QVERIFY(form_->OpenPuzzleFile(path));
    QVERIFY(grid());
}

void TestLetters::cleanup() {
    form_.reset();
    delete solve_;
    solve_ = nullptr;
    delete card_;
    card_ = nullptr;
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

// The classic menus and keys stay as they were; each aid brings its items.
void TestLetters::itemsShowOnlyWithTheirAid_data() {
    QTest::addColumn<bool>("switchedOn");
    QTest::addColumn<bool>("undo");
    QTest::addColumn<bool>("check");
    QTest::newRow("classic") << false << false << false;
    QTest::newRow("undo only") << true << true << false;
    QTest::newRow("checks only") << true << false << true;
}

void TestLetters::itemsShowOnlyWithTheirAid() {
    QFETCH(bool, switchedOn);
    QFETCH(bool, undo);
    QFETCH(bool, check);
    if (switchedOn) switchAids(undo, check);
    const QList<QAction*> options = form_->Options1->actions();
    for (const char* name : {"undoLetter", "redoLetter"}) QCOMPARE(options.contains(item(name)), undo);
    for (const char* name : {"checkLetter", "checkWord"}) QCOMPARE(options.contains(item(name)), check);
    typeAt(1, 1, "x");
    QTest::keyClick(grid(), Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(rec().entry(1, 1), std::uint8_t(undo ? 0 : 'X'));
    QTest::keyClick(grid(), Qt::Key_K, Qt::ControlModifier | Qt::ShiftModifier);
    QCOMPARE(checkMarks().isMarked({1, 1}), check);
}

// One action is one step back, and forward again, from either window.
void TestLetters::undoAndRedoOneAction_data() {
    QTest::addColumn<QString>("action");
    QTest::newRow("keys in the grid") << "grid";
    QTest::newRow("keys in the answer window") << "answer";
    QTest::newRow("a word revealed") << "word";
    QTest::newRow("start over") << "start over";
}

void TestLetters::undoAndRedoOneAction() {
    QFETCH(QString, action);
    switchAids(true, false);
    typeAt(1, 1, "ab");
    QWidget* keys = grid();
    const QString before = letters();
    if (action == "grid") {
        typeAt(4, 1, "c");
    } else if (action == "answer") {
        game().currentClue = 3; // FOG
        solve_->AnswerCursor = 0;
        solve_->OpenOnClue();
        QVERIFY(QTest::qWaitForWindowExposed(solve_));
        QTest::keyClick(solve_, 'f');
        keys = solve_;
    } else if (action == "word") {
        clickSquare(4, 2);
        QTest::mouseClick(form_->WordBtn, Qt::LeftButton);
    } else {
        startOver();
    }
    const QString after = letters();
    QVERIFY(after != before);
    game().modified = false;
    probe::shot(grid()); // the action's letters on screen
    QTest::keyClick(keys, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(letters(), before);
    QVERIFY(game().modified);
    // The windows show the letters taken back.
    const int w = rec().width(), s = game().gridSquareSize;
    const QImage shown = probe::shot(grid());
    for (int i = 0; i < before.size(); ++i) {
        if (before[i] == after[i]) continue;
        const QRect inside = vlq::squareOutline(i % w + 1, i / w + 1, s).adjusted(2, 2, -2, -2);
        QCOMPARE(probe::countColour(shown, inside, Qt::black) > 0, before[i] != '.');
    }
    if (action == "answer")
        QCOMPARE(probe::countColour(probe::shot(solve_->SolveGrid), solve_->stripSquare(0).adjusted(2, 2, -2, -2), Qt::black), 0);
    QTest::keyClick(keys, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    QCOMPARE(letters(), after);
    QTest::keyClick(keys, Qt::Key_Z, Qt::ControlModifier);
    QTest::keyClick(keys, Qt::Key_Y, Qt::ControlModifier);
    QCOMPARE(letters(), after);
    // Start Over begins a new history: the letters before it stay.
    if (action == "start over") {
        QTest::keyClick(keys, Qt::Key_Z, Qt::ControlModifier);
        QTest::keyClick(keys, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(letters(), before);
    }
    QCOMPARE(grid()->cheated(), action == "word"); // a reveal taken back was still seen
}

void TestLetters::aNewPuzzleStartsANewHistory() {
    switchAids(true, false);
    typeAt(1, 1, "ab");
    QVERIFY(item("undoLetter")->isEnabled());
    PromptRecorder prompts;
    prompts.answers << true;
    form_->RevertToSaved1Click();
    QVERIFY(!item("undoLetter")->isEnabled());
    QTest::keyClick(grid(), Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(letters().left(2), QStringLiteral(".."));
}

// Wrong letters are marked, empty and right ones not; a new letter takes
// the mark away.
void TestLetters::checksMarkOnlyWrongLetters_data() {
    QTest::addColumn<bool>("inAnswerWindow");
    QTest::newRow("grid") << false;
    QTest::newRow("answer window") << true;
}

void TestLetters::checksMarkOnlyWrongLetters() {
    QFETCH(bool, inAnswerWindow);
    switchAids(false, true);
    typeAt(4, 2, "hxj"); // H right, X wrong (I), J right; the rest of the word empty
    QWidget* keys = grid();
    if (inAnswerWindow) {
        game().currentClue = 4; // HJK: (4,2) (1,3) (2,3)
        solve_->AnswerCursor = 2;
        solve_->OpenOnClue();
        QVERIFY(QTest::qWaitForWindowExposed(solve_));
        QTest::keyClick(solve_, 'q'); // K wrong, cursor past the end
        keys = solve_;
    } else {
        clickSquare(5, 2);
    }
    QTest::keyClick(keys, Qt::Key_K, Qt::ControlModifier);
    QCOMPARE(checkMarks().isMarked({5, 2}), !inAnswerWindow); // the letter only: the answer cursor is past it
    probe::shot(grid()); // the letters on screen before the check
    QTest::keyClick(keys, Qt::Key_K, Qt::ControlModifier | Qt::ShiftModifier);
    const QList<Square> wrong = inAnswerWindow ? QList<Square>{{2, 3}} : QList<Square>{{5, 2}};
    for (const Square& q : {Square{4, 2}, Square{5, 2}, Square{1, 3}, Square{2, 3}, Square{4, 3}}) {
        QCOMPARE(checkMarks().isMarked(q), wrong.contains(q));
        QCOMPARE(redIn(grid(), markCorner(q.col, q.row)) > 0, wrong.contains(q));
    }
    if (inAnswerWindow) QVERIFY(redIn(solve_->SolveGrid, solve_->stripSquare(2)) > 0);
    const Square q = wrong.front();
    typeAt(q.col, q.row, "z");
    QVERIFY(!checkMarks().isMarked(q));
    QCOMPARE(redIn(grid(), markCorner(q.col, q.row)), 0);
}

void TestLetters::showErrorsSparesEmptySquaresWithChecks() {
    switchAids(false, true);
    typeAt(1, 1, "ax");
    grid()->MarkErrors();
    const int s = game().gridSquareSize;
    auto crossed = [&](int c, int r) {
        return redIn(grid(), vlq::squareOutline(c, r, s).adjusted(s / 3, s / 3, -s / 3, -s / 3)) > 0;
    };
    QVERIFY(crossed(2, 1));
    QVERIFY(!crossed(1, 1));
    QVERIFY(!crossed(4, 1));
}

QTEST_MAIN(TestLetters)
#include "tst_letters.moc"
