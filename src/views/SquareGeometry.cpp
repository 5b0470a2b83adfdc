#include "SquareGeometry.h"

#include <QFontMetrics>
#include <QPainter>
#include <QStaticText>
#include <QString>
#include <array>
#include <optional>
#include <algorithm>
#include <cstdint>

namespace vlq {

QRect squareOutline(int col1, int row1, int s) {
    return QRect((col1 - 1) * s, (row1 - 1) * s, s + 1, s + 1);
}

void drawSquareBox(QPainter& p, const QRect& outline, const QColor& pen, const QColor& fill) {
    if (outline.isEmpty()) return;
    p.fillRect(outline, pen);
    const QRect inner = outline.adjusted(1, 1, -1, -1);
    if (!inner.isEmpty()) p.fillRect(inner, fill);
}

namespace {

// Laid-out Latin-1 letters per font: a full paint draws hundreds of letters
// of one font, and laying each out anew would dominate its time. A few fonts
// are kept (grid, strip, answer window), the oldest giving way.
class LetterCache {
public:
    struct Letter {
        QStaticText text;
        int advance = 0;
    };

    const Letter& get(const QFont& f, std::uint8_t code) {
        Fonts::iterator at = std::find_if(fonts_.begin(), fonts_.end(),
                                          [&](const Entry& e) { return e.used && e.font == f; });
        if (at == fonts_.end()) {
            at = std::min_element(fonts_.begin(), fonts_.end(),
                                  [](const Entry& a, const Entry& b) { return a.stamp < b.stamp; });
            *at = Entry{};
            at->font = f;
            at->used = true;
        }
        at->stamp = ++clock_;
        std::optional<Letter>& slot = at->letters[code];
        if (!slot) {
            const QString text(QChar::fromLatin1(char(code)));
            Letter l{QStaticText(text), QFontMetrics(f).horizontalAdvance(text)};
            l.text.setTextFormat(Qt::PlainText);
            l.text.prepare(QTransform(), f);
            slot = std::move(l);
        }
        return *slot;
    }

private:
    struct Entry {
        QFont font;
        bool used = false;
        unsigned stamp = 0;
        std::array<std::optional<Letter>, 256> letters;
    };
    using Fonts = std::array<Entry, 4>;
    Fonts fonts_;
    unsigned clock_ = 0;
};

} // namespace

void drawCentredLetter(QPainter& p, const QRect& squareAt, int s, QChar ch, int textOffset) {
    if (ch.isNull() || ch == QLatin1Char(' ')) return;
    const int y = squareAt.y() + textOffset;
    if (ch.unicode() > 255) {
        const QFontMetrics fm = p.fontMetrics();
        const QString text(ch);
        p.drawText(QPoint(squareAt.x() + (s - fm.horizontalAdvance(text)) / 2, y + fm.ascent()), text);
        return;
    }
    static LetterCache cache;
    const auto& letter = cache.get(p.font(), std::uint8_t(ch.unicode()));
    p.drawStaticText(QPoint(squareAt.x() + (s - letter.advance) / 2, y), letter.text);
}

int labelPixelSize(int s) { return std::max(8, s * 3 / 10); }

void drawSquareLabels(QPainter& p, const QRect& outline, int s, const QString& number, const QString& clue,
                      const QColor& ink) {
    if (number.isEmpty() && clue.isEmpty()) return;
    static QFont labelFont = [] {
        QFont f(QStringLiteral("Arial"));
        f.setStyleStrategy(QFont::PreferAntialias);
        return f;
    }();
    labelFont.setPixelSize(labelPixelSize(s));
    labelFont.setStretch(QFont::Unstretched);
    // Narrower type where a long number and a double clue letter would meet.
    const int room = s - 4;
    const int need = QFontMetrics(labelFont).horizontalAdvance(number + clue) + 2;
    if (need > room) labelFont.setStretch(std::max(60, 100 * room / need));
    p.save();
    p.setFont(labelFont);
    p.setPen(ink);
    const QRect inner(outline.x() + 2, outline.y() + 1, std::max(1, s - 3), std::max(1, s - 1));
    if (!number.isEmpty()) p.drawText(inner, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, number);
    if (!clue.isEmpty()) p.drawText(inner, Qt::AlignRight | Qt::AlignTop | Qt::TextSingleLine, clue);
    p.restore();
}

int labelledTextOffset(const QFontMetrics& fm, int s) {
    const int belowLabels = labelPixelSize(s) + 1 - (fm.ascent() - fm.capHeight());
    const int lowest = s - 2 - fm.ascent(); // baseline just above the bottom edge
    return std::max(textOffset(fm, s), std::min(belowLabels, lowest));
}

int textOffset(const QFontMetrics& fm, int s) { return (s - fm.height()) / 2; }

int scaledFontSize(int size, int s, int d) {
    if (d <= 0) return std::max(1, size);
    const std::int64_t num = std::int64_t(size) * s;
    std::int64_t q = num / d;
    std::int64_t r = num % d;
    if (r < 0) { // floor division for a negative product
        r += d;
        --q;
    }
    if (2 * r > d || (2 * r == d && (q & 1))) ++q;
    // No letter outgrows its square, whatever size the settings ask for:
    // a larger one would paint the square over.
    return int(std::clamp<std::int64_t>(q, 1, std::clamp(s, 1, 4096)));
}

} // namespace vlq
