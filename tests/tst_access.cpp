// What a screen reader finds in the game: the painted squares as tables of
// named cells, the focus following the cursor, the clue lines' names, and
// the keys that reach every pane without a mouse.
#include <QAccessible>
#include <QApplication>
#include <QListWidget>
#include <QMdiArea>
#include <QTest>
#include <optional>

#include "core/PuzzleRules.h"
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
};

QTEST_MAIN(TestAccess)
#include "tst_access.moc"
