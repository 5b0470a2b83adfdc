#include "services/PickerPanel.h"

#include <QPainter>
#include <algorithm>

#include "views/TGameClockForm.h"

namespace {

const QColor kCream(0xFF, 0xFB, 0xF0); // clCream
const QColor kFilledLetter(0x50, 0x60, 0x80);
constexpr int kMargin = 4;
constexpr int kMaxPictureHeight = 140;

QFont panelFont(const QWidget& w) {
    QFont f = w.font();
    f.setPixelSize(11);
    return f;
}

} // namespace

void PickerPanel::showFacts(std::optional<Facts> facts) {
    facts_ = std::move(facts);
    setToolTip(facts_ ? facts_->byline : QString());
    update();
}

QString PickerPanel::bestText(const std::optional<int>& seconds) {
    return seconds ? QStringLiteral("Best ") + TGameClockForm::timeText(*seconds / 3600, *seconds % 3600)
                   : QStringLiteral("Not solved yet");
}

int PickerPanel::bylineHeight() const {
    if (!facts_ || facts_->byline.isEmpty()) return 0;
    const QRect room(0, 0, width() - 2 * kMargin, height() / 3);
    return QFontMetrics(panelFont(*this)).boundingRect(room, Qt::TextWordWrap, facts_->byline).height();
}

QRect PickerPanel::pictureRect() const {
    if (!facts_) return {};
    const int w = std::clamp(facts_->record.width(), 1, vlq::kMaxCols);
    const int h = std::clamp(facts_->record.height(), 1, vlq::kMaxRows);
    const int side = std::max(1, std::min((width() - 2 * kMargin) / w, kMaxPictureHeight / h));
    const int top = kMargin + bylineHeight() + (bylineHeight() ? kMargin : 0);
    return {(width() - w * side) / 2, top, w * side, h * side};
}

void PickerPanel::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), kCream);
    if (!facts_) return;
    p.setFont(panelFont(*this));
    p.setPen(Qt::black);
    const int bylineH = bylineHeight();
    p.drawText(QRect(kMargin, kMargin, width() - 2 * kMargin, bylineH), Qt::TextWordWrap, facts_->byline);

    const vlq::PuzzleRecord& rec = facts_->record;
    const QRect picture = pictureRect();
    const int side = picture.width() / std::clamp(rec.width(), 1, vlq::kMaxCols);
    for (int r = 1; r <= std::clamp(rec.height(), 0, vlq::kMaxRows); ++r)
        for (int c = 1; c <= std::clamp(rec.width(), 0, vlq::kMaxCols); ++c) {
            const QRect sq(picture.x() + (c - 1) * side, picture.y() + (r - 1) * side, side, side);
            const bool black = rec.isBlack(c, r);
            const bool filled = !black && !rec.isPunctuation(c, r) && rec.entry(c, r) != 0;
            p.fillRect(sq, black ? QColor(Qt::black) : filled ? kFilledLetter : QColor(Qt::white));
        }
    p.setPen(Qt::gray);
    p.drawRect(picture.adjusted(0, 0, -1, -1));
    p.setPen(Qt::black);
    p.drawText(QRect(kMargin, picture.bottom() + kMargin, width() - 2 * kMargin, height()),
               Qt::AlignHCenter | Qt::AlignTop | Qt::TextWordWrap, bestText(facts_->bestSeconds));
}
