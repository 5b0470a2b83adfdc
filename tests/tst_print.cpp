// The printout: text rules (labels, quotes, headings), the drawing checked
// pixel by pixel on an image at a chosen resolution, page breaks, a real PDF
// job, and the Print command of the main window.
#include <QAction>
#include <QFile>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <QPrinter>
#include <QProcess>
#include <QStandardPaths>
#include <QRegularExpression>
#include <QtTest>

#include <span>

#include "game/GameContext.h"
#include "app/TVlqGameMainForm.h"
#include "core/PuzzleRules.h"
#include "services/PrintPuzzle.h"
#include "support/PromptRecorder.h"
#include "support/PuzzleFixture.h"
#include "support/ScratchDocuments.h"

namespace {

constexpr int kDpi = 100;
constexpr int kPageW = 850; // 8.5 x 11 inches at kDpi

QImage blankPage(int height) {
    QImage img(kPageW, height, QImage::Format_RGB32);
    img.setDotsPerMeterX(qRound(kDpi / 0.0254));
    img.setDotsPerMeterY(qRound(kDpi / 0.0254));
    img.fill(Qt::white);
    return img;
}

// Line height L of the printout on a device like blankPage().
int lineHeight() {
    QImage probe = blankPage(10);
    QFont f(QStringLiteral("Arial"));
    f.setPointSize(9);
    return QFontMetrics(f, &probe).height();
}

int textWidthOn(const QString& family, int points, const QString& text) {
    QImage probe = blankPage(10);
    QFont f(family);
    f.setPointSize(points);
    return QFontMetrics(f, &probe).horizontalAdvance(text);
}

bool inkIn(const QImage& img, const QRect& area) {
    const QRect r = area & img.rect();
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            if (qGray(img.pixel(x, y)) < 128) return true;
    return false;
}

// Draws the open puzzle onto pages of the given height; returns every page.
QList<QImage> printPages(int pageHeight) {
    QList<QImage> pages;
    QImage img = blankPage(pageHeight);
    QPainter p(&img);
    PrintPuzzle(p, img.rect(), kDpi, [&] {
        pages << img.copy();
        p.fillRect(img.rect(), Qt::white);
        return true;
    });
    p.end();
    pages << img;
    return pages;
}

// 30 clues of 20 letters each in a 31 x 21 grid: the list needs pages.
vlq::PuzzleRecord longList() {
    std::vector<fixture::ClueSpec> clues;
    for (int k = 0; k < 30; ++k)
        clues.push_back({"Clue \"" + std::to_string(k + 1) + "\" isn't short", std::string(20, char('A' + k % 26))});
    return fixture::answersInReadingOrder(clues, 31);
}

void openInGame(const vlq::PuzzleRecord& rec, const QString& path) {
    fixture::loadIntoGame(rec);
    game().currentPuzzlePath = path;
}

int pdfPages(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return -1;
    const QString text = QString::fromLatin1(f.readAll());
    if (!text.startsWith(QStringLiteral("%PDF"))) return -1;
    return int(text.count(QRegularExpression(QStringLiteral("/Type\\s*/Page(?![a-zA-Z])"))));
}

} // namespace

class TestPrint : public QObject {
    Q_OBJECT
private slots:
    void init() { game().reset(); }

    void labels_data();
    void labels();
    void quotes_data();
    void quotes();
    void headings();
    void gridAndBlanks();
    void pageBreaks();
    void pdfJob();
    void tallPuzzleReachesThePaper_data();
    void tallPuzzleReachesThePaper();
    void printCommand();
};

void TestPrint::labels_data() {
    QTest::addColumn<int>("number");
    QTest::addColumn<int>("clue");
    QTest::addColumn<QString>("label");
    QTest::newRow("clue A") << 12 << 1 << "12 A";
    QTest::newRow("clue Z") << 7 << 26 << "7 Z";
    QTest::newRow("clue 27") << 12 << 27 << "12aa";
    QTest::newRow("clue 30") << 651 << 30 << "651dd";
    QTest::newRow("no clue") << 5 << 0 << "";
    QTest::newRow("past 30") << 5 << 31 << "";
}

void TestPrint::labels() {
    QFETCH(int, number);
    QFETCH(int, clue);
    QFETCH(QString, label);
    QCOMPARE(printout::squareLabel(number, clue), label);
}

void TestPrint::quotes_data() {
    QTest::addColumn<QByteArray>("ansi");
    QTest::addColumn<QString>("shown");
    QTest::newRow("pair") << QByteArray("say \"hi\" now") << QString::fromUtf8("say “hi” now");
    QTest::newRow("alternating across words")
        << QByteArray("\"a\" and \"b") << QString::fromUtf8("“a” and “b");
    QTest::newRow("apostrophes") << QByteArray("it's 'x'") << QString::fromUtf8("it’s ’x’");
    QTest::newRow("other 1252 bytes kept") << QByteArray("caf\xe9 \x96 x") << QString::fromUtf8("café – x");
    QTest::newRow("empty") << QByteArray() << QString();
}

void TestPrint::quotes() {
    QFETCH(QByteArray, ansi);
    QFETCH(QString, shown);
    QCOMPARE(printout::recordText(ansi.toStdString(), true), shown);
    const std::string bytes = printout::typographicQuotes(ansi.toStdString());
    QCOMPARE(bytes.size(), std::size_t(ansi.size()));
}

void TestPrint::headings() {
    QCOMPARE(printout::printedName(QStringLiteral("/home/p/Puzzles/Sunday Best.vlq")), QStringLiteral("Sunday Best"));
    QCOMPARE(printout::printedName(QStringLiteral("/x/a.b.VLQ")), QStringLiteral("a.b"));
    QCOMPARE(printout::firstHeading(QStringLiteral("Cats"), QString()),
             QString::fromUtf8("“Cats”  an Vorlaquince puzzle"));
    QCOMPARE(printout::firstHeading(QStringLiteral("Cats"), QStringLiteral("Ann")), QString::fromUtf8("“Cats”  by Ann"));
    QCOMPARE(printout::pageHeading(QStringLiteral("Cats"), 3), QString::fromUtf8("“Cats”  / Page 3"));
}

// The 6 x 4 words puzzle at 100 dpi: M = 50, S = 125, X0 = 50.
void TestPrint::gridAndBlanks() {
    openInGame(fixture::wordsPuzzle(), QStringLiteral("/p/Words.vlq"));
    const QList<QImage> pages = printPages(1100);
    QCOMPARE(pages.size(), 1);
    const QImage& img = pages.first();
    const int s = 125, x0 = 50, lineH = lineHeight(), top = 3 * lineH;
    auto square = [&](int c, int r) { return QRect(x0 + (c - 1) * s, top + (r - 1) * s, s, s); };
    auto topLeft = [&](int c, int r) { return QRect(square(c, r).topLeft() + QPoint(2, 2), QSize(s / 2, s / 4)); };

    // Heading rule: 2 pixels at y = L from X0 to the grid's right edge.
    QVERIFY(inkIn(img, QRect(x0 + 1, lineH, 1, 1)));
    QVERIFY(inkIn(img, QRect(x0 + 6 * s - 1, lineH, 1, 1)));
    QVERIFY(!inkIn(img, QRect(x0 + 6 * s + 3, lineH - 2, 40, 5)));
    QVERIFY(inkIn(img, QRect(x0, lineH + 8, 300, lineH * 2))); // heading text

    // Black squares solid, letter squares white inside, shared 1-pixel borders.
    QCOMPARE(qGray(img.pixel(square(3, 1).center())), 0);
    QCOMPARE(qGray(img.pixel(square(6, 3).center())), 0);
    QCOMPARE(qGray(img.pixel(square(1, 1).center())), 255);
    QCOMPARE(qGray(img.pixel(square(2, 1).left(), square(2, 1).center().y())), 0);
    QCOMPARE(qGray(img.pixel(square(2, 1).left() + 1, square(2, 1).center().y())), 255);

    // Labels in the top left of squares with a clue; none where no clue or
    // punctuation.
    QVERIFY(inkIn(img, topLeft(1, 1)));  // "1 A"
    QVERIFY(inkIn(img, topLeft(4, 1)));  // "2 A"
    QVERIFY(!inkIn(img, topLeft(6, 4))); // S belongs to no clue
    QVERIFY(!inkIn(img, topLeft(3, 3))); // apostrophe square
    QVERIFY(!inkIn(img, topLeft(5, 3))); // M belongs to no clue
    QVERIFY(inkIn(img, QRect(square(3, 3).center(), QSize(s / 2 - 2, s / 2 - 2)))); // mark lower right

    // Clue list: one square below the grid; blanks start at the page centre.
    const int y1 = top + 5 * s + 1;
    QVERIFY(inkIn(img, QRect(x0, y1, 40, lineH)));                  // "A."
    QVERIFY(inkIn(img, QRect(kPageW / 2, y1, 60, 2 * lineH)));       // blanks, numbers
    QVERIFY(!inkIn(img, QRect(kPageW / 2 - 120, y1, 115, 2 * lineH))); // nothing just left of centre
    QVERIFY(!inkIn(img, QRect(kPageW / 2, y1 + 10 * lineH, 300, 3 * lineH))); // five clues only
}

void TestPrint::pageBreaks() {
    const int lineH = lineHeight();
    // Words puzzle: the list ends at y = 3L + 5S + 1 + 5 * 2L.
    openInGame(fixture::wordsPuzzle(), QStringLiteral("/p/Words.vlq"));
    const int end = 3 * lineH + 5 * 125 + 1 + 10 * lineH;
    QCOMPARE(printPages(end + 3 * lineH - 1).size(), 1); // full after the last clue: no empty page
    const QList<QImage> two = printPages(end + lineH - 1); // full after clue 4
    QCOMPARE(two.size(), 2);
    QVERIFY(inkIn(two[1], QRect(50, lineH, 10, 1)));                  // page heading rule
    QVERIFY(inkIn(two[1], QRect(50, 4 * lineH, 40, lineH)));          // clue E at 4L
    QVERIFY(!inkIn(two[1], QRect(50, 6 * lineH + 2, kPageW - 100, 200))); // and nothing after it

    // 30 clues of 20 letters: blanks 20 on a second line, pages follow.
    openInGame(longList(), QStringLiteral("/p/Long.vlq"));
    const QList<QImage> pages = printPages(1100);
    QVERIFY(pages.size() >= 2);
    QVERIFY(inkIn(pages.last(), QRect(50, 4 * lineH, 40, lineH)));
    const int s = (15 * 50) / 31;
    const int y1 = 3 * lineH + 22 * s + 1;
    const int wrapX = kPageW / 2 + textWidthOn(QStringLiteral("Times New Roman"), 8, QStringLiteral("___ ___ "));
    QVERIFY(inkIn(pages[0], QRect(wrapX, y1 + 2 * lineH, 10, lineH)));
    QVERIFY(!inkIn(pages[0], QRect(kPageW / 2, y1 + 2 * lineH, wrapX - kPageW / 2 - 2, 2 * lineH)));
}

void TestPrint::pdfJob() {
    PromptRecorder prompts;
    ScratchDocuments docs;
    openInGame(longList(), docs.path(QStringLiteral("Long.vlq")));
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(docs.path(QStringLiteral("long.pdf")));
    PrintPuzzle(printer);
    QVERIFY(prompts.errors.isEmpty());
    QVERIFY(pdfPages(docs.path(QStringLiteral("long.pdf"))) >= 2);
    QCOMPARE(printer.pageLayout().orientation(), QPageLayout::Portrait);

    // Read back as text: the heading, a square label, a clue line and the
    // square numbers under clue A's blanks.
    const QString pdftotext = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
    if (!pdftotext.isEmpty()) {
        QProcess read;
        read.start(pdftotext, {QStringLiteral("-layout"), docs.path(QStringLiteral("long.pdf")), QStringLiteral("-")});
        QVERIFY(read.waitForFinished(30000));
        const QString text = QString::fromUtf8(read.readAllStandardOutput());
        QVERIFY2(text.contains(QString::fromUtf8("“Long”")), qPrintable(text.left(400)));
        QVERIFY2(text.contains(QStringLiteral("12 A")), qPrintable(text.left(2000)));
        QVERIFY2(text.contains(QString::fromUtf8("A. Clue “1” isn’t short")), qPrintable(text.right(3000)));
        QVERIFY2(text.contains(QRegularExpression(QStringLiteral("\\b1 +2 +3 +4 +5 +6 +7 +8 +9 +10 +11\\b"))),
                 qPrintable(text.right(3000)));
    }

    // A job that cannot begin is an error box, not a crash.
    printer.setOutputFileName(docs.path(QStringLiteral("no/such/folder/x.pdf")));
    PrintPuzzle(printer);
    QCOMPARE(prompts.errors.size(), 1);
    QVERIFY(prompts.errors.first().startsWith(QStringLiteral("Unable to print")));
}

void TestPrint::tallPuzzleReachesThePaper_data() {
    QTest::addColumn<int>("paper");
    QTest::newRow("Letter") << int(QPageSize::Letter);
    QTest::newRow("A4") << int(QPageSize::A4);
    QTest::newRow("A5") << int(QPageSize::A5);
}

// The 12 x 21 sample is taller than the page at the band's square size:
// every square's label and every clue still reach the PDF.
void TestPrint::tallPuzzleReachesThePaper() {
    QFETCH(int, paper);
    const QString pdftotext = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
    if (pdftotext.isEmpty()) QSKIP("pdftotext is not installed");
    QFile sample(QStringLiteral(VLQ_SOURCE_DIR "/resources/puzzles/The Quality of Mercy.vlq"));
    QVERIFY(sample.open(QIODevice::ReadOnly));
    const QByteArray bytes = sample.readAll();
    vlq::PuzzleRecord rec;
    rec.loadBytes(std::span(reinterpret_cast<const std::uint8_t*>(bytes.constData()), std::size_t(bytes.size())));
    ScratchDocuments docs;
    openInGame(rec, docs.path(QStringLiteral("The Quality of Mercy.vlq")));
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setPageSize(QPageSize(QPageSize::PageSizeId(paper)));
    const QString pdf = docs.path(QStringLiteral("mercy.pdf"));
    printer.setOutputFileName(pdf);
    PrintPuzzle(printer);

    QProcess read;
    read.start(pdftotext, {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
    QVERIFY(read.waitForFinished(30000));
    const QString text = QString::fromUtf8(read.readAllStandardOutput());
    QStringList missing;
    int number = 0;
    for (int r = 1; r <= rec.height(); ++r)
        for (int c = 1; c <= rec.width(); ++c)
            if (!rec.isBlack(c, r) && !rec.isPunctuation(c, r)) {
                const QString label = printout::squareLabel(++number, rec.squareClue(c, r) % 100);
                const QString pattern = QString(label).replace(u' ', QStringLiteral("\\s*"));
                if (!text.contains(QRegularExpression(QStringLiteral("(?<!\\d)%1(?![a-z])").arg(pattern))))
                    missing << label;
            }
    for (int k = 1; k <= vlq::kMaxClues && !rec.clue(k).empty(); ++k) {
        const QString label = QString::fromStdString(vlq::clueLabel(k)) + QLatin1Char('.');
        if (!text.contains(QRegularExpression(QStringLiteral("(?m)^\\s*%1\\s+\\w").arg(label)))) missing << label;
    }
    QVERIFY2(missing.isEmpty(), qPrintable(missing.join(QStringLiteral(" | "))));
}

void TestPrint::printCommand() {
    PromptRecorder prompts;
    ScratchDocuments docs;
    const QString pdf = docs.path(QStringLiteral("out.pdf"));
    QStringList asked;
    QString answer;
    printout::setPdfFileHook([&](const QString& suggested) {
        asked << suggested;
        return answer;
    });
    {
        auto form = fixture::showMainWindow();
        QVERIFY(form);
        QAction* print = form->findChild<QAction*>(QStringLiteral("Print1"));
        QVERIFY(print);
        QVERIFY(!print->isEnabled());
        form->Print1Click(); // no puzzle: nothing asked
        QVERIFY(asked.isEmpty());

        QVERIFY(form->OpenPuzzleFile(docs.writePuzzle(QStringLiteral("Small Cat.vlq"), smallPuzzle())));
        QVERIFY(print->isEnabled());
        form->printer()->setOutputFormat(QPrinter::PdfFormat);
        form->printer()->setOutputFileName(QString());

        answer.clear(); // Cancel
        print->trigger();
        QCOMPARE(asked.size(), 1);
        QVERIFY(asked.first().endsWith(QStringLiteral("/Small Cat.pdf")));
        QVERIFY(!QFile::exists(pdf));

        answer = pdf;
        print->trigger();
        QCOMPARE(pdfPages(pdf), 1);
        QVERIFY(form->printer()->outputFileName().isEmpty()); // asks again next time
        QVERIFY(prompts.errors.isEmpty());

        // A file already named is asked for too, never written silently.
        form->printer()->setOutputFileName(docs.path(QStringLiteral("print.pdf")));
        answer.clear();
        print->trigger();
        QVERIFY(asked.size() == 3 && !QFile::exists(docs.path(QStringLiteral("print.pdf"))));
    }
    printout::setPdfFileHook({});
}

QTEST_MAIN(TestPrint)
#include "tst_print.moc"
