// Auto Arrange: the document windows go back to the default layout, or to
// the stored custom arrangement when there is one.
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QtTest>

#include <memory>

#include "game/GameContext.h"
#include "app/TVlqGameMainForm.h"
#include "game/TVlqProcs.h"
#include "game/SettingsStore.h"
#include "support/PromptRecorder.h"
#include "support/PuzzleFixture.h"
#include "support/ScratchDocuments.h"
#include "views/TVlqGameClueForm.h"
#include "views/TVlqGameGridForm.h"
#include "views/TVlqGameTitleForm.h"

class TestLayout : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void restoresTheDefaultLayout();
    void restoresTheStoredArrangement();
    void malformedBoundsMoveTheOthers();
    void tallPuzzleLeavesTheCluesRoom();
    void clueListShowsWholeLines_data();
    void clueListShowsWholeLines();

private:
    QMdiSubWindow* frame(QWidget* w) { return qobject_cast<QMdiSubWindow*>(w->parentWidget()); }
    void openPuzzle();

    std::unique_ptr<ScratchDocuments> docs_;
    std::unique_ptr<PromptRecorder> prompts_;
    std::unique_ptr<TVlqGameMainForm> form_;
};

void TestLayout::init() {
    SettingsStore::open().clear();
    game().reset();
    docs_ = std::make_unique<ScratchDocuments>();
    docs_->clear();
    prompts_ = std::make_unique<PromptRecorder>();
    form_ = std::make_unique<TVlqGameMainForm>();
    form_->show();
}

void TestLayout::cleanup() {
    form_.reset();
    prompts_.reset();
    docs_.reset();
}

void TestLayout::openPuzzle() {
    const QString path = docs_->writePuzzle(QStringLiteral("One.vlq"), smallPuzzle(1));
    QVERIFY(form_->OpenPuzzleFile(path));
    QVERIFY(form_->AutoArrange1->isEnabled());
}

void TestLayout::restoresTheDefaultLayout() {
    openPuzzle();
    QMdiSubWindow* grid = game().gridForm->subWindow();
    QMdiSubWindow* title = game().titleForm->subWindow();
    QMdiSubWindow* clues = game().clueForm->subWindow();
    const QRect g = grid->geometry(), t = title->geometry(), c = clues->geometry();
    grid->move(g.topLeft() + QPoint(40, 25));
    title->move(t.topLeft() + QPoint(-30, 60));
    clues->setGeometry(c.adjusted(10, 10, -50, -20));

    form_->AutoArrange1->trigger();
    QCOMPARE(grid->geometry(), g);
    QCOMPARE(title->geometry(), t);
    QCOMPARE(clues->geometry(), c);
    QVERIFY(prompts_->errors.isEmpty());
}

void TestLayout::restoresTheStoredArrangement() {
    openPuzzle();
    TVlqProcs::WriteBounds(QStringLiteral("ScreenBoundsGrid"), 20, 30, 5, 5);
    TVlqProcs::WriteBounds(QStringLiteral("ScreenBoundsAuthorTitle"), 20000, 0, 0, 0);
    TVlqProcs::WriteBounds(QStringLiteral("ScreenBoundsClues"), 15, 400, 300, 150);
    form_->AutoArrange1->trigger();
    QCOMPARE(game().gridForm->subWindow()->pos(), QPoint(20, 30));
    QCOMPARE(game().titleForm->subWindow()->y(), 2);
    QCOMPARE(game().clueForm->subWindow()->geometry(), QRect(15, 400, 300, 150));
}

void TestLayout::malformedBoundsMoveTheOthers() {
    openPuzzle();
    QMdiSubWindow* grid = game().gridForm->subWindow();
    const QPoint before = grid->pos() + QPoint(7, 9);
    grid->move(before);
    TVlqProcs::WriteSetting(QStringLiteral("ScreenBoundsGrid"), QStringLiteral("1,2,x,4"));
    TVlqProcs::WriteBounds(QStringLiteral("ScreenBoundsClues"), 15, 400, 300, 150);
    form_->AutoArrange1->trigger();
    QCOMPARE(prompts_->errors.size(), 1);
    QVERIFY(prompts_->errors.first().contains(QStringLiteral("ScreenBoundsGrid")));
    QCOMPARE(grid->pos(), before);
    QCOMPARE(game().clueForm->subWindow()->geometry(), QRect(15, 400, 300, 150));
}

// A 31 x 21 grid with 30 clues is too tall for the screen at the default
// square size: the grid's squares shrink until the clue list shows six
// lines, Auto Arrange gives the same, and a window stored on a bigger
// screen comes back into view.
void TestLayout::tallPuzzleLeavesTheCluesRoom() {
    std::vector<fixture::ClueSpec> clues;
    for (int k = 1; k <= 30; ++k) clues.push_back({"Clue", std::string(20, char('A' + (k - 1) % 26))});
    QVERIFY(form_->OpenPuzzleFile(docs_->writePuzzle(QStringLiteral("Tall.vlq"), fixture::answersInReadingOrder(clues, 31))));
    QMdiSubWindow* windows[] = {game().gridForm->subWindow(), game().titleForm->subWindow(), game().clueForm->subWindow()};
    const QRect area = windows[0]->mdiArea()->viewport()->rect();
    QRect placed[3];
    for (int i = 0; i < 3; ++i) {
        placed[i] = windows[i]->geometry();
        QVERIFY2(area.contains(placed[i]), qPrintable(QStringLiteral("window %1").arg(i)));
    }
    QVERIFY(game().gridSquareSize < game().defaultSquareSize);
    QVERIFY(game().clueForm->ClueList->viewport()->height() >= 6 * TVlqGameClueForm::kLineHeight);

    windows[0]->move(placed[0].topLeft() + QPoint(30, 30));
    form_->AutoArrange1->trigger();
    for (int i = 0; i < 3; ++i) QCOMPARE(windows[i]->geometry(), placed[i]);

    TVlqProcs::WriteBounds(QStringLiteral("ScreenBoundsGrid"), 2500, 1500, 5, 5);
    form_->AutoArrange1->trigger();
    QVERIFY(area.intersects(windows[0]->geometry()));
}

void TestLayout::clueListShowsWholeLines_data() {
    QTest::addColumn<QString>("bounds");
    QTest::newRow("default layout") << QString();
    QTest::newRow("below the strip") << QStringLiteral("10000,0,0,0");
    QTest::newRow("below the grid") << QStringLiteral("20000,0,0,0");
    QTest::newRow("at the top") << QStringLiteral("30000,0,0,0");
}

// Whatever height the document area leaves, the list's visible rows are a
// whole number of lines: no half line at its bottom edge.
void TestLayout::clueListShowsWholeLines() {
    QFETCH(QString, bounds);
    openPuzzle();
    TVlqProcs::WriteSetting(QStringLiteral("ScreenBoundsClues"), bounds);
    QListWidget* list = game().clueForm->ClueList;
    for (int less = 0; less < TVlqGameClueForm::kLineHeight; ++less) {
        game().availableHeight -= 1;
        form_->AutoArrange1->trigger();
        QTRY_COMPARE(list->viewport()->height() % TVlqGameClueForm::kLineHeight, 0);
    }
}

QTEST_MAIN(TestLayout)
#include "tst_layout.moc"
