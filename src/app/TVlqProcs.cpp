#include "TVlqProcs.h"

#include <QEventLoop>
#include <QMessageBox>
#include <QSettings>
#include <QTimer>

#include "GameContext.h"
#include "services/TSoundFX.h"

#include "core/SettingsText.h"
#include "core/VlqError.h"

namespace {

TVlqProcs::PromptHook& promptHook() {
    static TVlqProcs::PromptHook hook;
    return hook;
}

QSettings store() {
    return QSettings(QStringLiteral("Marlowick32"), QStringLiteral("Vorlaquince6Game"));
}

} // namespace

TVlqProcs::TVlqProcs(QObject* parent) : QObject(parent) {}

void TVlqProcs::SetPromptHook(PromptHook hook) { promptHook() = std::move(hook); }

void TVlqProcs::ErrorBox(const QString& text) {
    if (game().soundMode > 0 && game().soundFX) game().soundFX->PlayErrorSound();
    if (promptHook()) {
        promptHook()(text, false);
        return;
    }
    QMessageBox::critical(nullptr, QString(), text, QMessageBox::Ok);
}

bool TVlqProcs::Question(const QString& text) {
    if (promptHook()) return promptHook()(text, true);
    return QMessageBox::question(nullptr, QString(), text, QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
}

void TVlqProcs::Delay(int ms) {
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

int TVlqProcs::ReadSetting(const QString& name, int def) {
    auto s = store();
    if (!s.contains(name)) return def;
    bool ok = false;
    const int v = s.value(name).toInt(&ok);
    if (!ok) throw vlq::SettingsError(("Invalid value for setting " + name).toStdString());
    return v;
}

QString TVlqProcs::ReadSetting(const QString& name, const QString& def) {
    auto s = store();
    if (!s.contains(name)) return def;
    return s.value(name).toString();
}

void TVlqProcs::WriteSetting(const QString& name, int value) { store().setValue(name, value); }
void TVlqProcs::WriteSetting(const QString& name, const QString& value) { store().setValue(name, value); }

void TVlqProcs::WriteBounds(const QString& name, int left, int top, int width, int height) {
    WriteSetting(name, QString::fromStdString(vlq::boundsText(left, top, width, height)));
}

QColor TVlqProcs::ReadColour(const QString& name, const char* def) {
    const QString text = ReadSetting(name, def);
    const auto c = vlq::parseColourText(text.toStdString());
    if (!c) throw vlq::SettingsError(("'" + text + "' is not a valid colour for setting " + name).toStdString());
    const std::uint32_t v = c->value;
    return QColor(int(v & 0xFF), int((v >> 8) & 0xFF), int((v >> 16) & 0xFF));
}

QString TVlqProcs::ColourToText(const QColor& c) {
    const std::uint32_t bgr = std::uint32_t(c.red()) | (std::uint32_t(c.green()) << 8) | (std::uint32_t(c.blue()) << 16);
    return QString::fromStdString(vlq::colourText(bgr));
}
