#include "TSoundFX.h"

#include <QAudioDevice>
#include <QMediaDevices>
#include <QSoundEffect>
#include <QUrl>

#include "DataFolder.h"

namespace {

TSoundFX::PlayHook& playHook() {
    static TSoundFX::PlayHook hook;
    return hook;
}

QString soundName(int number) { return QStringLiteral("WAVE_%1").arg(number); }

} // namespace

TSoundFX::TSoundFX(QObject* parent) : QObject(parent) {}

TSoundFX::~TSoundFX() = default; // the effects are children of this object

void TSoundFX::SetPlayHook(PlayHook hook) { playHook() = std::move(hook); }

QString TSoundFX::soundFile(const QString& name) {
    return dataFilePath(QStringLiteral("sounds/") + name + QStringLiteral(".wav"));
}

void TSoundFX::PlayAttention() { play(1); }
void TSoundFX::PlayCorrect() { play(2); }
void TSoundFX::PlayIncorrect() { play(3); }
void TSoundFX::PlaySpokenPrompt() { play(6); }
void TSoundFX::PlayErrorSound() { play(7); }

void TSoundFX::play(int number) {
    if (playHook()) {
        playHook()(soundName(number));
        return;
    }
    // Cut off whatever plays now. stop() and play() only queue work for the
    // audio side and return at once. isPlaying() is never consulted: without
    // a device it may stay true forever.
    if (current_) current_->stop();
    // No output device: skip quietly (the effect would only complain).
    if (QMediaDevices::defaultAudioOutput().isNull()) return;
    QSoundEffect*& effect = effects_[number];
    if (!effect) {
        const QString file = soundFile(soundName(number));
        if (file.isEmpty()) return; // no data folder: no sound, no complaint
        effect = new QSoundEffect(this);
        effect->setSource(QUrl::fromLocalFile(file));
    }
    current_ = effect;
    if (effect->status() == QSoundEffect::Error) return;
    effect->play();
}
