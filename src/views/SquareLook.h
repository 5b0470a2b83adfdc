// How the square views (the quotation grid, the author-title strip and the
// answer strip) look as the settings say: pointer, square colours and the
// letter font. One reader serves all three so that they can never disagree
// on what a setting means; each window then applies what it draws with.
#pragma once
#include <QColor>
#include <QFont>
#include <QString>
#include <cstdint>
#include <exception>
#include <optional>

class QPainter;
class QRect;
class QWidget;

namespace vlq {

struct SquareLook {
    // Whether FilledSqColor is read with the rest. The author-title strip
    // leaves it out: it falls back to black outlines on a malformed value
    // and the grid reports that value.
    enum class Outline { Read, Skip };

    bool pencil = false;        // UseCursors is 1: the pencil pointer
    QColor filled{Qt::black};   // FilledSqColor: outlines and filled squares
    QColor blank{Qt::white};    // BlankSqColor
    QColor letter{Qt::black};   // FontColor
    QString fontName;           // FontName
    int fontSize = 11;          // FontSize, in points at the default square size
    int fontStyle = 0;          // FontStyle bits (kStyleBold ...)

    // Reads UseCursors, FilledSqColor (unless skipped), BlankSqColor,
    // FontColor, FontName, FontSize and FontStyle, in that order. Throws
    // vlq::SettingsError on the first malformed value, so a window that
    // applies the result only after reading stays as it was.
    static SquareLook read(Outline outline = Outline::Read);

    // FontSize as stored now, or last when the stored value is malformed
    // (ReadSettings is the one that reports it).
    static int fontSizeOr(int last);

    // The letter font for squares of side s where the font size holds for
    // squares of side d (see scaledFontSize).
    QFont scaledFont(int s, int d) const;
    // The letter font at its stored size, for a window whose squares keep
    // one size (see settingsFont).
    QFont unscaledFont() const;

    // The pencil pointer on w when pencil is set, else w's default pointer.
    void applyCursor(QWidget& w) const;
};

// The colour a letter of colour ink is drawn in on a square filled with
// fill: ink itself, or with the solving aids on (legibleLetters) black or
// white where ink would stand out less than 4.5:1 against fill.
QColor letterInk(const QColor& ink, const QColor& fill);

// The background of the panes around the squares (the clue list, and a
// shade darker the author-title and answer windows) when the letter
// squares (BlankSqColor) are dark, as the Dark colour set makes them, and
// the solving aids are on; nothing otherwise: the classic panes. A dark
// colour is one on which white stands out more than black.
std::optional<QColor> darkPane();
// The shade of darkPane() behind the strips of squares.
QColor stripPane(const QColor& pane);

// A pencil letter (the "Pencil" aid) in the square at outline of side s:
// two thirds of the painter's font, in ink a third of the way towards the
// fill, still at 4.5:1 or more against it; below the corner labels when
// labelled. Leaves the painter's font and pen as they were.
void drawPencilLetter(QPainter& p, const QRect& outline, int s, std::uint8_t letter, const QColor& ink,
                      const QColor& fill, bool labelled);

// Sets w's font, as it is, to size points scaled for squares of side s
// where size holds for squares of side d (see scaledFontSize).
void rescaleFont(QWidget& w, int size, int s, int d);

// The two rules of the letter size beyond the settings' scaling, for
// squares of side s: with the zoom aid on the letters' capitals fill about
// 60 % of the square's height; on squares the fitted layout shrank
// (shrunk) letters never go below kMinShrunkPoints.
inline constexpr int kMinShrunkPoints = 9;
void adjustLetterFont(QWidget& w, int s, bool shrunk);

// Font of family name at points with the FontStyle-like bits in style.
QFont styledFont(const QString& name, int points, int style);

// As styledFont, but a point size outside 1..500 gives 11: the stored
// size of a font that does not scale with any squares.
QFont settingsFont(const QString& name, int points, int style);

// Tells the player about a failure the window has recovered from.
void reportError(const std::exception& e);

} // namespace vlq
