// What a screen reader finds inside the game (the painted squares as named
// cells, the cursor as their focus, every control named) and the keys that
// reach every pane without a mouse. Checked from outside, through the
// AT-SPI bus, by access/run.sh.
#include <QAbstractButton>
#include <QAccessible>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMdiArea>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <optional>

#include "app/PaneKeys.h"
#include "app/TScoreForm.h"
#include "game/GameContext.h"
#include "game/SettingsStore.h"
#include "game/TVlqProcs.h"
#include "services/TVlqDlgForm.h"
#include "settings/TVlqGamePrefForm.h"
#include "support/PromptRecorder.h"
#include "support/PuzzleFixture.h"
#include "support/ScratchDocuments.h"
#include "support/ScreenProbe.h"
#include "views/GridAccessible.h"
#include "views/SquareGeometry.h"
#include "views/TGameClockForm.h"
#include "views/TVlqGameClueForm.h"
#include "views/TVlqGameGridForm.h"
#include "views/TVlqGameTitleForm.h"
#include "views/TVlqSolveForm.h"

// The puzzle is fixture::wordsPuzzle(): clue 1 ACE, 2 BID, 3 FOG ...
//   A B # C D E
//   F G # H I -
//   J K ' L M #
//   N O P Q R S

class TestAccess : public QObject {
    Q_OBJECT

    QMdiArea* area_ = nullptr;
    std::optional<PromptRecorder> prompts_;

    TVlqGameGridForm* grid() const { return game().gridForm; }
    static QAccessibleInterface* cell(QWidget* w, int row, int column) {
        return QAccessible::queryAccessibleInterface(w)->tableInterface()->cellAt(row, column);
    }
    static QString name(QWidget* w, int row, int column) { return cell(w, row, column)->text(QAccessible::Name); }
    static QAccessibleInterface* focus(QWidget* w) { return QAccessible::queryAccessibleInterface(w)->focusChild(); }
    void clickSquare(int c, int r) {
        QTest::mouseClick(grid(), Qt::LeftButton, {}, vlq::squareOutline(c, r, game().gridSquareSize).center());
    }

private slots:
    void initTestCase() { vlq::installAccessibility(); }
    void init() {
        SettingsStore::open().clear();
        prompts_.emplace();
        game().reset();
        fixture::loadIntoGame(fixture::wordsPuzzle());
        game().solveForm = new TVlqSolveForm;
        area_ = fixture::showDocumentArea(1200, 900);
        QVERIFY(area_);
        new TVlqGameGridForm(area_);
        new TVlqGameTitleForm(area_);
        new TVlqGameClueForm(area_);
        grid()->activateWindow();
        grid()->setFocus();
        probe::shot(grid());
    }
    void cleanup() {
        delete area_;
        delete game().solveForm;
        game().solveForm = nullptr;
    }

    void focusFollowsTheCursorAndNamesFollowTheLetters() {
        QCOMPARE(QAccessible::queryAccessibleInterface(grid())->tableInterface()->rowCount(), 4);
        QCOMPARE(name(grid(), 2, 2), QStringLiteral("row 3, column 3, apostrophe"));
        QCOMPARE(focus(grid()), nullptr);
        clickSquare(4, 1); // C
        QCOMPARE(focus(grid()), cell(grid(), 0, 3));
        QTest::keyClick(grid(), Qt::Key_X);
        QCOMPARE(focus(grid()), cell(grid(), 0, 4));
        QVERIFY(focus(grid())->state().focused && !cell(grid(), 0, 3)->state().focused);
        QCOMPARE(name(grid(), 0, 3), QStringLiteral("3 A, row 1, column 4, X"));
        QTest::keyClick(grid(), Qt::Key_Backspace);
        QCOMPARE(focus(grid()), cell(grid(), 0, 3));
        QCOMPARE(name(game().titleForm, 0, 0), QStringLiteral("clue A, 1 of 5, empty")); // clue 1's first letter
        grid()->MarkErrors();
        QCOMPARE(name(grid(), 0, 3), QStringLiteral("3 A, row 1, column 4, X, marked wrong"));
    }

    void answerStripAndClueLines() {
        QListWidget* list = game().clueForm->ClueList;
        list->setCurrentRow(1); // B: BID, its D is (5, 1)
        game().clueForm->ClueListClick(list);
        QWidget* strip = game().solveForm->SolveGrid;
        QCOMPARE(name(strip, 0, 2), QStringLiteral("3 of 3, square 4, empty")); // grid square (5, 1)
        game().solveForm->AnswerCursor = 0;
        QTest::keyClick(game().solveForm, Qt::Key_B);
        QCOMPARE(name(strip, 0, 0), QStringLiteral("1 of 3, square 2, B"));
        QCOMPARE(cell(list, 1, 0)->text(QAccessible::Name), QStringLiteral("B. Offer, 3 letters, 1 filled"));
        QCOMPARE(list->item(1)->text(), TVlqGameClueForm::clueLineText(2)); // painted as ever
    }

    void everyControlIsNamed_data() {
        QTest::addColumn<QWidget*>("window");
        QTest::newRow("preferences") << static_cast<QWidget*>(new TVlqGamePrefForm);
        QTest::newRow("score card") << static_cast<QWidget*>(new TScoreForm);
        QTest::newRow("open dialog") << static_cast<QWidget*>(new TVlqDlgForm);
        QTest::newRow("clock") << static_cast<QWidget*>(new TGameClockForm);
    }
    void everyControlIsNamed() {
        QFETCH(QWidget*, window);
        const std::unique_ptr<QWidget> owned(window);
        QStringList unnamed;
        for (QWidget* c : window->findChildren<QWidget*>()) {
            const auto* label = qobject_cast<QLabel*>(c);
            const bool control = qobject_cast<QAbstractButton*>(c) || qobject_cast<QLineEdit*>(c) ||
                                 qobject_cast<QAbstractItemView*>(c) || (label && !label->pixmap().isNull());
            if (control && QAccessible::queryAccessibleInterface(c)->text(QAccessible::Name).isEmpty())
                unnamed << QString::fromLatin1(c->metaObject()->className());
        }
        QVERIFY2(unnamed.isEmpty(), qPrintable(unnamed.join(", ")));
        if (auto* card = qobject_cast<TScoreForm*>(window)) {
            card->FormShow();
            QCOMPARE(card->accessibleDescription(), QStringLiteral("PUZZLE INCORRECT!"));
        }
    }

    void highContrastSetWithTheAids() {
        TVlqProcs::WriteSetting("BlankSqColor", "clYellow");
        TVlqGamePrefForm prefs;
        prefs.show();
        QVERIFY(prefs.HighContrastBtn->isHidden()); // classic dialog
        game().aids.legibleLetters = true;
        prefs.LoadControls();
        prefs.Pages->setCurrentIndex(TVlqGamePrefForm::ViewPage);
        QTest::mouseClick(prefs.HighContrastBtn, Qt::LeftButton);
        QCOMPARE(prefs.blankColour, QColor(Qt::white));
        QVERIFY(prefs.gridFont().font.bold() && prefs.solveFont().colour == QColor(Qt::black));
    }

    // Enter and Esc close the open dialog only with the keyboard flow on.
    void openDialogKeys_data() {
        QTest::addColumn<bool>("flow");
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("result"); // -1: still open
        QTest::newRow("classic Enter") << false << int(Qt::Key_Return) << -1;
        QTest::newRow("classic Esc") << false << int(Qt::Key_Escape) << -1;
        QTest::newRow("flow Enter opens") << true << int(Qt::Key_Return) << int(QDialog::Accepted);
        QTest::newRow("flow Esc cancels") << true << int(Qt::Key_Escape) << int(QDialog::Rejected);
    }
    void openDialogKeys() {
        QFETCH(bool, flow);
        QFETCH(int, key);
        QFETCH(int, result);
        ScratchDocuments docs;
        docs.writePuzzle(QStringLiteral("Words.vlq"), fixture::wordsPuzzle());
        game().aids.keyboardFlow = flow;
        TVlqDlgForm dialog;
        int done = -1;
        connect(&dialog, &QDialog::finished, this, [&done](int r) { done = r; });
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        dialog.VlqList->setFocus();
        QTest::keyClick(dialog.VlqList, Qt::Key_Down); // picks the first puzzle
        QTest::keyClick(dialog.VlqList, Qt::Key(key));
        QCOMPARE(done, result);
    }

    void f6MovesBetweenThePanesWithTheKeyboardFlow() {
        PaneKeys keys(area_);
        QWidget* list = game().clueForm->ClueList;
        keys.cycle(1);
        QCOMPARE(QApplication::focusWidget(), grid()); // classic: nothing moves
        game().aids.keyboardFlow = true;
        for (QWidget* next : {static_cast<QWidget*>(game().titleForm), list, static_cast<QWidget*>(grid())}) {
            keys.cycle(1);
            QCOMPARE(QApplication::focusWidget(), next);
        }
        keys.cycle(-1);
        QCOMPARE(QApplication::focusWidget(), list);
        keys.cycle(-1); // the strip
        QTest::keyClick(game().titleForm, Qt::Key_Right);
        QCOMPARE(focus(game().titleForm), cell(game().titleForm, 0, 1));
        QTest::keyClick(game().titleForm, Qt::Key_Return);
        QCOMPARE(game().solveForm->windowTitle(), QStringLiteral("Acrostic Clue B"));
        QCOMPARE(game().solveForm->AnswerCursor, 0); // on the first empty letter at once
        QTest::keyClick(game().solveForm, Qt::Key_Right);
        QCOMPARE(game().solveForm->AnswerCursor, 1);
    }

    // A letter colour too faint for its square is drawn black with the aids.
    void lettersStayLegibleWithTheAids_data() {
        QTest::addColumn<bool>("aids");
        QTest::newRow("classic") << false;
        QTest::newRow("aids") << true;
    }
    void lettersStayLegibleWithTheAids() {
        QFETCH(bool, aids);
        TVlqProcs::WriteSetting("FontColor", "clYellow");
        game().aids.legibleLetters = aids;
        grid()->ReadSettings();
        clickSquare(4, 1);
        QTest::keyClick(grid(), Qt::Key_W);
        clickSquare(4, 1); // its W yellow on yellow in the classic game
        const QRect inside = vlq::squareOutline(4, 1, game().gridSquareSize).adjusted(1, 1, -1, -1);
        QCOMPARE(probe::countColour(probe::shot(grid()), inside, Qt::black, 60) > 10, aids);
    }
};

QTEST_MAIN(TestAccess)
#include "tst_access.moc"
