// What a screen reader finds in the game: the painted squares as tables of
// named cells, the focus following the cursor, the clue lines' names, and
// the keys that reach every pane without a mouse.
#include <QAccessible>
#include <QAbstractButton>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMdiArea>
#include <QTest>
#include <optional>

#include "app/PaneKeys.h"
#include "app/TScoreForm.h"
#include "core/PuzzleRules.h"
#include "game/TVlqProcs.h"
#include "services/TVlqDlgForm.h"
#include "settings/TVlqGamePrefForm.h"
#include "support/ScratchDocuments.h"
#include "views/TGameClockForm.h"
#include "game/GameContext.h"
#include "game/SettingsStore.h"
#include "support/PromptRecorder.h"
#include "support/PuzzleFixture.h"
#include "support/ScreenProbe.h"
#include "views/GridAccessible.h"
#include "views/SquareGeometry.h"
#include "views/TVlqGameClueForm.h"
#include "views/TVlqGameGridForm.h"
#include "views/TVlqGameTitleForm.h"
#include "views/TVlqSolveForm.h"

// The puzzle is fixture::wordsPuzzle():
//   A B # C D E    clue 1 ACE, 2 BID, 3 FOG, 4 HJK, 5 LNQ
//   F G # H I -
//   J K ' L M #
//   N O P Q R S

class TestAccess : public QObject {
    Q_OBJECT

private:
    QMdiArea* area_ = nullptr;
    std::optional<PromptRecorder> prompts_;

    TVlqGameGridForm* grid() const { return game().gridForm; }
    static QAccessibleTableInterface* table(QWidget* w) {
        QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(w);
        return iface ? iface->tableInterface() : nullptr;
    }
    static QString cellName(QWidget* w, int row, int column) {
        QAccessibleTableInterface* t = table(w);
        QAccessibleInterface* cell = t ? t->cellAt(row, column) : nullptr;
        return cell ? cell->text(QAccessible::Name) : QStringLiteral("(no cell)");
    }
    void clickSquare(int c, int r) {
        QTest::mouseClick(grid(), Qt::LeftButton, {}, vlq::squareOutline(c, r, game().gridSquareSize).center());
    }
private slots:
    void initTestCase() {
        vlq::installAccessibility();
    }
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

    void everySquareIsANamedCell_data() {
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("column");
        QTest::addColumn<QString>("name");
        QTest::newRow("first") << 0 << 0 << "1 A, row 1, column 1, empty";
        QTest::newRow("black") << 0 << 2 << "row 1, column 3, black square";
        QTest::newRow("apostrophe") << 2 << 2 << "row 3, column 3, apostrophe";
        QTest::newRow("last") << 3 << 5 << "19, row 4, column 6, empty";
        QTest::newRow("beyond") << 4 << 0 << "(no cell)";
    }
    void everySquareIsANamedCell() {
        QFETCH(int, row);
        QFETCH(int, column);
        QFETCH(QString, name);
        QAccessibleTableInterface* t = table(grid());
        QVERIFY(t);
        QCOMPARE(t->rowCount(), 4);
        QCOMPARE(t->columnCount(), 6);
        QCOMPARE(cellName(grid(), row, column), name);
    }

    void focusFollowsTheCursorAndNamesFollowTheLetters() {
        QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(grid());
        QCOMPARE(iface->focusChild(), nullptr);
        clickSquare(4, 1); // C
        QCOMPARE(iface->focusChild(), table(grid())->cellAt(0, 3));
        QTest::keyClick(grid(), Qt::Key_X);
        QCOMPARE(iface->focusChild(), table(grid())->cellAt(0, 4));
        QVERIFY(iface->focusChild()->state().focused);
        QVERIFY(!table(grid())->cellAt(0, 3)->state().focused);
        QCOMPARE(cellName(grid(), 0, 3), QStringLiteral("3 A, row 1, column 4, X"));
        QTest::keyClick(grid(), Qt::Key_Backspace);
        QCOMPARE(iface->focusChild(), table(grid())->cellAt(0, 3));
        // The strip square of clue 1 shows the grid's A square.
        QCOMPARE(cellName(game().titleForm, 0, 0), cellName(grid(), 0, 0));
    }

    void errorCrossesAreSaid() {
        clickSquare(1, 1);
        QTest::keyClick(grid(), Qt::Key_Z); // A is right
        grid()->MarkErrors();
        QCOMPARE(cellName(grid(), 0, 0), QStringLiteral("1 A, row 1, column 1, Z, marked wrong"));
        QCOMPARE(cellName(game().titleForm, 0, 0), cellName(grid(), 0, 0));
        grid()->FullRepaint(); // the crosses go
        QCOMPARE(cellName(grid(), 0, 0), QStringLiteral("1 A, row 1, column 1, Z"));
    }

    void answerStripCellsAreItsGridSquares() {
        game().clueForm->ClueList->setCurrentRow(1); // B: BID
        game().clueForm->ClueListClick(game().clueForm->ClueList);
        QWidget* strip = game().solveForm->SolveGrid;
        QCOMPARE(table(strip)->columnCount(), 3);
        QCOMPARE(cellName(strip, 0, 2), cellName(grid(), 0, 4)); // D of BID is (5, 1)
        game().solveForm->AnswerCursor = 0;
        QTest::keyClick(game().solveForm, Qt::Key_B);
        QCOMPARE(cellName(strip, 0, 0), cellName(grid(), 0, 1));
        QVERIFY(cellName(strip, 0, 0).endsWith(QStringLiteral(", B")));
    }

    void clueLinesAreNamedByTheirLetter() {
        QAccessibleInterface* list = QAccessible::queryAccessibleInterface(game().clueForm->ClueList);
        QVERIFY(list && list->tableInterface());
        QCOMPARE(list->tableInterface()->cellAt(1, 0)->text(QAccessible::Name),
                 QStringLiteral("B. Offer, 3 letters, 0 filled"));
        clickSquare(2, 1); // the B of BID
        QTest::keyClick(grid(), Qt::Key_B);
        QCOMPARE(list->tableInterface()->cellAt(1, 0)->text(QAccessible::Name),
                 QStringLiteral("B. Offer, 3 letters, 1 filled"));
        // The painted line stays the classic one.
        QCOMPARE(game().clueForm->ClueList->item(1)->text(), TVlqGameClueForm::clueLineText(2));
    }

    // Every control a player can reach, and every picture, has a name.
    void everyControlIsNamed_data() {
        QTest::addColumn<QString>("window");
        for (const char* w : {"preferences", "score card", "open dialog", "clock"}) QTest::newRow(w) << w;
    }
    void everyControlIsNamed() {
        QFETCH(QString, window);
        std::unique_ptr<QWidget> w;
        if (window == "preferences") w = std::make_unique<TVlqGamePrefForm>();
        if (window == "score card") w = std::make_unique<TScoreForm>();
        if (window == "open dialog") w = std::make_unique<TVlqDlgForm>();
        if (window == "clock") w = std::make_unique<TGameClockForm>();
        QStringList unnamed;
        for (QWidget* c : w->findChildren<QWidget*>()) {
            const auto* label = qobject_cast<QLabel*>(c);
            const bool control = qobject_cast<QAbstractButton*>(c) || qobject_cast<QLineEdit*>(c) ||
                                 qobject_cast<QAbstractItemView*>(c) || (label && !label->pixmap().isNull()) ||
                                 c->objectName().startsWith(QLatin1String("ColorGrid"));
            if (control && QAccessible::queryAccessibleInterface(c)->text(QAccessible::Name).isEmpty())
                unnamed << QString::fromLatin1(c->metaObject()->className()) + ' ' + c->objectName();
        }
        QVERIFY2(unnamed.isEmpty(), qPrintable(unnamed.join(", ")));
    }

    void scoreCardSaysItsVerdict() {
        TScoreForm card;
        card.FormShow();
        QCOMPARE(QAccessible::queryAccessibleInterface(&card)->text(QAccessible::Description),
                 QStringLiteral("PUZZLE INCORRECT!"));
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
        QCOMPARE(dialog.Edit1->text(), QStringLiteral("Words"));
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
        keys.cycle(-1);
        QCOMPARE(QApplication::focusWidget(), game().titleForm);
        QCOMPARE(game().currentClue, 1);
        QTest::keyClick(game().titleForm, Qt::Key_Right);
        QCOMPARE(game().currentClue, 2);
        QCOMPARE(QAccessible::queryAccessibleInterface(game().titleForm)->focusChild(),
                 table(game().titleForm)->cellAt(0, 1));
        QTest::keyClick(game().titleForm, Qt::Key_Return);
        QVERIFY(game().solveForm->isVisible());
        QCOMPARE(game().solveForm->windowTitle(), QStringLiteral("Acrostic Clue B"));
        // Its parked cursor comes onto the strip with a cursor key.
        game().solveForm->AnswerCursor = 31;
        QTest::keyClick(game().solveForm, Qt::Key_Right);
        QCOMPARE(game().solveForm->AnswerCursor, 0);
        QTest::keyClick(game().solveForm, Qt::Key_End);
        QCOMPARE(game().solveForm->AnswerCursor, 2);
    }

    // A letter colour too faint for its square is drawn black or white with
    // the aids on, and as it is in the classic game.
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
        QTest::keyClick(grid(), Qt::Key_W); // on (4, 1); (5, 1) is yellow now
        clickSquare(4, 1);                    // (4, 1) yellow, its W yellow in the classic game
        const QImage shot = probe::shot(grid());
        const QRect inside = vlq::squareOutline(4, 1, game().gridSquareSize).adjusted(1, 1, -1, -1);
        QCOMPARE(probe::countColour(shot, inside, Qt::black, 60) > 10, aids);
    }
};

QTEST_MAIN(TestAccess)
#include "tst_access.moc"
