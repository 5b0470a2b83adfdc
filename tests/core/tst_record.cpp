#include <QtTest>

#include "core/PuzzleRecord.h"
#include "core/VlqError.h"

using namespace vlq;

class TestRecord : public QObject {
    Q_OBJECT
private slots:
    void workedExampleOffsets() {
        PuzzleRecord rec;
        rec.setSolution(2, 1, 'Q');
        rec.setEntry(2, 1, 'E');
        rec.setSquareClue(2, 1, 302);
        rec.setClueSquares(302, 201);
        rec.setSolution(1, 2, 'X');
        rec.setSolution(1, 1, 'Y');
        const auto& b = rec.bytes();
        QCOMPARE(b[25], std::uint8_t('Q'));
        QCOMPARE(b[676], std::uint8_t('E'));
        QCOMPARE(b[1348], std::uint8_t(0x2E));
        QCOMPARE(b[1349], std::uint8_t(0x01));
        QCOMPARE(b[3210], std::uint8_t(0xC9));
        QCOMPARE(b[3211], std::uint8_t(0x00));
        QCOMPARE(b[4], std::uint8_t('Y'));
        QCOMPARE(b[5], std::uint8_t('X'));
        QCOMPARE(rec.decodeSquare(302), (Square{2, 1}));
    }
};

QTEST_APPLESS_MAIN(TestRecord)
#include "tst_record.moc"
