// Where the answer window goes so that it leaves its clue's line in the
// clue list uncovered.
#include <QtTest>

#include "core/AnswerPlace.h"

using namespace vlq;

Q_DECLARE_METATYPE(vlq::Rect)

class TestAnswerPlace : public QObject {
    Q_OBJECT
private slots:
    void placeClearOfTheLine_data() {
        QTest::addColumn<Rect>("window");
        QTest::addColumn<Rect>("line");
        QTest::addColumn<Rect>("placed");
        QTest::addColumn<bool>("scroll");
        // A 1000 x 700 screen; a window 400 x 100; lines of 19 pixels.
        const Rect window{300, 500, 400, 100};
        QTest::newRow("line clear: stays") << window << Rect{10, 480, 900, 19} << window << false;
        QTest::newRow("touching is not covering") << window << Rect{10, 600, 900, 19} << window << false;
        QTest::newRow("below the line") << window << Rect{10, 520, 900, 19} << Rect{300, 541, 400, 100} << false;
        QTest::newRow("beside it, right") << window << Rect{10, 590, 340, 19} << Rect{352, 500, 400, 100} << false;
        QTest::newRow("beside it, left") << Rect{500, 500, 400, 100} << Rect{700, 590, 290, 19}
                                          << Rect{298, 500, 400, 100} << false;
        QTest::newRow("above it") << window << Rect{10, 590, 900, 19} << Rect{300, 488, 400, 100} << false;
        QTest::newRow("no room: the list scrolls") << Rect{300, 0, 400, 700} << Rect{10, 300, 900, 19}
                                                   << Rect{300, 0, 400, 700} << true;
    }
    void placeClearOfTheLine() {
        QFETCH(Rect, window);
        QFETCH(Rect, line);
        QFETCH(Rect, placed);
        QFETCH(bool, scroll);
        const AnswerPlace p = placeClearOf(window, line, Rect{0, 0, 1000, 700}, 2);
        QCOMPARE(p.scrollList, scroll);
        QVERIFY2(p.window == placed, qPrintable(QStringLiteral("%1,%2 %3x%4").arg(p.window.left).arg(p.window.top)
                                                    .arg(p.window.width).arg(p.window.height)));
        if (!scroll) QVERIFY(!overlaps(p.window, line));
    }
};

QTEST_MAIN(TestAnswerPlace)
#include "tst_answerplace.moc"
