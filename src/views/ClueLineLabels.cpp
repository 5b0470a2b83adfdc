#include "ClueLineLabels.h"

#include <QFontMetrics>
#include <QPainter>

#include "SquareGeometry.h"
#include "core/PuzzleRules.h"
#include "game/GameContext.h"
#include "game/RecordText.h"

namespace vlq {

namespace {

// Lays clue k's labelled line out in line, painting it when p is given;
// returns the right edge of its last cell.
int layOutLabelledClueLine(QPainter* p, const QRect& line, int indent, const QFont& font, const QColor& ink, int k) {
    const PuzzleRecord& rec = game().puzzle;
    // The plain line's height on top, the square numbers below it.
    constexpr int kTextHeight = 19;
    const QRect top(line.x() + indent, line.y(), line.width() - indent, kTextHeight);
    if (p) {
        p->save();
        p->setFont(font);
        p->setPen(ink);
    }
    const QFontMetrics fm(font);
    const QString head = QString::fromStdString(clueLabel(k)) + QStringLiteral(".  ") + recordText(rec.clue(k)) +
                         QStringLiteral("     ");
    if (p) p->drawText(top, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, head);
    int x = top.x() + fm.horizontalAdvance(head);

    static const QFont small = [] {
        QFont f(QStringLiteral("Arial"));
        f.setPixelSize(labelPixelSize(0) + 1);
        return f;
    }();
    static const QFontMetrics sm(small);
    const int blankWidth = fm.horizontalAdvance(QStringLiteral("__ "));
    const int n = answerLength(rec, k);
    for (int j = 1; j <= n; ++j) {
        const Square q = answerSquare(rec, k, j);
        if (!rec.inGrid(q.col, q.row)) continue;
        const std::uint8_t e = rec.entry(q.col, q.row);
        const QString cell = e ? QString(QChar::fromLatin1(char(e))) : QStringLiteral("__");
        const QString number = QString::number(squareNumber(rec, q));
        const int w = std::max(blankWidth, sm.horizontalAdvance(number) + 6);
        if (p) {
            p->setFont(font);
            p->drawText(QRect(x, top.y(), w, kTextHeight), Qt::AlignHCenter | Qt::AlignVCenter | Qt::TextSingleLine, cell);
            p->setFont(small);
            p->drawText(QRect(x, top.bottom() + 1, w, line.bottom() - top.bottom()), Qt::AlignHCenter | Qt::AlignTop,
                        number);
        }
        x += w;
    }
    if (p) p->restore();
    return x;
}

} // namespace

void paintLabelledClueLine(QPainter& p, const QRect& line, int indent, const QFont& font, const QColor& ink, int k) {
    layOutLabelledClueLine(&p, line, indent, font, ink, k);
}

int labelledClueLineWidth(int indent, const QFont& font, int k) {
    return layOutLabelledClueLine(nullptr, QRect(0, 0, 100000, kLabelledLineHeight), indent, font, QColor(), k);
}

} // namespace vlq
