// The player's progress in play, through the real main window and a real
// progress store in the test's data home: the solved notice, the kept
// time, the statistics, and the classic game that keeps none of it.
#include <QAction>
#include <QClipboard>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QTableWidget>
#include <QToolButton>
#include <QtTest>

#include "app/ProgressCommands.h"
#include "app/StatisticsDialog.h"
#include "app/TScoreForm.h"
#include "app/TVlqGameMainForm.h"
#include "game/GameContext.h"
#include "game/ProgressKeeper.h"
#include "game/ProgressStore.h"
#include "game/SettingsStore.h"
#include "game/SolvingAids.h"
#include "support/PuzzleFixture.h"
#include "support/ScratchDocuments.h"
#include "views/TGameClockForm.h"
#include "views/TVlqGameGridForm.h"
#include "views/TVlqSolveForm.h"

namespace {

// Every square of the open puzzle right except `last`, left empty.
void fillAllBut(vlq::Square last) {
    vlq::PuzzleRecord& rec = game().puzzle;
    for (int r = 1; r <= rec.height(); ++r)
        for (int c = 1; c <= rec.width(); ++c)
            if (!rec.isBlack(c, r)) rec.setEntry(c, r, vlq::Square{c, r} == last ? 0 : rec.solution(c, r));
}

void clickSquare(vlq::Square q) {
    const int s = game().gridSquareSize;
    QTest::mouseClick(game().gridForm, Qt::LeftButton, {}, QPoint((q.col - 1) * s + s / 2, (q.row - 1) * s + s / 2));
}

int secondsOf(const QString& shown) {
    const QStringList p = shown.split(u':');
    return p.size() == 3 ? p[0].toInt() * 3600 + p[1].toInt() * 60 + p[2].toInt() : -1;
}

// What the score card showed when it came up by itself; the card is then
// closed with `button` (it runs modally, so it is answered from a timer).
struct CardSeen {
    bool up = false;
    QString banner;
    bool quoteShown = false;
    QString quote;
    QString clock;
};
void answerCard(CardSeen* seen, QPushButton* TScoreForm::*button) {
    auto* t = new QTimer(qApp);
    t->setInterval(5);
    QObject::connect(t, &QTimer::timeout, [t, seen, button] {
        auto* card = qobject_cast<TScoreForm*>(QApplication::activeModalWidget());
        if (!card) return;
        t->stop();
        t->deleteLater();
        *seen = {true, card->BannerLbl->text(), card->QuoteLbl->isVisible(), card->QuoteLbl->text(),
                 game().clock ? game().clock->TimeLbl->text() : QString()};
        QTest::mouseClick(card->*button, Qt::LeftButton);
    });
    t->start();
}

const vlq::Square kLast{6, 4}; // 'S', the grid's last square

} // namespace

class TestProgressPlay : public QObject {
    Q_OBJECT
private slots:
    void init() {
        game().reset();
        QFile::remove(SettingsStore::open().fileName());
        ProgressStore::resetShared();
        QFile::remove(ProgressStore::defaultPath());
        docs_ = std::make_unique<ScratchDocuments>();
        path_ = docs_->writePuzzle(QStringLiteral("Acrostic.vlq"), fixture::wordsPuzzle());
        solve_ = new TVlqSolveForm;
        game().solveForm = solve_;
        clock_ = new TGameClockForm;
        game().clock = clock_;
    }
    void cleanup() {
        form_.reset();
        delete solve_;
        delete clock_;
        game().reset();
        ProgressStore::resetShared();
        docs_.reset();
    }

    void classicGameKeepsNothing() {
        openWith(false);
        QVERIFY(!form_->Options1->actions().contains(progress()->statisticsItem));
        fillAllBut(kLast);
        clickSquare(kLast);
        QTest::keyClick(game().gridForm, Qt::Key_S);
        QTest::qWait(200);
        QVERIFY(!QApplication::activeModalWidget()); // no card without a click
        QVERIFY(ProgressStore::shared().solves().isEmpty());
        QVERIFY(progress()->statusLabel->isHidden());
    }

    // Typing the last right letter stops the clock, records the solve and
    // opens the card with the quotation; after Start Over a revealed letter
    // marks the next solve.
    void lastRightLetterOpensCardAndRecordsSolve() {
        openWith(true);
        QVERIFY(form_->Options1->actions().contains(progress()->statisticsItem));
        form_->ShowClock1->trigger();
        QVERIFY(QTest::qWaitFor([] { return game().progress->seconds() >= 2; }, 6000));
        fillAllBut(kLast);
        clickSquare(kLast);
        CardSeen seen;
        answerCard(&seen, &TScoreForm::StartOverBtn);
        QTest::keyClick(game().gridForm, Qt::Key_S);
        QTRY_VERIFY_WITH_TIMEOUT(seen.up, 5000);
        QCOMPARE(seen.banner, QStringLiteral("CONGRATULATIONS!"));
        QVERIFY(seen.quoteShown);
        QVERIFY2(seen.quote.startsWith(QStringLiteral("AB CDEFG HI-JK'LM NOPQRS\n\u2014 ABFHL")), qPrintable(seen.quote));
        const int shown = secondsOf(seen.clock);
        QTRY_VERIFY(!QApplication::activeModalWidget());

        QList<SolveRecord> solves = ProgressStore::shared().solves();
        QCOMPARE(solves.size(), 1);
        QCOMPARE(solves[0].title, QStringLiteral("Acrostic"));
        QVERIFY2(std::abs(solves[0].seconds - shown) <= 2, qPrintable(QString::number(solves[0].seconds)));
        QVERIFY(shown >= 2);
        QVERIFY(!solves[0].revealed);

        // Again from an empty grid, with one letter revealed.
        QCOMPARE(game().progress->seconds(), 0);
        clickSquare({1, 1});
        form_->LetterBtn->click();
        fillAllBut(kLast);
        clickSquare(kLast);
        answerCard(&seen, &TScoreForm::CancelBtn);
        seen.up = false;
        QTest::keyClick(game().gridForm, Qt::Key_S);
        QTRY_VERIFY_WITH_TIMEOUT(seen.up, 5000);
        QTRY_VERIFY(!QApplication::activeModalWidget());
        solves = ProgressStore::shared().solves();
        QCOMPARE(solves.size(), 2);
        QVERIFY(solves[1].revealed);
    }

    // A full grid with a wrong letter gets the quiet note, no card; a
    // store that cannot be used is told once and play goes on.
    void fullWrongGridAndBrokenStoreAreNotedQuietly() {
        QDir().mkpath(QFileInfo(ProgressStore::defaultPath()).absolutePath());
        QFile broken(ProgressStore::defaultPath());
        QVERIFY(broken.open(QIODevice::WriteOnly));
        broken.write(QByteArray(8192, '\x5a'));
        broken.close();
        openWith(true);
        QCOMPARE(progress()->statusLabel->text().left(30), QStringLiteral("Your progress cannot be kept ("));
        fillAllBut(kLast);
        clickSquare(kLast);
        QTest::keyClick(game().gridForm, Qt::Key_T);
        QTest::qWait(200);
        QVERIFY(!QApplication::activeModalWidget());
        QCOMPARE(progress()->statusLabel->text(), QStringLiteral("Every square is filled; some letters are wrong"));
        QCOMPARE(game().puzzle.entry(kLast.col, kLast.row), std::uint8_t('T'));
    }

    // The time goes on from where the puzzle was left, also on the clock.
    void reopenedPuzzleContinuesItsTime() {
        const QString other = docs_->writePuzzle(QStringLiteral("Other.vlq"), fixture::makePuzzle({"AB"}, {{"x", "AB"}}));
        openWith(true);
        QVERIFY(QTest::qWaitFor([] { return game().progress->seconds() >= 2; }, 6000));
        QVERIFY(form_->OpenPuzzleFile(other));
        QCOMPARE(game().progress->seconds(), 0);
        QVERIFY(form_->OpenPuzzleFile(path_));
        QVERIFY(game().progress->seconds() >= 2);
        form_->ShowClock1->trigger();
        QVERIFY(secondsOf(clock_->TimeLbl->text()) >= 2);
    }

    // Figures and table from the store; the time column sorts as numbers
    // and the table copies as tab-separated text.
    void statisticsFromTheStore() {
        ProgressStore& store = ProgressStore::shared();
        const QDateTime now = QDateTime::currentDateTimeUtc();
        store.notePlayed(QStringLiteral("a"), QStringLiteral("Alpha"), {});
        store.recordSolve(QStringLiteral("a"), QStringLiteral("Alpha"), {}, 36000, false, now.addDays(-1));
        store.recordSolve(QStringLiteral("b"), QStringLiteral("Beta"), {}, 600, true, now);
        store.recordSolve(QStringLiteral("c"), QStringLiteral("Gamma"), {}, 5400, false, now.addDays(-5));
        StatisticsDialog dialog(store);
        const QString figures = dialog.FiguresLbl->text();
        for (const char* line : {"Puzzles started: 3", "Puzzles solved: 3", "Solved without reveals: 2",
                                 "Median time: 1:30:00", "Best time: 0:10:00", "Current run: 2 days",
                                 "Longest run: 2 days"})
            QVERIFY2(figures.contains(QLatin1String(line)), qPrintable(figures));
        dialog.SolvesTbl->sortByColumn(1, Qt::DescendingOrder);
        QCOMPARE(dialog.SolvesTbl->item(0, 1)->text(), QStringLiteral("10:00:00"));
        QCOMPARE(dialog.SolvesTbl->item(2, 1)->text(), QStringLiteral("0:10:00"));
        dialog.copyTable();
        const QStringList lines = QApplication::clipboard()->text().split(u'\n');
        QCOMPARE(lines[0], QStringLiteral("Title\tTime\tDate\tRevealed"));
        QVERIFY(lines[3].startsWith(QStringLiteral("Beta\t0:10:00\t")) && lines[3].endsWith(QStringLiteral("\tyes")));
    }

private:
    ProgressCommands* progress() const { return form_->findChild<ProgressCommands*>(); }

    void openWith(bool aids) {
        SolvingAids::setSwitchedOn(aids);
        form_ = fixture::showMainWindow();
        QVERIFY(form_);
        game().scoreForm = new TScoreForm(form_.get());
        form_->ReadToolSettings();
        form_->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(form_.get()));
        QVERIFY(form_->OpenPuzzleFile(path_));
        QVERIFY(game().gridForm);
    }

    std::unique_ptr<TVlqGameMainForm> form_;
    std::unique_ptr<ScratchDocuments> docs_;
    TVlqSolveForm* solve_ = nullptr;
    TGameClockForm* clock_ = nullptr;
    QString path_;
};

QTEST_MAIN(TestProgressPlay)
#include "tst_progressplay.moc"
