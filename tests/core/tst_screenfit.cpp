// The document windows' layout fitted to the screen: on every common
// screen, for every puzzle size, the three windows lie inside the document
// area and the clue list shows its lines; where the default layout already
// does so it stays exactly as it is.
#include <QtTest>

#include "core/AnswerPlace.h"
#include "core/ScreenFit.h"

using namespace vlq;

namespace {

// The game maximized under a window manager with a 19-pixel title bar, a
// menu bar and toolbar of 60 pixels, document windows with a 4-pixel frame
// and a 20-pixel caption; the default square size as the game computes it.
struct Screen {
    int width;
    int height;
    LayoutMetrics metrics() const {
        LayoutMetrics m;
        m.screenWidth = m.areaWidth = width;
        m.availableHeight = height - 19 - 60 - 4;
        m.frameSize = 4;
        m.frameWidth = 8;
        m.frameHeight = 28;
        m.listFrame = 2;
        m.scrollBarHeight = 16;
        return m;
    }
    int defaultSquare() const { return (height - 40) / 23; }
};

} // namespace

class TestScreenFit : public QObject {
    Q_OBJECT
private slots:
    void everyPuzzleFitsEveryScreen() {
        for (const Screen screen : {Screen{1280, 720}, Screen{1366, 768}, Screen{1600, 900}, Screen{1920, 1080}}) {
            const LayoutMetrics m = screen.metrics();
            const int d = screen.defaultSquare();
            int unchanged = 0;
            int shrunk = 0;
            for (int cols = 1; cols <= 31; ++cols)
                for (int rows = 1; rows <= 21; ++rows)
                    for (int clues = 0; clues <= 30; ++clues) {
                        const PuzzleShape p{cols, rows, clues};
                        const DocumentLayout parts = defaultLayout(m, p, d, d);
                        const DocumentLayout fit = fittedLayout(m, p, d, d);
                        const QByteArray where = QStringLiteral("%1x%2 screen, %3x%4 grid, %5 clues")
                                                     .arg(screen.width).arg(screen.height).arg(cols).arg(rows).arg(clues)
                                                     .toUtf8();
                        QVERIFY2(layoutFits(m, p, fit), where);
                        QVERIFY2(fit.clueLines >= std::min(clues, 6), where);
                        if (layoutFits(m, p, parts)) {
                            QVERIFY2(fit == parts, where);
                            ++unchanged;
                        } else {
                            // The strip keeps its squares; the grid's are
                            // the largest that fit.
                            QVERIFY2(fit.titleSquare == d && fit.gridSquare < d, where);
                            QVERIFY2(!layoutFits(m, p, defaultLayout(m, p, fit.gridSquare + 1, d)), where);
                            ++shrunk;
                        }
                        // Grids of up to 12 rows keep the default layout on a full HD screen.
                        if (screen.height == 1080 && rows <= 12) QVERIFY2(fit == parts, where);
                    }
            QVERIFY(unchanged > 0 && shrunk > 0);
        }
    }

    // The answer window leaves its clue's line uncovered: where it is, else
    // below, beside (right, left) or above the line; else the list scrolls.
    void answerWindowClearsItsClueLine() {
        const Rect w{300, 500, 400, 100};
        const auto at = [](const Rect& window, const Rect& line) {
            const AnswerPlace p = placeClearOf(window, line, {0, 0, 1000, 700}, 2);
            return p.scrollList ? Rect{} : p.window;
        };
        QCOMPARE(at(w, {10, 480, 900, 19}), w);
        QCOMPARE(at(w, {10, 600, 900, 19}), w); // touching is not covering
        QCOMPARE(at(w, {10, 520, 900, 19}), (Rect{300, 541, 400, 100}));
        QCOMPARE(at(w, {10, 590, 340, 19}), (Rect{352, 500, 400, 100}));
        QCOMPARE(at({500, 500, 400, 100}, {700, 590, 290, 19}), (Rect{298, 500, 400, 100}));
        QCOMPARE(at(w, {10, 590, 900, 19}), (Rect{300, 488, 400, 100}));
        QCOMPARE(at({300, 0, 400, 700}, {10, 300, 900, 19}), Rect{});
    }

    void windowsFromABiggerScreenComeBackIntoView() {
        const Rect area{0, 0, 1366, 689};
        // Wholly outside: moved in as little as possible, size kept.
        QCOMPARE(intoView({1500, 900, 400, 300}, area), (Rect{966, 389, 400, 300}));
        QCOMPARE(intoView({-700, 100, 400, 300}, area), (Rect{0, 100, 400, 300}));
        QCOMPARE(intoView({100, 689, 400, 300}, area), (Rect{100, 389, 400, 300}));
        // Larger than the area: at its top-left corner.
        QCOMPARE(intoView({2000, 50, 1800, 900}, area), (Rect{0, 0, 1800, 900}));
        // One pixel showing is enough to stay.
        QCOMPARE(intoView({1365, 688, 400, 300}, area), (Rect{1365, 688, 400, 300}));
        QCOMPARE(intoView({-399, -299, 400, 300}, area), (Rect{-399, -299, 400, 300}));
    }
};

QTEST_APPLESS_MAIN(TestScreenFit)
#include "tst_screenfit.moc"
