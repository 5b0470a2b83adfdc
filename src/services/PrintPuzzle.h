// The printed puzzle: a heading with the puzzle's name, the empty grid with
// black squares, punctuation and a small label in every letter square, and
// the clue list with one numbered blank per answer letter. A grid taller
// than the page is drawn with smaller squares, so that all of it stands on
// the first page; the clue list takes as many pages as it needs. Drawn in
// device pixels of whatever surface it is given; reads game().puzzle and
// game().currentPuzzlePath and changes neither.
#pragma once
#include <QRect>
#include <QString>
#include <functional>
#include <string>

class QPainter;
class QPrinter;
class QWidget;

// One print job of the open puzzle on `printer`, in portrait. A job that
// cannot begin (no usable printer, an unwritable PDF file) is reported with
// an error box and prints nothing. Does nothing when no puzzle is open.
void PrintPuzzle(QPrinter& printer);

// The drawing itself on an active painter: `page` is the printable area in
// device pixels, dpiX the device's horizontal pixels per inch. newPage is
// called whenever the clue list continues on a further page; it must leave
// the painter on a fresh page and return true, or return false to stop.
void PrintPuzzle(QPainter& painter, const QRect& page, int dpiX, const std::function<bool()>& newPage);

namespace printout {

// The file name of a puzzle path without its ".vlq" extension.
QString printedName(const QString& puzzlePath);

// First page heading: curly-quoted name, then "  by " and the byline, or
// "  an Vorlaquince puzzle" when the byline is empty.
QString firstHeading(const QString& name, const QString& byline);

// Heading of continuation page `page` (2, 3, ...).
QString pageHeading(const QString& name, int page);

// Label of letter square `number` of clue `clue`: "12 A" for clues 1..26,
// "12aa" for 27..30, empty for any other clue number.
QString squareLabel(int number, int clue);

// Windows-1252 text with straight double quotes turned alternately into
// opening (147) and closing (148) curly quotes, apostrophes into the right
// single quote (146); every other byte unchanged.
std::string typographicQuotes(const std::string& ansi);

// A clue or byline from the record (Windows-1252 bytes) as drawable text,
// with typographic quotes when `curly` is set.
QString recordText(const std::string& ansi, bool curly);

// Test seam for the PDF file question asked when the printer is no real
// printer: when set, askPdfFile returns hook(suggested) instead of showing
// the file dialog. An empty result means Cancel.
using PdfFileHook = std::function<QString(const QString& suggested)>;
void setPdfFileHook(PdfFileHook hook);

// Asks the player where to write the PDF, suggesting "<name>.pdf" in the
// documents folder; empty on Cancel.
QString askPdfFile(QWidget* parent, const QString& name);

// True when the printer writes a PDF file rather than printing: the PDF
// file of Printer Setup, and what Qt offers when no printer is installed.
bool printsToFile(const QPrinter& printer);

} // namespace printout
