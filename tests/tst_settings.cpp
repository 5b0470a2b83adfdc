// The settings store: defaults, kinds kept across handles and processes,
// colour and bounds texts, malformed values and where their errors go.
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QtTest>

#include "game/GameContext.h"
#include "app/TVlqGameMainForm.h"
#include "game/TVlqProcs.h"
#include "app/VlqApplication.h"
#include "core/VlqError.h"
#include "game/SettingsStore.h"
#include "game/SettingsTable.h"
#include "support/PromptRecorder.h"
#include "support/ReadOnlyGuard.h"
#include "support/ScratchDocuments.h"

namespace {

QString storePath() { return SettingsStore::open().fileName(); }

void removeStore() { QFile::remove(storePath()); }

// Replaces the store file with the given lines (as a hand-edited file would).
void writeStoreLines(const QByteArray& lines) {
    const QString path = storePath();
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write("[HKEY_CURRENT_USER\\Software\\Marlowick32\\Vorlaquince6Game]\n" + lines);
}

QByteArray storeText() { return fileBytes(storePath()); }

QString qname(std::string_view n) { return QString::fromLatin1(n.data(), qsizetype(n.size())); }

// The SettingsError message of fn, or an empty string when it throws none.
template <typename Fn>
QString settingsError(Fn fn) {
    try {
        fn();
    } catch (const vlq::SettingsError& e) {
        return QString::fromUtf8(e.what());
    }
    return {};
}

} // namespace

class TestSettings : public QObject {
    Q_OBJECT
private slots:
    void init() {
        removeStore();
        game().reset();
    }

    void defaultsOnMissingStore();
    void kindsKeptAcrossHandles_data();
    void kindsKeptAcrossHandles();
    void wrongKindRefused();
    void visibleToAnotherProcess();
    void colourText_data();
    void colourText();
    void boundsText();
    void malformed_data();
    void malformed();
    void malformedLineSurvivesOtherWrites();
    void errorsReachGeneralReport();
    void writeFailureNamesValue();
};

void TestSettings::defaultsOnMissingStore() {
    game().defaultSquareSize = 27;
    for (const VlqSetting::Entry& e : VlqSetting::All) {
        const QString name = qname(e.name);
        switch (e.kind) {
        case VlqSetting::Kind::Integer:
            QCOMPARE(TVlqProcs::ReadSetting(name, e.intDefault), e.intDefault);
            break;
        case VlqSetting::Kind::SquareSize:
            QCOMPARE(TVlqProcs::ReadSetting(VlqSetting::SquareSize{e.name}), 27);
            break;
        case VlqSetting::Kind::Text:
        case VlqSetting::Kind::Colour:
            QCOMPARE(TVlqProcs::ReadSetting(name, qname(e.textDefault)), qname(e.textDefault));
            break;
        case VlqSetting::Kind::Bounds:
            QVERIFY(!TVlqProcs::ReadSetting(VlqSetting::Bounds{e.name}).has_value());
            break;
        }
    }
    QCOMPARE(TVlqProcs::ReadSetting(VlqSetting::PlaySounds), 1);
    QCOMPARE(TVlqProcs::ReadSetting(VlqSetting::SolveHLOn), 31);
    QCOMPARE(TVlqProcs::ReadSetting(VlqSetting::SolveFontName), QStringLiteral("Times New Roman"));
    QCOMPARE(TVlqProcs::ReadSetting(VlqSetting::BlankSqColor), QColor(Qt::white));
    // No store: the classic game, every aid off.
    const SolvingAids classic = SolvingAids::read();
    QVERIFY(!classic.squareLabels && !classic.linkedTint && !classic.keyboardFlow && !classic.undoRedo
            && !classic.checkLetters && !classic.zoom && !classic.placeAnswer && !classic.solvedNotice
            && !classic.keepTime && !classic.pencil && !classic.progress);
    QCOMPARE(classic.zoomPercent, 100);
    // Reading creates nothing; the first write creates the store.
    QVERIFY(!QFile::exists(storePath()));
    TVlqProcs::WriteSetting(VlqSetting::UseCursors, 1);
    QVERIFY(QFile::exists(storePath()));
    // The one switch brings every aid; each can then be left out on its own.
    SolvingAids::setSwitchedOn(true);
    TVlqProcs::WriteSetting(VlqSetting::AidZoom, 0);
    const SolvingAids on = SolvingAids::read();
    QVERIFY(on.squareLabels && on.linkedTint && on.keyboardFlow && on.undoRedo && on.checkLetters && on.placeAnswer
            && on.solvedNotice && on.keepTime && on.pencil && on.progress);
    QVERIFY(!on.zoom);
}

void TestSettings::kindsKeptAcrossHandles_data() {
    QTest::addColumn<QVariant>("value");
    QTest::addColumn<QByteArray>("line");
    QTest::newRow("number") << QVariant(2) << QByteArray("\"Value\"=dword:00000002");
    QTest::newRow("negative number") << QVariant(-1) << QByteArray("\"Value\"=dword:ffffffff");
    QTest::newRow("text") << QVariant(QStringLiteral("Arial")) << QByteArray("\"Value\"=\"Arial\"");
    QTest::newRow("text of digits") << QVariant(QStringLiteral("12")) << QByteArray("\"Value\"=\"12\"");
    QTest::newRow("empty text") << QVariant(QString()) << QByteArray("\"Value\"=\"\"");
    QTest::newRow("quotes, backslashes, line break")
        << QVariant(QStringLiteral("C:\\Tools\\\"dict\"\nx")) << QByteArray("\"Value\"=\"C:\\\\Tools\\\\\\\"dict\\\"\\nx\"");
    QTest::newRow("non-ASCII text") << QVariant(QStringLiteral("Rätsel ½")) << QByteArray("\"Value\"=\"Rätsel ½\"");
}

void TestSettings::kindsKeptAcrossHandles() {
    QFETCH(QVariant, value);
    QFETCH(QByteArray, line);
    const QString name = QStringLiteral("Value");
    if (value.typeId() == QMetaType::Int) TVlqProcs::WriteSetting(name, value.toInt());
    else TVlqProcs::WriteSetting(name, value.toString());

    // A fresh handle reads the file anew and finds the same kind.
    {
        auto s = SettingsStore::open();
        QCOMPARE(s.value(name).typeId(), value.typeId());
        QCOMPARE(s.value(name), value);
    }
    QVERIFY2(storeText().contains(line + '\n'), storeText().constData());
    if (value.typeId() == QMetaType::Int) QCOMPARE(TVlqProcs::ReadSetting(name, 99), value.toInt());
    else QCOMPARE(TVlqProcs::ReadSetting(name, QStringLiteral("def")), value.toString());
}

void TestSettings::wrongKindRefused() {
    TVlqProcs::WriteSetting(VlqSetting::FontSize, 12);
    TVlqProcs::WriteSetting(VlqSetting::FontName, QStringLiteral("12"));
    QCOMPARE(settingsError([] { TVlqProcs::ReadSetting(qname(VlqSetting::FontSize.name), QString()); }),
             QStringLiteral("Invalid data type for 'FontSize'"));
    QCOMPARE(settingsError([] { TVlqProcs::ReadSetting(QStringLiteral("FontName"), 0); }),
             QStringLiteral("Invalid data type for 'FontName'"));
    // Overwriting with the other kind changes the stored kind.
    TVlqProcs::WriteSetting(QStringLiteral("FontSize"), QStringLiteral("big"));
    QCOMPARE(TVlqProcs::ReadSetting(QStringLiteral("FontSize"), QString()), QStringLiteral("big"));
}

// A second process sees each value with its kind, right after the write.
void TestSettings::visibleToAnotherProcess() {
    TVlqProcs::WriteSetting(VlqSetting::PlaySounds, 2);
    TVlqProcs::WriteSetting(VlqSetting::DictPath, QStringLiteral("/usr/bin/dict"));
    QProcess child;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("VLQ_SETTINGS_CHILD"), QStringLiteral("1"));
    child.setProcessEnvironment(env);
    child.start(QCoreApplication::applicationFilePath(), {});
    QVERIFY(child.waitForFinished(60000));
    QCOMPARE(QString::fromUtf8(child.readAllStandardOutput()).trimmed(), QStringLiteral("2|/usr/bin/dict|kind error"));
    TVlqProcs::WriteSetting(VlqSetting::PlaySounds, 0);
    child.start(QCoreApplication::applicationFilePath(), {});
    QVERIFY(child.waitForFinished(60000));
    QVERIFY(QString::fromUtf8(child.readAllStandardOutput()).startsWith(QStringLiteral("0|")));
}

void TestSettings::colourText_data() {
    QTest::addColumn<QColor>("colour");
    QTest::addColumn<QString>("text");
    QTest::newRow("palette red") << QColor(255, 0, 0) << QStringLiteral("clRed");
    QTest::newRow("black") << QColor(0, 0, 0) << QStringLiteral("clBlack");
    QTest::newRow("navy") << QColor(0, 0, 128) << QStringLiteral("clNavy");
    QTest::newRow("money green") << QColor(0xC0, 0xDC, 0xC0) << QStringLiteral("clMoneyGreen");
    QTest::newRow("sky blue") << QColor(0xA6, 0xCA, 0xF0) << QStringLiteral("clSkyBlue");
    QTest::newRow("cream") << QColor(0xFF, 0xFB, 0xF0) << QStringLiteral("clCream");
    QTest::newRow("medium grey") << QColor(0xA0, 0xA0, 0xA4) << QStringLiteral("clMedGray");
    QTest::newRow("no name") << QColor(1, 2, 3) << QStringLiteral("$00030201");
}

void TestSettings::colourText() {
    QFETCH(QColor, colour);
    QFETCH(QString, text);
    TVlqProcs::WriteSetting(VlqSetting::FilledSqColor, colour);
    QCOMPARE(TVlqProcs::ReadSetting(QStringLiteral("FilledSqColor"), QString()), text);
    QCOMPARE(TVlqProcs::ReadSetting(VlqSetting::FilledSqColor), colour);

    // Forms a player or an older store may hold.
    TVlqProcs::WriteSetting(QStringLiteral("FontColor"), QStringLiteral("clblack"));
    QCOMPARE(TVlqProcs::ReadSetting(VlqSetting::FontColor), QColor(Qt::black));
    TVlqProcs::WriteSetting(QStringLiteral("FontColor"), QStringLiteral("255"));
    QCOMPARE(TVlqProcs::ReadSetting(VlqSetting::FontColor), QColor(Qt::red));
    TVlqProcs::WriteSetting(QStringLiteral("FontColor"), QStringLiteral("$00FF0000"));
    QCOMPARE(TVlqProcs::ReadSetting(VlqSetting::FontColor), QColor(Qt::blue));
}

void TestSettings::boundsText() {
    TVlqProcs::WriteBounds(VlqSetting::ScreenBoundsGrid, -12, 0, 640, 480);
    QCOMPARE(TVlqProcs::ReadSetting(QStringLiteral("ScreenBoundsGrid"), QString()), QStringLiteral("-12,0,640,480"));
    const auto b = TVlqProcs::ReadSetting(VlqSetting::ScreenBoundsGrid);
    QVERIFY(b.has_value());
    QCOMPARE(*b, (vlq::Bounds{-12, 0, 640, 480}));
    TVlqProcs::WriteSetting(QStringLiteral("ScreenBoundsGrid"), QString());
    QVERIFY(!TVlqProcs::ReadSetting(VlqSetting::ScreenBoundsGrid).has_value());
}

void TestSettings::malformed_data() {
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<int>("reader");
    QTest::addColumn<QString>("name");
    enum { Integer, Text, Colour, Bounds };
    QTest::newRow("number of bad digits") << QByteArray("\"PlaySounds\"=dword:zz") << int(Integer) << "PlaySounds";
    QTest::newRow("number too long") << QByteArray("\"PlaySounds\"=dword:123456789") << int(Integer) << "PlaySounds";
    QTest::newRow("text where number") << QByteArray("\"PlaySounds\"=\"1\"") << int(Integer) << "PlaySounds";
    QTest::newRow("number where text") << QByteArray("\"FontName\"=dword:00000001") << int(Text) << "FontName";
    QTest::newRow("unterminated text") << QByteArray("\"FontName\"=\"Arial") << int(Text) << "FontName";
    QTest::newRow("unknown kind") << QByteArray("\"FontName\"=hex:41,72") << int(Text) << "FontName";
    QTest::newRow("bad escape") << QByteArray("\"DictPath\"=\"C:\\q\"") << int(Text) << "DictPath";
    QTest::newRow("colour without name") << QByteArray("\"FontColor\"=\"clNoSuch\"") << int(Colour) << "FontColor";
    QTest::newRow("bounds of three") << QByteArray("\"ScreenBoundsGrid\"=\"1,2,3\"") << int(Bounds) << "ScreenBoundsGrid";
    QTest::newRow("bounds not numbers") << QByteArray("\"ScreenBoundsGrid\"=\"1,2,x,4\"") << int(Bounds)
                                        << "ScreenBoundsGrid";
    QTest::newRow("bounds with blanks") << QByteArray("\"ScreenBoundsGrid\"=\"1, 2,3,4\"") << int(Bounds)
                                        << "ScreenBoundsGrid";
}

void TestSettings::malformed() {
    QFETCH(QByteArray, line);
    QFETCH(int, reader);
    QFETCH(QString, name);
    writeStoreLines(line + '\n');
    const QString error = settingsError([&] {
        switch (reader) {
        case 0: TVlqProcs::ReadSetting(name, 1); break;
        case 1: TVlqProcs::ReadSetting(name, QString()); break;
        case 2: TVlqProcs::ReadColour(name, "clBlack"); break;
        default: TVlqProcs::ReadBounds(name); break;
        }
    });
    QVERIFY2(!error.isEmpty(), "no SettingsError");
    QVERIFY2(error.contains(QLatin1Char('\'') + name + QLatin1Char('\'')), qPrintable(error));
}

void TestSettings::malformedLineSurvivesOtherWrites() {
    writeStoreLines("\"PlaySounds\"=dword:zz\n; a comment\n\"FontName\"=\"Arial\"\n");
    TVlqProcs::WriteSetting(VlqSetting::UseCursors, 1);
    const QByteArray text = storeText();
    QVERIFY(text.contains("\"PlaySounds\"=dword:zz\n"));
    QVERIFY(text.contains("\"FontName\"=\"Arial\"\n"));
    QVERIFY(text.contains("\"UseCursors\"=dword:00000001\n"));
    QVERIFY(!settingsError([] { TVlqProcs::ReadSetting(VlqSetting::PlaySounds); }).isEmpty());
}

// An error no handler catches is shown by the general error report, and the
// program goes on: the main window reading a malformed value while it shows,
// and a value read in a timer's handler.
void TestSettings::errorsReachGeneralReport() {
    PromptRecorder prompts;
    writeStoreLines("\"PlaySounds\"=\"loud\"\n");
    QTimer::singleShot(0, [] { TVlqProcs::ReadSetting(VlqSetting::PlaySounds); });
    QTRY_COMPARE(prompts.errors.size(), 1);
    QCOMPARE(prompts.errors.at(0), QStringLiteral("Invalid data type for 'PlaySounds'."));

    prompts.clear();
    writeStoreLines("\"DictPath\"=dword:00000001\n");
    TVlqGameMainForm form;
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    QCOMPARE(prompts.errors, QStringList{QStringLiteral("Invalid data type for 'DictPath'.")});
    QVERIFY(form.isVisible());
    QVERIFY(form.Solve1->isEnabled());
}

void TestSettings::writeFailureNamesValue() {
    TVlqProcs::WriteSetting(VlqSetting::PlaySounds, 1);
    ReadOnlyGuard guard(QFileInfo(storePath()).absolutePath());
    if (!guard.ok()) QSKIP("cannot make the settings folder read-only here");
    QCOMPARE(settingsError([] { TVlqProcs::WriteSetting(VlqSetting::PlaySounds, 0); }),
             QStringLiteral("Failed to set data for 'PlaySounds'"));
}

// The program's own application object, so that notify() is the one under
// test. With VLQ_SETTINGS_CHILD set, the process only reports what it reads.
int main(int argc, char** argv) {
    VlqApplication app(argc, argv);
    if (qEnvironmentVariableIsSet("VLQ_SETTINGS_CHILD")) {
        const int sounds = TVlqProcs::ReadSetting(VlqSetting::PlaySounds);
        const QString dict = TVlqProcs::ReadSetting(VlqSetting::DictPath);
        QString kind = QStringLiteral("no error");
        try {
            TVlqProcs::ReadSetting(QStringLiteral("PlaySounds"), QString());
        } catch (const vlq::SettingsError&) {
            kind = QStringLiteral("kind error");
        }
        QTextStream(stdout) << sounds << '|' << dict << '|' << kind << '\n';
        return 0;
    }
    TestSettings tc;
    return QTest::qExec(&tc, argc, argv);
}

#include "tst_settings.moc"
