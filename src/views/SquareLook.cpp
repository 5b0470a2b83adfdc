#include "SquareLook.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QWidget>
#include <algorithm>

#include "DocumentWindow.h"
#include "SquareGeometry.h"
#include "game/GameContext.h"
#include "game/TVlqProcs.h"
#include "core/Contrast.h"
#include "core/SettingsText.h"
#include "game/GameContext.h"
#include "core/VlqError.h"

namespace vlq {

SquareLook SquareLook::read(Outline outline) {
    SquareLook look;
    look.pencil = int(TVlqProcs::ReadSetting(VlqSetting::UseCursors)) == 1;
    if (outline == Outline::Read) look.filled = TVlqProcs::ReadSetting(VlqSetting::FilledSqColor);
    look.blank = TVlqProcs::ReadSetting(VlqSetting::BlankSqColor);
    look.letter = TVlqProcs::ReadSetting(VlqSetting::FontColor);
    look.fontName = TVlqProcs::ReadSetting(VlqSetting::FontName);
    look.fontSize = TVlqProcs::ReadSetting(VlqSetting::FontSize);
    look.fontStyle = TVlqProcs::ReadSetting(VlqSetting::FontStyle);
    return look;
}

int SquareLook::fontSizeOr(int last) {
    try {
        return TVlqProcs::ReadSetting(VlqSetting::FontSize);
    } catch (const SettingsError&) {
        return last;
    }
}

QFont SquareLook::scaledFont(int s, int d) const {
    return styledFont(fontName, scaledFontSize(fontSize, s, d), fontStyle);
}

QFont SquareLook::unscaledFont() const { return settingsFont(fontName, fontSize, fontStyle); }

void SquareLook::applyCursor(QWidget& w) const {
    if (pencil)
        w.setCursor(pencilCursor());
    else
        w.unsetCursor();
}

void rescaleFont(QWidget& w, int size, int s, int d) {
    QFont f = w.font();
    f.setPointSize(scaledFontSize(size, s, d));
    w.setFont(f);
}

void adjustLetterFont(QWidget& w, int s, bool shrunk) {
    QFont f = w.font();
    if (game().aids.zoom) {
        // Capital height measured on a large size, then scaled to s.
        QFont probe = f;
        probe.setPixelSize(100);
        const qreal cap = std::max<qreal>(1, QFontMetricsF(probe).capHeight());
        // On small squares a little less, so that the capital also keeps
        // below corner labels, should they be shown.
        const int capPixels = std::min(s * 6 / 10, s - labelPixelSize(s) - 3);
        f.setPixelSize(std::max(1, qRound(capPixels * 100 / cap)));
    }
    if (shrunk && f.pointSize() > 0 && f.pointSize() < kMinShrunkPoints) f.setPointSize(kMinShrunkPoints);
    if (shrunk && f.pointSize() <= 0 && f.pixelSize() < kMinShrunkPoints * 4 / 3) f.setPixelSize(kMinShrunkPoints * 4 / 3);
    if (f != w.font()) w.setFont(f);
}

QFont styledFont(const QString& name, int points, int style) {
    QFont f(name);
    f.setPointSize(points);
    f.setBold(style & kStyleBold);
    f.setItalic(style & kStyleItalic);
    f.setUnderline(style & kStyleUnderline);
    f.setStrikeOut(style & kStyleStrikeOut);
    return f;
}

QFont settingsFont(const QString& name, int points, int style) {
    return styledFont(name, points >= 1 && points <= 500 ? points : 11, style);
}

void reportError(const std::exception& e) { TVlqProcs::ReportException(QString::fromUtf8(e.what())); }

QColor letterInk(const QColor& ink, const QColor& fill) {
    if (!game().aids.legibleLetters) return ink;
    return QColor::fromRgb(QRgb(readableInk(ink.rgb() & 0xFFFFFFu, fill.rgb() & 0xFFFFFFu)));
}

std::optional<QColor> darkPane() {
    if (!game().aids.legibleLetters) return std::nullopt;
    QColor blank;
    try {
        blank = TVlqProcs::ReadSetting(VlqSetting::BlankSqColor);
    } catch (const SettingsError&) {
        return std::nullopt; // the grid reports the malformed value
    }
    const std::uint32_t rgb = blank.rgb() & 0xFFFFFFu;
    if (contrastRatio(rgb, 0xFFFFFFu) <= contrastRatio(rgb, 0x000000u)) return std::nullopt;
    return blank;
}

void drawPencilLetter(QPainter& p, const QRect& outline, int s, std::uint8_t letter, const QColor& ink,
                      const QColor& fill, bool labelled) {
    p.save();
    QFont small = p.font();
    if (small.pixelSize() > 0)
        small.setPixelSize(std::max(1, small.pixelSize() * 2 / 3));
    else
        small.setPointSizeF(std::max(1.0, small.pointSizeF() * 2 / 3));
    p.setFont(small);
    const auto mix = [](int a, int b) { return a + (b - a) / 3; };
    const QColor grey(mix(ink.red(), fill.red()), mix(ink.green(), fill.green()), mix(ink.blue(), fill.blue()));
    const auto rgb = [](const QColor& c) { return std::uint32_t(c.rgb() & 0xFFFFFFu); };
    p.setPen(QColor::fromRgb(QRgb(readableInk(rgb(grey), rgb(fill)))));
    const QFontMetrics fm = p.fontMetrics();
    drawCentredLetter(p, outline, s, QChar::fromLatin1(char(letter)),
                      labelled ? labelledTextOffset(fm, s) : textOffset(fm, s));
    p.restore();
}

QColor stripPane(const QColor& pane) { return pane.darker(150); }

} // namespace vlq
