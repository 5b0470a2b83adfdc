#include "PrintPuzzle.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QFont>
#include <QFontMetrics>
#include <QPageLayout>
#include <QPainter>
#include <QPrinter>
#include <QStandardPaths>

#include "game/GameContext.h"
#include "game/RecordText.h"
#include "game/TVlqProcs.h"
#include "core/PuzzleRules.h"

#include <algorithm>

namespace printout {

namespace {
PdfFileHook& pdfHook() {
    static PdfFileHook hook;
    return hook;
}
constexpr QChar kOpenQuote(0x201C);
constexpr QChar kCloseQuote(0x201D);
} // namespace

QString printedName(const QString& puzzlePath) {
    QString name = QFileInfo(puzzlePath).fileName();
    if (name.endsWith(QStringLiteral(".vlq"), Qt::CaseInsensitive)) name.chop(4);
    return name;
}

QString firstHeading(const QString& name, const QString& byline) {
    const QString quoted = kOpenQuote + name + kCloseQuote;
    return byline.isEmpty() ? quoted + QStringLiteral("  an Vorlaquince puzzle") : quoted + QStringLiteral("  by ") + byline;
}

QString pageHeading(const QString& name, int page) {
    return kOpenQuote + name + kCloseQuote + QStringLiteral("  / Page ") + QString::number(page);
}

QString squareLabel(int number, int clue) {
    if (clue < 1 || clue > vlq::kMaxClues) return {};
    const QString label = QString::fromStdString(vlq::clueLabel(clue));
    return clue <= 26 ? QString::number(number) + QLatin1Char(' ') + label : QString::number(number) + label;
}

std::string typographicQuotes(const std::string& ansi) {
    std::string out = ansi;
    bool opening = true;
    for (char& ch : out) {
        if (ch == '"') {
            ch = static_cast<char>(opening ? 147 : 148);
            opening = !opening;
        } else if (ch == '\'') {
            ch = static_cast<char>(146);
        }
    }
    return out;
}

QString recordText(const std::string& ansi, bool curly) {
    return vlq::recordText(curly ? typographicQuotes(ansi) : ansi);
}

void setPdfFileHook(PdfFileHook hook) { pdfHook() = std::move(hook); }

QString askPdfFile(QWidget* parent, const QString& name) {
    QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (folder.isEmpty()) folder = QStandardPaths::writableLocation(QStandardPaths::HomeLocation);
    const QString suggested = folder + QLatin1Char('/') + (name.isEmpty() ? QStringLiteral("Puzzle") : name) +
                              QStringLiteral(".pdf");
    if (pdfHook()) return pdfHook()(suggested);
    return QFileDialog::getSaveFileName(parent, QStringLiteral("Print to PDF File"), suggested,
                                        QStringLiteral("PDF files (*.pdf)"));
}

bool printsToFile(const QPrinter& printer) { return printer.outputFormat() == QPrinter::PdfFormat; }

} // namespace printout

namespace {

// Text with its top-left corner at (x, y), as the layout measures it.
void textOut(QPainter& p, int x, int y, const QString& text) { p.drawText(x, y + p.fontMetrics().ascent(), text); }

int textWidth(const QPainter& p, const QString& text) { return p.fontMetrics().horizontalAdvance(text); }

void setFont(QPainter& p, const QString& family, int points, bool bold = false) {
    QFont f(family);
    f.setPointSize(points);
    f.setBold(bold);
    p.setFont(f);
}

void setPenWidth(QPainter& p, int w) { p.setPen(QPen(Qt::black, w)); }

// Heading of a page: a 2-pixel rule across the grid's width at y = L and
// the text below it.
void drawHeading(QPainter& p, int x0, int right, int lineH, const QString& text) {
    setFont(p, QStringLiteral("Arial"), 11, true);
    setPenWidth(p, 2);
    p.drawLine(x0, lineH, right, lineH);
    setPenWidth(p, 1);
    textOut(p, x0, lineH + 8, text);
}

} // namespace

void PrintPuzzle(QPainter& p, const QRect& page, int dpiX, const std::function<bool()>& newPage) {
    const vlq::PuzzleRecord& rec = game().puzzle;
    const int width = rec.width();
    const int height = rec.height();
    if (width < 1 || width > vlq::kMaxCols || height < 1 || height > vlq::kMaxRows || dpiX < 2) return;

    const QString name = printout::printedName(game().currentPuzzlePath);
    p.save();
    p.translate(page.topLeft());
    const int pageW = page.width();
    const int pageH = page.height();

    const int m = dpiX / 2;
    // The grid's 7.5-inch band, narrowed to paper narrower than that.
    const int band = std::min(15 * m, pageW);
    const int x0 = (pageW - band) / 2;
    setFont(p, QStringLiteral("Arial"), 9);
    const int lineH = p.fontMetrics().height();
    // Squares share the band; a grid too tall for the page below the heading
    // gets smaller squares, centred in the band, so that its last row still
    // reaches the paper.
    const int bandSquare = std::max(1, band / width);
    const int s = std::max(1, std::min(bandSquare, (pageH - 3 * lineH - 1) / height));
    const int gridX = x0 + width * (bandSquare - s) / 2;
    const int right = x0 + width * bandSquare; // the heading rule's right end

    p.setBackgroundMode(Qt::TransparentMode);
    drawHeading(p, x0, right, lineH, printout::firstHeading(name, printout::recordText(rec.byline(), false)));

    // Square labels: the largest size below 11 points at which "999bb" and a
    // margin fit in a square; never below 1 point.
    QFont labelFont(QStringLiteral("Arial"));
    int labelSize = 11;
    do {
        --labelSize;
        labelFont.setPointSize(labelSize);
        p.setFont(labelFont);
    } while (textWidth(p, QStringLiteral("999bb")) + 8 >= s && labelSize > 1);

    // Grid.
    setPenWidth(p, 1);
    int count = 0;
    for (int r = 1; r <= height; ++r) {
        for (int c = 1; c <= width; ++c) {
            const int x = gridX + (c - 1) * s;
            const int y = 3 * lineH + (r - 1) * s;
            p.setBrush(rec.isBlack(c, r) ? Qt::black : Qt::white);
            p.drawRect(x, y, s, s); // outline covers x..x+s, shared with the neighbours
            if (rec.isBlack(c, r)) continue;
            if (rec.isPunctuation(c, r)) {
                // The mark fills most of the square's lower right; the size
                // search stops at 400 points whatever the device.
                QFont mark = labelFont;
                int size = labelSize;
                p.setFont(mark);
                while (p.fontMetrics().height() < (s / 6) * 5 && size < 400) {
                    mark.setPointSize(++size);
                    p.setFont(mark);
                }
                const QString ch(QChar(rec.solution(c, r)));
                textOut(p, x + s - textWidth(p, QStringLiteral("M")), y + s - p.fontMetrics().height(), ch);
                p.setFont(labelFont);
                continue;
            }
            ++count;
            const QString label = printout::squareLabel(count, vlq::letterPlace(rec, {c, r}).clue);
            if (!label.isEmpty()) textOut(p, x + 4, y + 1, label);
        }
    }

    // Clue list.
    p.setBrush(Qt::white);
    const QString times = QStringLiteral("Times New Roman");
    int y = 3 * lineH + (height + 1) * s + 1;
    int pageNo = 1;
    bool freshPage = false; // nothing below the heading yet
    auto breakPage = [&] {
        if (!newPage || !newPage()) return false;
        ++pageNo;
        drawHeading(p, x0, right, lineH, printout::pageHeading(name, pageNo));
        setFont(p, times, 9);
        y = 4 * lineH;
        freshPage = true;
        return true;
    };
    // Blanks: from the page's centre; a new line, two blanks further in,
    // after the 19th or where the next would pass the paper's right edge.
    setFont(p, times, 8);
    const QString blank = QStringLiteral("___");
    const int blankW = textWidth(p, blank);
    const int step = textWidth(p, QStringLiteral("___ "));
    const int wrapX = pageW / 2 + textWidth(p, QStringLiteral("___ ___ "));
    auto wrapsAfter = [&](int j, int x) { return j == 19 || x + step + blankW > pageW; };
    for (int k = 1; k <= vlq::kMaxClues; ++k) {
        const std::string text = rec.clue(k);
        if (text.empty()) break;
        const int letters = vlq::answerLength(rec, k);
        int lines = 1;
        for (int j = 1, x = pageW / 2; j < letters; ++j) {
            const bool wrap = wrapsAfter(j, x);
            lines += wrap;
            x = wrap ? wrapX : x + step;
        }
        // A clue that would run off the page (the first one below a grid
        // that fills it, or one whose blanks take more lines) starts the next
        // page, unless it already stands at the top of one.
        if (y + 2 * lineH * lines > pageH && !freshPage && !breakPage()) break;
        freshPage = false;
        setFont(p, times, 9);
        textOut(p, x0, y, QString::fromStdString(vlq::clueLabel(k)) + QLatin1Char('.'));
        textOut(p, x0 + textWidth(p, QStringLiteral("bb. ")), y, printout::recordText(text, true));

        setFont(p, times, 8);
        int x = pageW / 2;
        for (int j = 1; j <= letters; ++j) {
            const vlq::Square sq = vlq::answerSquare(rec, k, j);
            const int number = rec.inGrid(sq.col, sq.row) ? vlq::squareNumber(rec, sq) : 0;
            const QString digits = QString::number(number);
            textOut(p, x, y, blank);
            textOut(p, x + (blankW - textWidth(p, digits)) / 2, y + lineH, digits);
            if (j < letters && wrapsAfter(j, x)) {
                y += 2 * lineH;
                x = wrapX;
            } else {
                x += step;
            }
        }
        y += 2 * lineH;

        // A further page only when another clue follows.
        const bool more = k < vlq::kMaxClues && !rec.clue(k + 1).empty();
        if (y > pageH - 3 * lineH && more && !breakPage()) break;
    }
    p.restore();
}

void PrintPuzzle(QPrinter& printer) {
    const vlq::PuzzleRecord& rec = game().puzzle;
    if (rec.width() < 1 || rec.height() < 1) return;
    printer.setPageOrientation(QPageLayout::Portrait);
    QPainter painter;
    if (!painter.begin(&printer)) {
        const QString where = printer.outputFileName().isEmpty()
                                  ? QStringLiteral("the printer \"%1\"").arg(printer.printerName())
                                  : QStringLiteral("the file \"%1\"").arg(printer.outputFileName());
        TVlqProcs::ErrorBox(QStringLiteral("Unable to print: the print job on %1 could not be started.").arg(where));
        return;
    }
    PrintPuzzle(painter, QRect(0, 0, printer.width(), printer.height()), printer.logicalDpiX(),
                [&printer] { return printer.newPage(); });
    painter.end();
}
