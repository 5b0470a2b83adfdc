// Letters kept legible on their squares: contrast ratios and the ink that
// replaces a letter colour too faint for its square.
#include <QtTest>

#include "core/Contrast.h"

using namespace vlq;

class TestContrast : public QObject {
    Q_OBJECT
private slots:
    void ratios() {
        QCOMPARE(contrastRatio(0x000000, 0xFFFFFF), 21.0);
        QCOMPARE(contrastRatio(0x123456, 0x123456), 1.0);
        QCOMPARE(contrastRatio(0xFFFF00, 0x000000), contrastRatio(0x000000, 0xFFFF00));
        QVERIFY(qAbs(contrastRatio(0x767676, 0xFFFFFF) - 4.54) < 0.01); // the well-known limit grey
    }

    void ink_data() {
        QTest::addColumn<uint>("ink");
        QTest::addColumn<uint>("fill");
        QTest::addColumn<uint>("shown");
        QTest::newRow("black on white stays") << 0x000000u << 0xFFFFFFu << 0x000000u;
        QTest::newRow("navy on yellow stays") << 0x000080u << 0xFFFF00u << 0x000080u;
        QTest::newRow("white on yellow turns black") << 0xFFFFFFu << 0xFFFF00u << 0x000000u;
        QTest::newRow("black on navy turns white") << 0x000000u << 0x000080u << 0xFFFFFFu;
        QTest::newRow("grey on grey turns black") << 0x808080u << 0xA0A0A0u << 0x000000u;
        QTest::newRow("alpha bits ignored") << 0xFF000000u << 0xFFFFFFu << 0x000000u;
    }
    void ink() {
        QFETCH(uint, ink);
        QFETCH(uint, fill);
        QFETCH(uint, shown);
        QCOMPARE(uint(readableInk(ink, fill)), shown);
        QVERIFY(contrastRatio(readableInk(ink, fill), fill) >= kReadableContrast);
    }
};

QTEST_APPLESS_MAIN(TestContrast)
#include "tst_contrast.moc"
