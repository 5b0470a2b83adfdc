// The game's sound effects: short WAVE recordings in the data folder
// ("sounds/WAVE_n.wav"). Each operation starts its
// sound and returns at once; a sound started while another one plays cuts
// the earlier one off. A sound that cannot be played (no audio device,
// missing file) is skipped without a word, and nothing ever waits for
// playback to finish. The operations do not look at the sound mode: each
// caller tests game().soundMode first.
#pragma once
#include <QObject>
#include <QString>
#include <functional>

class QSoundEffect;

class TSoundFX : public QObject {
    Q_OBJECT
public:
    explicit TSoundFX(QObject* parent = nullptr);
    ~TSoundFX() override;

    void PlayAttention();     // "WAVE_1": before the revert question, sound mode 1
    void PlayCorrect();       // "WAVE_2": the grid scored correct (about 8 s)
    void PlayIncorrect();     // "WAVE_3": the grid scored incorrect
    void PlaySpokenPrompt();  // "WAVE_6": the revert question spoken, sound mode 2
    void PlayErrorSound();    // "WAVE_7": before every error box

    // File of a sound by its name ("WAVE_1" .. "WAVE_7") in the data
    // folder; empty when the game has no data folder.
    static QString soundFile(const QString& name);

    // Test seam: when set, every operation calls it with the sound's name
    // instead of playing anything.
    using PlayHook = std::function<void(const QString& name)>;
    static void SetPlayHook(PlayHook hook);

private:
    void play(int number);

    // One effect per sound, made on first use so that start-up does not
    // wake the audio system; index 1..7.
    QSoundEffect* effects_[8] = {};
    QSoundEffect* current_ = nullptr;
};
