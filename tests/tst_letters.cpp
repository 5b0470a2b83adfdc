// The player's letters beyond the plain keys, with real keys on the game's
// windows: punctuation never takes a letter; undo, redo and the checks.
// fixture::wordsPuzzle():  AB#CDE / FG#HI- / JK'LM# / NOPQRS;
// clues 3 FOG (1,2) (2,4) (2,2) and 4 HJK (4,2) (1,3) (2,3).
#include <QMenu>
#include <QPushButton>
#include <QToolButton>
#include <QtTest>

#include "app/TScoreForm.h"
#include "app/TVlqGameMainForm.h"
#include "core/PuzzleRules.h"
#include "game/CheckMarks.h"
#include "game/GameContext.h"
#include "game/PlayerLetters.h"
#include "game/ProgressStore.h"
#include "game/SettingsStore.h"
#include "game/SettingsTable.h"
#include "game/TVlqProcs.h"
#include "support/PromptRecorder.h"
#include "support/PuzzleFixture.h"
#include "support/ScratchDocuments.h"
#include "support/ScreenProbe.h"
#include "views/SquareGeometry.h"
#include "views/TVlqGameGridForm.h"
#include "views/TVlqSolveForm.h"

using vlq::Square;

class TestLetters : public QObject {
    Q_OBJECT
    vlq::PuzzleRecord& rec() { return game().puzzle; }
    QRect box(Square q, int in) { return vlq::squareOutline(q.col, q.row, game().gridSquareSize).adjusted(in, in, -in, -in); }
    void typeAt(int c, int r, const char* keys) {
        QTest::mouseClick(game().gridForm, Qt::LeftButton, {}, box({c, r}, 0).center());
        QTest::keyClicks(game().gridForm, QString::fromLatin1(keys));
    }
    void switchAids(bool undo, bool check) {
        SolvingAids::setSwitchedOn(undo || check);
        TVlqProcs::WriteSetting(VlqSetting::AidUndo, undo ? 1 : 0);
        TVlqProcs::WriteSetting(VlqSetting::AidCheck, check ? 1 : 0);
        TVlqProcs::WriteSetting(VlqSetting::AidLabels, 0); // no label ink in the squares probed
        form_->ReadToolSettings();
    }
    QWidget* answerWindow(int clue, int cursor, char key) {
        game().currentClue = clue;
        solve_->AnswerCursor = cursor;
        solve_->OpenOnClue();
        if (!QTest::qWaitForWindowExposed(solve_.get())) return nullptr;
        QTest::keyClick(solve_.get(), key);
        return solve_.get();
    }
    QString letters() { // reading order, '.' empty, '#' black, punctuation as it shows
        QString out;
        for (int r = 1; r <= rec().height(); ++r)
            for (int c = 1; c <= rec().width(); ++c)
                out += rec().isBlack(c, r)         ? QChar('#')
                       : rec().isPunctuation(c, r) ? QChar(rec().solution(c, r))
                       : rec().entry(c, r)         ? QChar(rec().entry(c, r))
                                                   : QChar('.');
        return out;
    }
    int inkIn(QWidget* w, const QRect& rect, const QColor& ink) { return probe::countColour(probe::shot(w), rect, ink, 30); }
    void keys(QWidget* w, Qt::Key key, Qt::KeyboardModifiers mods) { QTest::keyClick(w, key, mods | Qt::ControlModifier); }

    std::unique_ptr<ScratchDocuments> docs_;
    std::unique_ptr<TVlqGameMainForm> form_;
    std::unique_ptr<TVlqSolveForm> solve_;
    std::unique_ptr<TScoreForm> card_;

private slots:
    void init() {
        QFile::remove(SettingsStore::open().fileName());
        game().reset();
        docs_ = std::make_unique<ScratchDocuments>();
        game().solveForm = (solve_ = std::make_unique<TVlqSolveForm>()).get();
        game().scoreForm = (card_ = std::make_unique<TScoreForm>()).get();
        form_ = fixture::showMainWindow();
        QVERIFY(form_);
        QVERIFY(form_->OpenPuzzleFile(docs_->writePuzzle(QStringLiteral("Letters.vlq"), fixture::wordsPuzzle())));
    }
    void cleanup() {
        playerLetters().setPencilSwitch(false);
        form_.reset(), solve_.reset(), card_.reset(), docs_.reset();
        game().reset();
    }

    // Typed straight on, the letters pass the hyphen and the apostrophe by.
    void aFullyTypedSolutionIsCorrect() {
        for (const auto& [c, r, word] : {std::tuple{1, 1, "ab"}, {4, 1, "cdefg"}, {4, 2, "hijklm"}, {1, 4, "nopqrs"}})
            typeAt(c, r, word);
        QVERIFY(vlq::isCorrect(rec()));
    }

    // One action is one step back and forward again, from either window;
    // the letters taken back leave the screen too. Classic: nothing.
    void undoAndRedoOneAction_data() {
        QTest::addColumn<QString>("action");
        QTest::newRow("classic") << "classic";
        QTest::newRow("a key in the grid") << "grid";
        QTest::newRow("a key in the answer window") << "answer";
        QTest::newRow("a word revealed") << "word";
        QTest::newRow("start over") << "start over";
        QTest::newRow("revert") << "revert";
    }
    void undoAndRedoOneAction() {
        QFETCH(QString, action);
        switchAids(action != "classic", false);
        QCOMPARE(form_->findChild<QAction*>("undoLetter")->associatedObjects().contains(form_->Options1), action != "classic");
        typeAt(1, 1, "ab");
        QWidget* target = game().gridForm;
        const QString before = letters();
        PromptRecorder prompts;
        prompts.answers << true;
        if (action == "classic" || action == "grid") {
            typeAt(4, 1, "c");
        } else if (action == "answer") {
            QVERIFY((target = answerWindow(3, 0, 'f')));
        } else if (action == "word") {
            typeAt(4, 2, "");
            QTest::mouseClick(form_->WordBtn, Qt::LeftButton);
        } else if (action == "start over") {
            QTimer::singleShot(0, this, [] {
                for (auto* b : QApplication::activeModalWidget()->findChildren<QPushButton*>())
                    if (b->text() == QStringLiteral("&Start Over")) b->click();
            });
            form_->ScoreBtnClick();
        } else {
            form_->RevertToSaved1Click(); // a new history, with nothing to undo
        }
        const QString after = letters();
        probe::shot(game().gridForm); // the action's letters on screen
        keys(target, Qt::Key_Z, {});
        QCOMPARE(letters(), action == "classic" || action == "revert" ? after : before);
        const int w = rec().width();
        for (int i = 0; i < before.size(); ++i)
            if (letters()[i] != after[i]) QCOMPARE(inkIn(game().gridForm, box({i % w + 1, i / w + 1}, 2), Qt::black) > 0, before[i] != '.');
        if (action == "answer") QCOMPARE(inkIn(solve_->SolveGrid, solve_->stripSquare(0).adjusted(2, 2, -2, -2), Qt::black), 0);
        keys(target, Qt::Key_Z, Qt::ShiftModifier);
        QCOMPARE(letters(), after);
        keys(target, Qt::Key_Z, {});
        keys(target, Qt::Key_Z, {}); // after Start Over: nothing older
        keys(target, Qt::Key_Y, {});
        QCOMPARE(letters().left(2), QString(action == "start over" || action == "revert" ? ".." : "AB"));
        QCOMPARE(game().gridForm->cheated(), action == "word"); // a reveal taken back was still seen
    }

    // Pencil letters (Ctrl+E): grey in the square, never in Entry or the
    // file, back after a restart, spared by Show Errors, replaced by ink,
    // undone like ink.
    void pencilLettersStayBesideTheRecord() {
        switchAids(true, true);
        keys(game().gridForm, Qt::Key_E, {});
        QVERIFY(form_->PencilBtn->isVisible() && form_->PencilBtn->isChecked());
        typeAt(1, 1, "x");
        QCOMPARE(int(rec().entry(1, 1)), 0);
        QCOMPARE(playerLetters().pencilLetter({1, 1}), std::uint8_t('X'));
        QVERIFY(inkIn(game().gridForm, box({1, 1}, 2), QColor(85, 85, 85)) > 0);
        QCOMPARE(inkIn(game().gridForm, box({1, 1}, 2), Qt::black), 0);
        form_->Save1Click();
        QCOMPARE(int(TVlqProcs::ReadPuzzleFile(game().currentPuzzlePath).entry(1, 1)), 0);
        ProgressStore::resetShared(); // as a new run finds the store
        QVERIFY(form_->OpenPuzzleFile(game().currentPuzzlePath));
        QCOMPARE(playerLetters().pencilLetter({1, 1}), std::uint8_t('X'));
        game().gridForm->MarkErrors();
        QVERIFY(!game().gridForm->crossed(1, 1));
        keys(game().gridForm, Qt::Key_E, {}); // back to ink
        typeAt(1, 1, "a");
        QCOMPARE(rec().entry(1, 1), std::uint8_t('A'));
        QCOMPARE(playerLetters().pencilLetter({1, 1}), std::uint8_t(0));
        keys(game().gridForm, Qt::Key_Z, {});
        QCOMPARE(int(rec().entry(1, 1)), 0);
        QCOMPARE(playerLetters().pencilLetter({1, 1}), std::uint8_t('X'));
    }

    // Only wrong letters get a mark, drawn in the grid and the strip, gone
    // with a new letter; Show Errors then spares the empty squares.
    void checksMarkOnlyWrongLetters_data() {
        QTest::addColumn<bool>("inAnswerWindow");
        QTest::newRow("grid") << false;
        QTest::newRow("answer window") << true;
    }
    void checksMarkOnlyWrongLetters() {
        QFETCH(bool, inAnswerWindow);
        switchAids(false, true);
        typeAt(4, 2, "hxj"); // X wrong, the rest of the word empty
        typeAt(5, 2, "");
        QWidget* target = inAnswerWindow ? answerWindow(4, 2, 'q') : game().gridForm; // HJK: Q wrong, then past the end
        QVERIFY(target);
        keys(target, Qt::Key_K, {});
        QCOMPARE(checkMarks().isMarked({5, 2}), !inAnswerWindow);
        probe::shot(game().gridForm);
        keys(target, Qt::Key_K, Qt::ShiftModifier);
        const Square wrong = inAnswerWindow ? Square{2, 3} : Square{5, 2};
        const int s = game().gridSquareSize;
        for (const Square q : {Square{4, 2}, Square{5, 2}, Square{1, 3}, Square{2, 3}, Square{4, 3}})
            QCOMPARE(inkIn(game().gridForm, QRect(box(q, 0).topLeft() + QPoint(s - 3, s - 3), QSize(2, 2)), QColor(220, 0, 0)) > 0, q == wrong);
        if (inAnswerWindow) QVERIFY(inkIn(solve_->SolveGrid, solve_->stripSquare(2), QColor(220, 0, 0)) > 0);
        solve_->close();
        game().gridForm->MarkErrors();
        QVERIFY(inkIn(game().gridForm, box(wrong, s / 3), Qt::red) > 0);
        QCOMPARE(inkIn(game().gridForm, box({4, 3}, s / 3), Qt::red), 0);
        typeAt(wrong.col, wrong.row, "z");
        QVERIFY(!checkMarks().isMarked(wrong));
    }
};

QTEST_MAIN(TestLetters)
#include "tst_letters.moc"
