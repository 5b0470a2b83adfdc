// The sound effects: the recordings compiled into the program, playback
// that never blocks, and which sound each event asks for in each sound mode.
#include <QElapsedTimer>
#include <QFile>
#include <QSoundEffect>
#include <QtEndian>
#include <QtTest>
#include <optional>

#include "game/GameContext.h"
#include "app/TVlqGameMainForm.h"
#include "game/TVlqProcs.h"
#include "platform/TSoundFX.h"
#include "game/SettingsStore.h"
#include "support/PromptRecorder.h"
#include "support/PuzzleFixture.h"
#include "support/ScratchDocuments.h"

namespace {

struct WaveInfo {
    bool ok = false;
    int format = 0, channels = 0, bits = 0;
    quint32 rate = 0, dataBytes = 0;
};

// Walks the RIFF chunks of a WAVE image for "fmt " and "data".
WaveInfo parseWave(const QByteArray& b) {
    WaveInfo w;
    if (b.size() < 12 || !b.startsWith("RIFF") || b.mid(8, 4) != "WAVE") return w;
    const auto u16 = [&](qsizetype at) { return qFromLittleEndian<quint16>(b.constData() + at); };
    const auto u32 = [&](qsizetype at) { return qFromLittleEndian<quint32>(b.constData() + at); };
    bool haveFmt = false, haveData = false;
    qsizetype at = 12;
    while (at + 8 <= b.size()) {
        const QByteArray id = b.mid(at, 4);
        const quint32 len = u32(at + 4);
        if (id == "fmt " && len >= 16 && at + 8 + 16 <= b.size()) {
            w.format = u16(at + 8);
            w.channels = u16(at + 10);
            w.rate = u32(at + 12);
            w.bits = u16(at + 22);
            haveFmt = true;
        } else if (id == "data") {
            w.dataBytes = len;
            haveData = at + 8 + qsizetype(len) <= b.size();
        }
        at += 8 + qsizetype(len) + (len & 1);
    }
    w.ok = haveFmt && haveData;
    return w;
}

} // namespace

class TestSound : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void waveResources_data();
    void waveResources();
    void operationsPlayTheirSounds();
    void playbackNeverBlocks();
    void errorBoxSound_data();
    void errorBoxSound();
    void revertQuestionSound_data();
    void revertQuestionSound();

private:
    TSoundFX* fx_ = nullptr;
    QStringList played_;
    std::optional<PromptRecorder> prompts_; // no message box ever blocks
};

void TestSound::init() {
    game().reset();
    played_.clear();
    fx_ = new TSoundFX(this);
    game().soundFX = fx_;
    TSoundFX::SetPlayHook([this](const QString& name) { played_ << name; });
    prompts_.emplace();
}

void TestSound::cleanup() {
    TSoundFX::SetPlayHook({});
    prompts_.reset();
    delete fx_;
    fx_ = nullptr;
    game().reset();
}

void TestSound::waveResources_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("rate");
    QTest::addColumn<double>("seconds");
    QTest::newRow("attention") << "WAVE_1" << 11025 << 0.71;
    QTest::newRow("correct") << "WAVE_2" << 22050 << 8.09;
    QTest::newRow("incorrect") << "WAVE_3" << 11025 << 1.09;
    QTest::newRow("spare 4") << "WAVE_4" << 22050 << 0.52;
    QTest::newRow("spare 5") << "WAVE_5" << 11025 << 1.10;
    QTest::newRow("spoken prompt") << "WAVE_6" << 11025 << 1.74;
    QTest::newRow("error") << "WAVE_7" << 11025 << 0.17;
}

// Each recording is uncompressed PCM, mono, 8 bits, at its rate and length.
void TestSound::waveResources() {
    QFETCH(QString, name);
    QFETCH(int, rate);
    QFETCH(double, seconds);
    QFile f(TSoundFX::soundFile(name));
    QVERIFY2(f.open(QIODevice::ReadOnly), qPrintable(f.fileName()));
    const WaveInfo w = parseWave(f.readAll());
    QVERIFY(w.ok);
    QCOMPARE(w.format, 1);
    QCOMPARE(w.channels, 1);
    QCOMPARE(w.bits, 8);
    QCOMPARE(int(w.rate), rate);
    const double length = double(w.dataBytes) / w.rate;
    QVERIFY2(qAbs(length - seconds) < 0.01, qPrintable(QString::number(length)));
    // And the player's decoder takes it from the file URL we give it.
    QSoundEffect effect;
    effect.setSource(QUrl::fromLocalFile(TSoundFX::soundFile(name)));
    QTRY_COMPARE(effect.status(), QSoundEffect::Ready);
}

void TestSound::operationsPlayTheirSounds() {
    fx_->PlayAttention();
    fx_->PlayCorrect();
    fx_->PlayIncorrect();
    fx_->PlaySpokenPrompt();
    fx_->PlayErrorSound();
    QCOMPARE(played_, QStringList({"WAVE_1", "WAVE_2", "WAVE_3", "WAVE_6", "WAVE_7"}));
}

// Real playback (no hook): with or without an audio device every call
// returns at once, and a second sound may cut into the first.
void TestSound::playbackNeverBlocks() {
    TSoundFX::SetPlayHook({});
    QElapsedTimer t;
    t.start();
    fx_->PlayCorrect();
    fx_->PlayErrorSound();
    fx_->PlayErrorSound();
    fx_->PlayIncorrect();
    QVERIFY2(t.elapsed() < 1000, qPrintable(QString::number(t.elapsed())));
    QTest::qWait(50); // let the audio side report whatever it found
    fx_->PlayAttention();
    QVERIFY2(t.elapsed() < 2000, qPrintable(QString::number(t.elapsed())));
}

void TestSound::errorBoxSound_data() {
    QTest::addColumn<int>("mode");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("silent") << 0 << QStringList();
    QTest::newRow("sounds") << 1 << QStringList({"WAVE_7"});
    QTest::newRow("speech") << 2 << QStringList({"WAVE_7"});
}

void TestSound::errorBoxSound() {
    QFETCH(int, mode);
    QFETCH(QStringList, expected);
    game().soundMode = mode;
    TVlqProcs::ErrorBox(QStringLiteral("Something went wrong."));
    QCOMPARE(prompts_->errors.size(), 1);
    QVERIFY(prompts_->questions.isEmpty());
    QCOMPARE(played_, expected);
}

void TestSound::revertQuestionSound_data() {
    QTest::addColumn<int>("mode");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("silent") << 0 << QStringList();
    QTest::newRow("sounds: attention") << 1 << QStringList({"WAVE_1"});
    QTest::newRow("speech: the question spoken") << 2 << QStringList({"WAVE_6"});
}

// The sound comes before the question; answering No changes nothing.
void TestSound::revertQuestionSound() {
    QFETCH(int, mode);
    QFETCH(QStringList, expected);
    QFile::remove(SettingsStore::open().fileName());
    ScratchDocuments docs;
    const QString path = docs.writePuzzle(QStringLiteral("Sound.vlq"), smallPuzzle());
    const auto form = fixture::showMainWindow();
    QVERIFY(form);
    QVERIFY(form->OpenPuzzleFile(path));
    game().soundMode = mode; // after opening: the main window reads PlaySounds itself
    QStringList heardBeforeQuestion;
    int questions = 0;
    TVlqProcs::SetPromptHook([&](const QString&, bool isQuestion) {
        if (isQuestion) {
            ++questions;
            heardBeforeQuestion = played_;
        }
        return false;
    });
    form->RevertToSaved1->trigger();
    QCOMPARE(questions, 1);
    QCOMPARE(heardBeforeQuestion, expected);
    QCOMPARE(played_, expected);
}

QTEST_MAIN(TestSound)
#include "tst_sound.moc"
