// The solving clock: its count and display, the pause button, showing and
// hiding, and its part in the main window (Show Clock, opening a puzzle).
#include <QAction>
#include <QLabel>
#include <QMdiSubWindow>
#include <QTimer>
#include <QToolButton>
#include <QtTest>

#include "game/GameContext.h"
#include "app/TVlqGameMainForm.h"
#include "platform/SystemMetrics.h"
#include "game/SettingsStore.h"
#include "support/PromptRecorder.h"
#include "support/ScratchDocuments.h"
#include "views/TGameClockForm.h"
#include "views/TVlqGameGridForm.h"

class TestClock : public QObject {
    Q_OBJECT
private slots:
    void layout();
    void ticks_data();
    void ticks();
    void pauseKeepsTime();
    void showingAgainRestarts();
    void showClockCommand();
    void openingResetsPausedClock();
};

void TestClock::layout() {
    TGameClockForm clock;
    QCOMPARE(clock.size(), QSize(106, 26));
    QCOMPARE(clock.x(), SystemMetrics::screenWidth() - 106);
    QVERIFY(clock.windowFlags() & Qt::FramelessWindowHint);
    QVERIFY(clock.windowFlags() & Qt::WindowStaysOnTopHint);
    QCOMPARE(clock.TimeLbl->geometry(), QRect(30, 2, 69, 22));
    QCOMPARE(clock.TimeLbl->text(), QStringLiteral("0:00:00"));
    QCOMPARE(clock.PauseBtn->geometry(), QRect(1, 3, 20, 20));
    QCOMPARE(clock.PauseBtn->toolTip(), QStringLiteral("Pause clock"));
    QVERIFY(clock.Timer1->isActive()); // runs from creation, before any showing
    QCOMPARE(clock.Timer1->interval(), 1000);

    // The time is drawn in yellow over the background picture.
    clock.show();
    const QImage img = clock.grab().toImage();
    int yellow = 0;
    for (int x = 30; x < 99; ++x)
        for (int y = 2; y < 24; ++y) {
            const QColor c = img.pixelColor(x, y);
            if (c.red() > 200 && c.green() > 200 && c.blue() < 80) ++yellow;
        }
    QVERIFY(yellow > 20);
}

void TestClock::ticks_data() {
    QTest::addColumn<int>("count");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<int>("hours");
    QTest::addColumn<int>("seconds");
    QTest::newRow("59 s") << 59 << "0:00:59" << 0 << 59;
    QTest::newRow("one minute") << 60 << "0:01:00" << 0 << 60;
    QTest::newRow("3599 s") << 3599 << "0:59:59" << 0 << 3599;
    QTest::newRow("one hour") << 3600 << "1:00:00" << 1 << 0;
    QTest::newRow("9:59:59") << 10 * 3600 - 1 << "9:59:59" << 9 << 3599;
    QTest::newRow("hours wrap") << 10 * 3600 << "0:00:00" << 0 << 0;
    QTest::newRow("after the wrap") << 10 * 3600 + 61 << "0:01:01" << 0 << 61;
}

void TestClock::ticks() {
    QFETCH(int, count);
    TGameClockForm clock;
    for (int i = 0; i < count; ++i) clock.Timer1Timer();
    QTEST(clock.TimeLbl->text(), "shown");
    QTEST(clock.Hours, "hours");
    QTEST(clock.Seconds, "seconds");
}

void TestClock::pauseKeepsTime() {
    TGameClockForm clock;
    clock.show();
    for (int i = 0; i < 75; ++i) clock.Timer1Timer();
    QTest::mouseClick(clock.PauseBtn, Qt::LeftButton);
    QVERIFY(!clock.Timer1->isActive());
    QCOMPARE(clock.PauseBtn->toolTip(), QStringLiteral("Start clock"));
    QCOMPARE(clock.TimeLbl->text(), QStringLiteral("0:01:15"));
    QTest::mouseClick(clock.PauseBtn, Qt::LeftButton);
    QVERIFY(clock.Timer1->isActive());
    QCOMPARE(clock.PauseBtn->toolTip(), QStringLiteral("Pause clock"));
    QCOMPARE(clock.TimeLbl->text(), QStringLiteral("0:01:15"));
    clock.Timer1Timer(); // counting goes on from the kept time
    QCOMPARE(clock.TimeLbl->text(), QStringLiteral("0:01:16"));
}

void TestClock::showingAgainRestarts() {
    TGameClockForm clock;
    clock.show();
    for (int i = 0; i < 30; ++i) clock.Timer1Timer();
    QTest::mouseClick(clock.PauseBtn, Qt::LeftButton);
    clock.hide();
    QVERIFY(!clock.Timer1->isActive()); // hiding leaves the timer alone
    clock.show();
    QVERIFY(clock.Timer1->isActive());
    QCOMPARE(clock.TimeLbl->text(), QStringLiteral("0:00:00"));
    QCOMPARE(clock.PauseBtn->toolTip(), QStringLiteral("Pause clock"));
    QCOMPARE(clock.Seconds, 0);
}

namespace {

// The main window and the clock as start-up makes them, with a puzzle from
// a scratch documents folder open.
struct OpenGame {
    ScratchDocuments docs;
    PromptRecorder prompts;
    std::unique_ptr<TVlqGameMainForm> form;
    std::unique_ptr<TGameClockForm> clock;
    QString first, second;

    OpenGame() {
        SettingsStore::open().clear();
        game().reset();
        docs.clear();
        form = std::make_unique<TVlqGameMainForm>();
        clock = std::make_unique<TGameClockForm>();
        game().clock = clock.get();
        const QStringList samples = docs.copySamples();
        first = samples.isEmpty() ? docs.writePuzzle(QStringLiteral("One.vlq"), smallPuzzle(1))
                                  : docs.path(samples.first());
        second = docs.writePuzzle(QStringLiteral("Two.vlq"), smallPuzzle(2));
        form->show();
    }
    ~OpenGame() {
        form.reset();
        clock.reset();
        game().clock = nullptr;
    }
};

} // namespace

void TestClock::showClockCommand() {
    OpenGame g;
    QVERIFY(g.form->OpenPuzzleFile(g.first));
    QVERIFY(!g.clock->isVisible());
    QCOMPARE(g.form->ClockBtn->toolTip(), QStringLiteral("Show clock"));

    for (int i = 0; i < 5; ++i) g.clock->Timer1Timer(); // counted while hidden
    QTest::mouseClick(g.form->ClockBtn, Qt::LeftButton);
    QVERIFY(g.clock->isVisible());
    QVERIFY(g.clock->Timer1->isActive());
    QCOMPARE(g.clock->TimeLbl->text(), QStringLiteral("0:00:00"));
    QCOMPARE(g.form->ClockBtn->toolTip(), QStringLiteral("Hide clock"));
    QCOMPARE(g.form->ShowClock1->text(), QStringLiteral("Hide &Clock..."));
    // At the grid window's top right, below a caption and a menu bar.
    const QMdiSubWindow* grid = game().gridForm->subWindow();
    QCOMPARE(g.clock->geometry().right(), grid->mapToGlobal(QPoint(grid->width() - 1, 0)).x());
    QCOMPARE(g.clock->y(), g.form->frameGeometry().top() + SystemMetrics::captionHeight() +
                               SystemMetrics::menuBarHeight());
    QCOMPARE(g.clock->size(), QSize(106, 26));

    g.form->ShowClock1->trigger();
    QVERIFY(!g.clock->isVisible());
    QCOMPARE(g.form->ClockBtn->toolTip(), QStringLiteral("Show clock"));
    QCOMPARE(g.form->ShowClock1->text(), QStringLiteral("Show &Clock..."));
    QVERIFY(g.prompts.errors.isEmpty());
}

void TestClock::openingResetsPausedClock() {
    OpenGame g;
    QVERIFY(g.form->OpenPuzzleFile(g.first));
    // Hidden: an opening leaves the count alone (the timer is stopped so
    // that only the ticks given here count).
    g.clock->Timer1->stop();
    for (int i = 0; i < 7; ++i) g.clock->Timer1Timer();
    QVERIFY(g.form->OpenPuzzleFile(g.second));
    QCOMPARE(g.clock->Seconds, 7);

    g.form->ShowClock1->trigger();
    for (int i = 0; i < 100; ++i) g.clock->Timer1Timer();
    QTest::mouseClick(g.clock->PauseBtn, Qt::LeftButton);
    QCOMPARE(g.clock->TimeLbl->text(), QStringLiteral("0:01:40"));
    QVERIFY(g.clock->isVisible());
    QVERIFY(g.form->OpenPuzzleFile(g.first));
    QCOMPARE(g.clock->TimeLbl->text(), QStringLiteral("0:00:00"));
    QVERIFY(!g.clock->Timer1->isActive());
    QCOMPARE(g.clock->PauseBtn->toolTip(), QStringLiteral("Start clock"));
    QVERIFY(g.clock->isVisible());
}

QTEST_MAIN(TestClock)
#include "tst_clock.moc"
