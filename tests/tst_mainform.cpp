// The main window in its logo state: menu and toolbar as the player first
// sees them, the tool settings, the printer set-up, and closing.
#include <QAction>
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QProcess>
#include <QPrinter>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QToolBar>
#include <QToolButton>
#include <QtTest>

#include "game/GameContext.h"
#include "app/TVlqGameMainForm.h"
#include "game/TVlqProcs.h"
#include "platform/VlqCursors.h"
#include "services/PrinterSetup.h"
#include "game/SettingsStore.h"
#include "support/PromptRecorder.h"
#include "support/PuzzleFixture.h"
#include "support/ScratchDocuments.h"

class TestMainForm : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void menuTable_data();
    void menuTable();
    void puzzleMenuOrder();
    void toolbarTable_data();
    void toolbarTable();
    void logoStateGeometry();
    void sameSizeAtOtherResolutions();
    void toolImagesAndCursors();
    void readToolSettings_data();
    void readToolSettings();
    void printerSetupChoosesPrinterAndPaper();
    void closeSavesSilentlyWhenModified_data();
    void closeSavesSilentlyWhenModified();
    void failedSaveKeepsGameOpen();

private:
    std::unique_ptr<TVlqGameMainForm> form;
    ScratchDocuments docs;
};

void TestMainForm::init() {
    QFile::remove(SettingsStore::open().fileName());
    game().reset();
    form = fixture::showMainWindow();
    QVERIFY(form);
}

void TestMainForm::cleanup() { form.reset(); }

void TestMainForm::menuTable_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QKeySequence>("keys");
    QTest::addColumn<bool>("enabled");
    QTest::addColumn<bool>("visible");
    auto row = [](const char* name, const char* caption, QKeySequence keys, bool enabled, bool visible = true) {
        QTest::newRow(name) << name << caption << keys << enabled << visible;
    };
    row("Solve1", "&Solve...", {}, true);
    row("OpenFile1", "Open &File...", QKeySequence(Qt::CTRL | Qt::Key_O), true);
    row("Save1", "Sa&ve", QKeySequence(Qt::CTRL | Qt::Key_S), false);
    row("Print1", "&Print...", QKeySequence(Qt::CTRL | Qt::Key_P), false);
    row("PrinterSetup1", "P&rinter Setup...", {}, true);
    row("History1", "&1 PUZZLE1", {}, false, false); // hidden actions are inert
    row("History2", "&2 PUZZLE2", {}, false, false); // hidden actions are inert
    row("History3", "&3 PUZZLE3", {}, false, false); // hidden actions are inert
    row("Exit1", "E&xit", QKeySequence(Qt::CTRL | Qt::Key_X), true);
    row("ScorePuzzle1", "&Score Puzzle", {}, false);
    row("ShowClock1", "Show &Clock...", {}, false);
    row("RevertToSaved1", "&Revert to Saved", {}, false);
    row("AutoArrange1", "&Auto Arrange", QKeySequence(Qt::Key_F9), false);
    row("Preferences1", "&Preferences...", {}, true);
    row("Dictionary1", "&Dictionary...", QKeySequence(Qt::CTRL | Qt::Key_D), false); // DictPath empty
    row("Thesaurus1", "&Thesaurus...", {}, false);
    row("Contents1", "&Contents", {}, true);
    row("KeywordIndex1", "&Keyword Index", {}, true);
    row("About1", "&About...", {}, true);
}

void TestMainForm::menuTable() {
    QFETCH(QString, name);
    QFETCH(QString, caption);
    QFETCH(QKeySequence, keys);
    QFETCH(bool, enabled);
    QFETCH(bool, visible);
    auto* a = form->findChild<QAction*>(name);
    QVERIFY(a);
    QCOMPARE(a->text(), caption);
    QCOMPARE(a->shortcut(), keys);
    QCOMPARE(a->isEnabled(), enabled);
    QCOMPARE(a->isVisible(), visible);
}

void TestMainForm::puzzleMenuOrder() {
    QStringList menus;
    for (QAction* a : form->menuBar()->actions()) menus << a->text();
    QCOMPARE(menus, (QStringList{"&Puzzle", "&Options ", "&Tools", "&Help"}));

    auto shape = [](QMenu* m) {
        QStringList items;
        for (QAction* a : m->actions()) items << (a->isSeparator() ? (a->isVisible() ? "-" : "(-)") : a->objectName());
        return items;
    };
    QCOMPARE(shape(form->Puzzle1), (QStringList{"Solve1", "OpenFile1", "-", "Save1", "-", "Print1", "PrinterSetup1", "(-)", "History1",
                                                "History2", "History3", "-", "Exit1"}));
    QCOMPARE(form->Puzzle1->actions().indexOf(form->History[0]) + 1, 9); // items 9 to 11
    QCOMPARE(form->Puzzle1->actions().at(7), form->N4);
    QCOMPARE(shape(form->Options1),
             (QStringList{"ScorePuzzle1", "ShowClock1", "RevertToSaved1", "-", "AutoArrange1", "Preferences1", "SolvingAids1"}));
    QCOMPARE(shape(form->Tools1), (QStringList{"Dictionary1", "Thesaurus1"}));
    QCOMPARE(shape(form->Help1), (QStringList{"Contents1", "KeywordIndex1", "-", "About1"}));
}

void TestMainForm::toolbarTable_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("image");
    QTest::addColumn<QString>("hint");
    QTest::addColumn<bool>("visible");
    QTest::addColumn<bool>("enabled");
    QTest::addColumn<bool>("hintShown");
    auto row = [](const char* name, int image, const char* hint, bool visible, bool enabled, bool shown) {
        QTest::newRow(name) << name << image << hint << visible << enabled << shown;
    };
    row("OpenBtn", 0, "Solve a puzzle", true, true, true);
    row("SaveBtn", 1, "Save this puzzle", false, false, false);
    row("LetterBtn", 2, "Solve letter", false, false, false);
    row("WordBtn", 3, "Solve word", false, false, false);
    row("CheatBtn", 4, "Show puzzle solution", false, false, false);
    row("ScoreBtn", 5, "Score puzzle solution", false, false, false);
    row("ClockBtn", 6, "Show clock", false, true, true);
    row("PrintBtn", 7, "Print acrostic", false, false, false);
    row("DictBtn", 10, "Open dictionary", false, true, false); // no DictPath: image 10, no hint
    row("ExitBtn", 9, "Exit Vorlaquince", true, true, true);
}

void TestMainForm::toolbarTable() {
    QFETCH(QString, name);
    QFETCH(int, image);
    QFETCH(QString, hint);
    QFETCH(bool, visible);
    QFETCH(bool, enabled);
    QFETCH(bool, hintShown);
    auto* b = form->findChild<QToolButton*>(name);
    QVERIFY(b);
    QCOMPARE(TVlqGameMainForm::imageIndex(b), image);
    QCOMPARE(TVlqGameMainForm::hintText(b), hint);
    QCOMPARE(b->toolTip(), hintShown ? hint : QString());
    QCOMPARE(b->isVisible(), visible);
    QCOMPARE(b->isEnabled(), enabled);
    QCOMPARE(b->size(), QSize(34, 34));
    QCOMPARE(b->iconSize(), QSize(24, 24));
}

// Only Open, Exit and the spacer show, 1 pixel apart; the window has its
// fixed logo-state size with the white logo panel under the toolbar.
void TestMainForm::logoStateGeometry() {
    QCOMPARE(form->pos(), QPoint(289, 183));
    for (const char* name : {"Sep1", "Sep2", "Sep3", "Sep4"}) {
        auto* sep = form->findChild<QFrame*>(name);
        QVERIFY(sep);
        QCOMPARE(sep->width(), 8);
        QVERIFY(!sep->isVisible());
    }
    QCOMPARE(form->ToolButton14->width(), 69);
    QVERIFY(form->ToolButton14->isVisible());
    QCOMPARE(form->ExitBtn->x(), form->OpenBtn->x() + 35);
    QCOMPARE(form->ToolButton14->x(), form->ExitBtn->x() + 35);
    QCOMPARE(form->ProgBar->size(), QSize(123, 34));
    QVERIFY(!form->ProgBar->isVisible());

    const int menuHeight = form->menuBar()->height();
    const int toolHeight = form->ToolBar1->height();
    QCOMPARE(form->size(), QSize(418 + 4, menuHeight + toolHeight + 305 + 4));
    QCOMPARE(form->minimumSize(), form->maximumSize());
    QCOMPARE(form->LogoPanel->geometry(), QRect(2, menuHeight + toolHeight + 3, 418, 305));
    QCOMPARE(form->LogoImage->pixmap().size(), QSize(418, 305));
    const QImage shot = form->grab().toImage();
    QCOMPARE(shot.pixelColor(form->LogoPanel->geometry().topLeft() + QPoint(1, 1)), QColor(Qt::white));
    QCOMPARE(form->windowTitle(), QStringLiteral("Vorlaquince 6 Game Edition"));
}

// The logo-state window, measured by a fresh process at 96 and at 120 dpi,
// keeps its 96-dpi pixel size.
void TestMainForm::sameSizeAtOtherResolutions() {
    auto measure = [](const char* dpi) {
        QProcess child;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("VLQ_MAINFORM_SIZE"), QStringLiteral("1"));
        env.insert(QStringLiteral("QT_FONT_DPI"), QString::fromLatin1(dpi));
        child.setProcessEnvironment(env);
        child.start(QCoreApplication::applicationFilePath(), {});
        child.waitForFinished(60000);
        return QString::fromUtf8(child.readAllStandardOutput()).trimmed();
    };
    const QString at96 = measure("96");
    QVERIFY2(at96.contains(QLatin1Char('x')), qPrintable(at96));
    QCOMPARE(measure("120"), at96);
}

void TestMainForm::toolImagesAndCursors() {
    QList<QImage> seen;
    for (int i = 0; i < TVlqGameMainForm::ImageCount; ++i) {
        const QImage img = TVlqGameMainForm::toolImage(i).toImage();
        QCOMPARE(img.size(), QSize(24, 24));
        QVERIFY2(!seen.contains(img), qPrintable(QString("image %1 repeats another").arg(i)));
        int opaque = 0;
        for (int y = 0; y < 24; ++y)
            for (int x = 0; x < 24; ++x) opaque += qAlpha(img.pixel(x, y)) > 0;
        QVERIFY2(opaque > 100, qPrintable(QString("image %1 is nearly empty").arg(i)));
        seen << img;
    }
    for (int n : {VlqCursors::Pencil, VlqCursors::HandPoint}) {
        const QCursor c = VlqCursors::cursor(n);
        QCOMPARE(c.shape(), Qt::BitmapCursor);
        QCOMPARE(c.pixmap().size(), QSize(32, 32));
        // The hot spot lies on the drawing (the pencil's tip, the fingertip).
        QVERIFY(qAlpha(c.pixmap().toImage().pixel(c.hotSpot())) > 0);
    }
    QCOMPARE(VlqCursors::cursor(1).shape(), Qt::ArrowCursor);
}

void TestMainForm::readToolSettings_data() {
    QTest::addColumn<QString>("dictPath");
    QTest::addColumn<QString>("thesPath");
    QTest::addColumn<int>("sounds");
    QTest::newRow("nothing set") << "" << "" << -1;
    QTest::newRow("dictionary only") << "/usr/bin/dict" << "" << 0;
    QTest::newRow("thesaurus only, speech") << "" << "/opt/thes" << 2;
    QTest::newRow("both") << "/usr/bin/dict" << "/opt/thes" << 1;
}

void TestMainForm::readToolSettings() {
    QFETCH(QString, dictPath);
    QFETCH(QString, thesPath);
    QFETCH(int, sounds);
    TVlqProcs::WriteSetting(VlqSetting::DictPath, dictPath);
    TVlqProcs::WriteSetting(VlqSetting::ThesPath, thesPath);
    if (sounds >= 0) TVlqProcs::WriteSetting(VlqSetting::PlaySounds, sounds);
    game().soundMode = 7;
    form->ReadToolSettings();
    const bool dict = !dictPath.isEmpty();
    QCOMPARE(form->Dictionary1->isEnabled(), dict);
    QCOMPARE(form->Thesaurus1->isEnabled(), !thesPath.isEmpty());
    QCOMPARE(TVlqGameMainForm::imageIndex(form->DictBtn), dict ? 8 : 10);
    QCOMPARE(form->DictBtn->toolTip(), dict ? QStringLiteral("Open dictionary") : QString());
    QCOMPARE(game().soundMode, sounds < 0 ? 1 : sounds);
}

// Printer Setup picks the printer and the paper, with OK and Cancel and no
// Print button; Cancel keeps the old choice, OK makes the new one Print's.
void TestMainForm::printerSetupChoosesPrinterAndPaper() {
    form->printer()->setPageSize(QPageSize(QPageSize::Letter));
    for (const bool ok : {false, true}) {
        QStringList buttons;
        QTimer::singleShot(0, [&] {
            auto* dialog = qobject_cast<PrinterSetupDialog*>(QApplication::activeModalWidget());
            if (!dialog) { if (QWidget* w = QApplication::activeModalWidget()) w->close(); return; }
            for (const QPushButton* b : dialog->findChildren<QPushButton*>()) buttons << b->text().remove(u'&');
            QVERIFY(dialog->printerBox()->count() >= 1); // the PDF file at least
            dialog->paperBox()->setCurrentIndex(dialog->paperBox()->findText(QStringLiteral("A5")));
            ok ? dialog->accept() : dialog->reject();
        });
        form->PrinterSetup1->trigger();
        buttons.sort();
        QCOMPARE(buttons, (QStringList{QStringLiteral("Cancel"), QStringLiteral("OK")}));
        QCOMPARE(form->printer()->pageLayout().pageSize().id(), ok ? QPageSize::A5 : QPageSize::Letter);
    }
    QVERIFY(form->isVisible());
}

void TestMainForm::closeSavesSilentlyWhenModified_data() {
    QTest::addColumn<bool>("modified");
    QTest::addColumn<bool>("withPath");
    QTest::newRow("unsaved letters") << true << true;
    QTest::newRow("nothing changed") << false << true;
    QTest::newRow("no puzzle open") << true << false;
}

void TestMainForm::closeSavesSilentlyWhenModified() {
    QFETCH(bool, modified);
    QFETCH(bool, withPath);
    PromptRecorder prompts;
    const QByteArray original = recordBytes(smallPuzzle());
    const QString path = docs.writeFile(QStringLiteral("Open.vlq"), original);
    TVlqProcs::LoadPuzzle(path);
    game().puzzle.setEntry(2, 1, 'A');
    game().currentPuzzlePath = withPath ? path : QString();
    game().modified = modified;

    QSignalSpy closed(form.get(), &TVlqGameMainForm::closed);
    QTest::mouseClick(form->ExitBtn, Qt::LeftButton);
    QCOMPARE(closed.size(), 1);
    QVERIFY(!form->isVisible());
    QVERIFY(prompts.errors.isEmpty());
    QVERIFY(prompts.questions.isEmpty());
    const bool saved = modified && withPath;
    QCOMPARE(fileBytes(path), saved ? recordBytes(game().puzzle) : original);
    QCOMPARE(game().modified, modified && !saved);
}

// Exit whose silent save fails shows the error in a box of choices whose
// default leaves the game running with the puzzle, its letters and the
// modified flag.
void TestMainForm::failedSaveKeepsGameOpen() {
    PromptRecorder prompts;
    TVlqProcs::LoadPuzzle(docs.writeFile(QStringLiteral("Open.vlq"), recordBytes(smallPuzzle())));
    game().puzzle.setEntry(2, 1, 'A');
    const QByteArray typed = recordBytes(game().puzzle);
    game().currentPuzzlePath = docs.path(QStringLiteral("gone/Open.vlq"));
    game().modified = true;

    QSignalSpy closed(form.get(), &TVlqGameMainForm::closed);
    QTest::mouseClick(form->ExitBtn, Qt::LeftButton);
    QCOMPARE(prompts.errors, QStringList{});
    QCOMPARE(prompts.choices.size(), 1);
    QVERIFY2(prompts.choices[0].contains(QStringLiteral("Path not found.")), qPrintable(prompts.choices[0]));
    QCOMPARE(closed.size(), 0);
    QVERIFY(form->isVisible());
    QVERIFY(game().modified);
    QCOMPARE(recordBytes(game().puzzle), typed);
}

// With VLQ_MAINFORM_SIZE set the process only reports the logo-state
// window's size.
int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (qEnvironmentVariableIsSet("VLQ_MAINFORM_SIZE")) {
        TVlqGameMainForm form;
        form.show();
        if (!QTest::qWaitForWindowExposed(&form)) return 1;
        QTextStream(stdout) << form.width() << 'x' << form.height() << '\n';
        return 0;
    }
    TestMainForm tc;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&tc, argc, argv);
}
#include "tst_mainform.moc"
