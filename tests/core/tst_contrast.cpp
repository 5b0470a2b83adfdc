// Letters kept legible on their squares: the ink that replaces a letter
// colour too faint for its square.
#include <QtTest>

#include "core/Contrast.h"

using namespace vlq;

class TestContrast : public QObject {
    Q_OBJECT
private slots:
    void ink_data() {
        QTest::addColumn<uint>("ink");
        QTest::addColumn<uint>("fill");
        QTest::addColumn<uint>("shown");
        QTest::newRow("black on white stays") << 0x000000u << 0xFFFFFFu << 0x000000u;
        QTest::newRow("limit grey on white stays") << 0x767676u << 0xFFFFFFu << 0x767676u; // 4.54:1
        QTest::newRow("next grey on white turns black") << 0x777777u << 0xFFFFFFu << 0x000000u;
        QTest::newRow("white on yellow turns black") << 0xFFFFFFu << 0xFFFF00u << 0x000000u;
        QTest::newRow("black on navy turns white") << 0x000000u << 0x000080u << 0xFFFFFFu;
        QTest::newRow("alpha bits ignored") << 0xFF000000u << 0xFFFFFFu << 0x000000u;
    }
    void ink() {
        QFETCH(uint, ink);
        QFETCH(uint, fill);
        QFETCH(uint, shown);
        QCOMPARE(uint(readableInk(ink, fill)), shown);
        QCOMPARE(contrastRatio(ink, fill), contrastRatio(fill, ink));
    }
};

QTEST_APPLESS_MAIN(TestContrast)
#include "tst_contrast.moc"
