// Colour text, bounds text and the recent-puzzle list.
#include <QtTest>

#include <climits>

#include "core/RecentList.h"
#include "core/SettingsText.h"

using namespace vlq;

class TestSettingsText : public QObject {
    Q_OBJECT
private slots:
    void namedColoursBothWays_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<uint>("value");
        const std::pair<const char*, uint> table[] = {
            {"clBlack", 0x000000},  {"clMaroon", 0x000080},  {"clGreen", 0x008000},     {"clOlive", 0x008080},
            {"clNavy", 0x800000},   {"clPurple", 0x800080},  {"clTeal", 0x808000},      {"clGray", 0x808080},
            {"clSilver", 0xC0C0C0}, {"clRed", 0x0000FF},     {"clLime", 0x00FF00},      {"clYellow", 0x00FFFF},
            {"clBlue", 0xFF0000},   {"clFuchsia", 0xFF00FF}, {"clAqua", 0xFFFF00},      {"clWhite", 0xFFFFFF},
            {"clMoneyGreen", 0xC0DCC0}, {"clSkyBlue", 0xF0CAA6}, {"clCream", 0xF0FBFF}, {"clMedGray", 0xA4A0A0}};
        for (const auto& [name, value] : table) QTest::newRow(name) << QString(name) << value;
    }
    void namedColoursBothWays() {
        QFETCH(QString, name);
        QFETCH(uint, value);
        for (const QString& spelling : {name, name.toLower(), name.toUpper()}) {
            const auto c = parseColourText(spelling.toStdString());
            QVERIFY2(c.has_value(), qPrintable(spelling));
            QCOMPARE(c->value, value);
            QVERIFY(!c->isSystem);
        }
        QCOMPARE(QString::fromStdString(colourText(value)), name);
    }

    void systemColours_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<uint>("value");
        QTest::newRow("button face") << "clBtnFace" << 0xFF00000Fu;
        QTest::newRow("window") << "clWindow" << 0xFF000005u;
        QTest::newRow("window text") << "CLWINDOWTEXT" << 0xFF000008u;
        QTest::newRow("highlight") << "clhighlight" << 0xFF00000Du;
        QTest::newRow("scroll bar (index 0)") << "clScrollBar" << 0xFF000000u;
        QTest::newRow("gray text") << "clGrayText" << 0xFF000011u;
    }
    void systemColours() {
        QFETCH(QString, name);
        QFETCH(uint, value);
        const auto c = parseColourText(name.toStdString());
        QVERIFY(c.has_value());
        QCOMPARE(c->value, value);
        QVERIFY(c->isSystem);
        QCOMPARE(QString::fromStdString(colourText(value)).toLower(), name.toLower());
        // The same value written as a number is the same system colour.
        const auto n = parseColourText(colourText(value) == "" ? "" : QString("$%1").arg(value, 8, 16, QChar('0')).toStdString());
        QVERIFY(n && n->isSystem && n->value == value);
    }

    void numericColours_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<uint>("value");
        QTest::newRow("hex eight digits") << "$00ABCDEF" << 0x00ABCDEFu;
        QTest::newRow("hex lower case") << "$00abcdef" << 0x00ABCDEFu;
        QTest::newRow("hex short") << "$FF" << 0xFFu;
        QTest::newRow("hex high byte") << "$12345678" << 0x12345678u;
        QTest::newRow("decimal") << "255" << 255u;
        QTest::newRow("decimal white") << "16777215" << 0xFFFFFFu;
        QTest::newRow("decimal leading zeros") << "0010" << 10u;
        QTest::newRow("decimal negative") << "-1" << 0xFFFFFFFFu;
        QTest::newRow("decimal int max") << "2147483647" << 0x7FFFFFFFu;
    }
    void numericColours() {
        QFETCH(QString, text);
        QFETCH(uint, value);
        const auto c = parseColourText(text.toStdString());
        QVERIFY(c.has_value());
        QCOMPARE(c->value, value);
        QVERIFY(!c->isSystem);
    }

    void unnamedColourText_data() {
        QTest::addColumn<uint>("value");
        QTest::addColumn<QString>("text");
        QTest::newRow("padded") << 0x123u << "$00000123";
        QTest::newRow("upper case") << 0xABCDEFu << "$00ABCDEF";
        QTest::newRow("near white") << 0xFFFFFEu << "$00FFFFFE";
        QTest::newRow("high byte") << 0x80000000u << "$80000000";
    }
    void unnamedColourText() {
        QFETCH(uint, value);
        QFETCH(QString, text);
        QCOMPARE(QString::fromStdString(colourText(value)), text);
        QCOMPARE(parseColourText(text.toStdString())->value, value);
    }

    void malformedColours_data() {
        QTest::addColumn<QString>("text");
        for (const char* t : {"", "$", "$123456789", "$12G", "$-1", "cl", "clBlackx", " clBlack", "clBlack ",
                              "12a", "--1", "-", "+5", "2147483648", "-2147483649", "0x10", "1e3", "99999999999999999999"})
            QTest::newRow(t) << QString(t);
    }
    void malformedColours() {
        QFETCH(QString, text);
        QVERIFY(!parseColourText(text.toStdString()).has_value());
    }

    void boundsText_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("left");
        QTest::addColumn<int>("top");
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("height");
        QTest::newRow("plain") << "10,20,300,400" << 10 << 20 << 300 << 400;
        QTest::newRow("negative") << "-8,-3,100,50" << -8 << -3 << 100 << 50;
        QTest::newRow("placement code") << "20000,0,0,0" << 20000 << 0 << 0 << 0;
        QTest::newRow("limits") << "-2147483648,2147483647,0,-1" << INT_MIN << INT_MAX << 0 << -1;
    }
    void boundsText() {
        QFETCH(QString, text);
        QFETCH(int, left);
        QFETCH(int, top);
        QFETCH(int, width);
        QFETCH(int, height);
        QCOMPARE(parseBounds(text.toStdString()), (Bounds{left, top, width, height}));
        QCOMPARE(QString::fromStdString(vlq::boundsText(left, top, width, height)), text);
    }

    void malformedBounds_data() {
        QTest::addColumn<QString>("text");
        for (const char* t : {"", "1,2,3", "1,2,3,4,5", "1,2,3,4,", "1,,3,4", ",1,2,3", " 1,2,3,4", "1,2,3,4 ",
                              "1, 2,3,4", "1,2,3,a", "2147483648,0,0,0", "0,0,0,-2147483649", "-,1,2,3", "+1,2,3,4",
                              "1.5,2,3,4", "1;2;3;4", "$10,2,3,4"})
            QTest::newRow(t) << QString(t);
    }
    void malformedBounds() {
        QFETCH(QString, text);
        QVERIFY(!parseBounds(text.toStdString()).has_value());
    }

    void recentList_data() {
        QTest::addColumn<QString>("current");
        QTest::addColumn<bool>("open");
        QTest::addColumn<QStringList>("history");
        QTest::addColumn<QStringList>("shown");
        QTest::newRow("nothing") << "" << false << QStringList{"", "", ""} << QStringList{};
        QTest::newRow("open puzzle first") << "/p/b.vlq" << true << QStringList{"/p/a.vlq /s", "", ""}
                                           << QStringList{"/p/b.vlq /s", "/p/a.vlq /s"};
        QTest::newRow("no puzzle open") << "/p/b.vlq" << false << QStringList{"/p/a.vlq /s", "", ""}
                                        << QStringList{"/p/a.vlq /s"};
        QTest::newRow("moves to the top") << "/p/c.vlq" << true
                                          << QStringList{"/p/a.vlq /s", "/p/b.vlq /s", "/p/c.vlq /s"}
                                          << QStringList{"/p/c.vlq /s", "/p/a.vlq /s", "/p/b.vlq /s"};
        QTest::newRow("case-insensitive duplicate") << "/P/Sunday.VLQ" << true
                                                    << QStringList{"/p/a.vlq /s", "/p/sunday.vlq /s", ""}
                                                    << QStringList{"/P/Sunday.VLQ /s", "/p/a.vlq /s"};
        QTest::newRow("three at most") << "/p/d.vlq" << true
                                       << QStringList{"/p/a.vlq /s", "/p/b.vlq /s", "/p/c.vlq /s"}
                                       << QStringList{"/p/d.vlq /s", "/p/a.vlq /s", "/p/b.vlq /s"};
        QTest::newRow("empty values skipped") << "" << true << QStringList{"", "/p/a.vlq /s", ""}
                                              << QStringList{"/p/a.vlq /s"};
        QTest::newRow("duplicates in history") << "" << true << QStringList{"/p/a.vlq /s", "/P/A.vlq /s", "/p/b.vlq /s"}
                                               << QStringList{"/p/a.vlq /s", "/p/b.vlq /s"};
    }
    void recentList() {
        QFETCH(QString, current);
        QFETCH(bool, open);
        QFETCH(QStringList, history);
        QFETCH(QStringList, shown);
        const auto got = recentEntries(current.toStdString(), open,
                                       {history[0].toStdString(), history[1].toStdString(), history[2].toStdString()});
        QStringList gotList;
        for (const auto& s : got) gotList << QString::fromStdString(s);
        QCOMPARE(gotList, shown);
    }

    void recentCaptions_data() {
        QTest::addColumn<int>("shown");
        QTest::addColumn<QString>("entry");
        QTest::addColumn<QString>("caption");
        QTest::newRow("unix path") << 1 << "/home/x/Puzzles/Sunday.vlq /s" << "&1 SUNDAY";
        QTest::newRow("windows path") << 2 << "C:\\Docs\\Marlowick\\puzzle1.vlq /s" << "&2 PUZZLE1";
        QTest::newRow("bare name") << 3 << "Sunday.vlq /s" << "&3 SUNDAY";
        QTest::newRow("ampersand shown as itself") << 1 << "/p/Tom&Jerry.vlq /s" << "&1 TOM&&JERRY";
        QTest::newRow("too short") << 1 << "/p/a.v /s" << "&1 ";
    }
    void recentCaptions() {
        QFETCH(int, shown);
        QFETCH(QString, entry);
        QFETCH(QString, caption);
        QCOMPARE(QString::fromStdString(recentCaption(shown, entry.toStdString())), caption);
    }

    void historyPathDropsSuffix() {
        QCOMPARE(historyPath("/p/Sunday.vlq /s"), std::string("/p/Sunday.vlq"));
        QCOMPARE(historyPath(" /s"), std::string());
        QCOMPARE(historyPath(""), std::string());
    }
};

QTEST_APPLESS_MAIN(TestSettingsText)
#include "tst_settingstext.moc"
