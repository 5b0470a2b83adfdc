// The Preferences dialog: loading from the store, Save and Cancel, the
// controls' rules and previews, and applying confirmed preferences to the
// open puzzle's windows.
#include <QAction>
#include <QCheckBox>
#include <QColorDialog>
#include <QFontDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QTabWidget>
#include <QTimer>
#include <QtTest>

#include <memory>

#include "game/GameContext.h"
#include "app/TVlqGameMainForm.h"
#include "game/TVlqProcs.h"
#include "game/SettingsStore.h"
#include "settings/TVlqGamePrefForm.h"
#include "support/PromptRecorder.h"
#include "support/ScratchDocuments.h"
#include "views/TVlqGameClueForm.h"
#include "views/TVlqGameGridForm.h"
#include "views/TVlqGameTitleForm.h"
#include "views/TVlqSolveForm.h"

namespace {
constexpr int kYellow = 11; // palette cell: row 3, column 4
constexpr int kAqua = 14;

QPoint cellCentre(int index) { return QPoint((index % 4) * 24 + 12, (index / 4) * 24 + 12); }

// Stored value as a fresh handle on the store reads it.
QVariant stored(const char* name) { return SettingsStore::open().value(QString::fromLatin1(name)); }
bool isText(const QVariant& v) { return v.typeId() == QMetaType::QString; }

// Pixels of the letter ink (dark, whatever the anti-aliasing).
int countDark(const QImage& img) {
    int n = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x) n += qGray(img.pixel(x, y)) < 100;
    return n;
}

int countColour(const QImage& img, QRgb rgb) {
    int n = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x) n += (img.pixel(x, y) & 0xFFFFFF) == (rgb & 0xFFFFFF);
    return n;
}
} // namespace

class TestPrefs : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void loadsChecksFromTheStore_data();
    void loadsChecksFromTheStore();
    void loadsValuesAndReloadsOnEveryShowing();
    void soundsSpeechAndDefaults();
    void saveWritesEveryValueWithItsKind();
    void cancelWritesNothing();
    void previewShowsTheEditedColours();
    void fontDialogsOpenOnTheFaceInUse_data();
    void fontDialogsOpenOnTheFaceInUse();

    void applyingWithoutPuzzleKeepsTheLayout();
    void applyingUncheckedRestoresTheDefaultLayout();
    void applyingCheckedStoresTheShowingWindows();
    void newColourShowsInTheGrid();
    void answerWindowKeepsItsPlace();

private:
    void openPuzzle();
    // Runs the Preferences command; while the dialog shows, edit runs and
    // then Save (or Cancel) is clicked.
    void confirmPreferences(const std::function<void(TVlqGamePrefForm&)>& edit, bool save = true);

    std::unique_ptr<PromptRecorder> prompts_;
    std::unique_ptr<ScratchDocuments> docs_;
    std::unique_ptr<TVlqGameMainForm> main_;
    std::unique_ptr<TVlqGamePrefForm> prefs_;
};

void TestPrefs::init() {
    SettingsStore::open().clear();
    game().reset();
    prompts_ = std::make_unique<PromptRecorder>();
    docs_ = std::make_unique<ScratchDocuments>();
    docs_->clear();
    TVlqGamePrefForm::SetFontChooser([](QWidget*, const TVlqGamePrefForm::FontChoice&) {
        return std::optional<TVlqGamePrefForm::FontChoice>();
    });
    TVlqGamePrefForm::SetFileChooser([](QWidget*, const QString&, const QString&) { return QString(); });
}

void TestPrefs::cleanup() {
    prefs_.reset();
    main_.reset();
    docs_.reset();
    prompts_.reset();
    TVlqGamePrefForm::SetFontChooser({});
    TVlqGamePrefForm::SetFileChooser({});
}

void TestPrefs::openPuzzle() {
    main_ = std::make_unique<TVlqGameMainForm>();
    prefs_ = std::make_unique<TVlqGamePrefForm>(main_.get());
    main_->show();
    QVERIFY(main_->OpenPuzzleFile(docs_->writePuzzle(QStringLiteral("One.vlq"), smallPuzzle(1))));
    QVERIFY(main_->Save1->isEnabled());
}

void TestPrefs::confirmPreferences(const std::function<void(TVlqGamePrefForm&)>& edit, bool save) {
    TVlqGamePrefForm* dialog = TVlqGamePrefForm::instance();
    QVERIFY(dialog);
    bool ran = false;
    QTimer::singleShot(0, dialog, [&] {
        ran = true;
        edit(*dialog);
        QTest::mouseClick(save ? dialog->SaveBtn : dialog->CancelBtn, Qt::LeftButton);
    });
    main_->Preferences1Click();
    QVERIFY(ran);
    QVERIFY(!dialog->isVisible());
}

void TestPrefs::loadsChecksFromTheStore_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QVariant>("value");
    QTest::addColumn<QString>("checked"); // captions of the checked boxes

    QTest::newRow("nothing stored") << QString() << QVariant() << "SOUNDS";
    QTest::newRow("sounds off") << "PlaySounds" << QVariant(0) << "";
    QTest::newRow("speech") << "PlaySounds" << QVariant(2) << "SOUNDS SPEECH";
    QTest::newRow("cursors 1") << "UseCursors" << QVariant(1) << "SOUNDS CURSORS";
    QTest::newRow("cursors 2 counts as on") << "UseCursors" << QVariant(2) << "SOUNDS CURSORS";
    QTest::newRow("highlight at 0") << "SolveHLOn" << QVariant(0) << "SOUNDS SOLVE HL";
    QTest::newRow("highlight at 5") << "SolveHLOn" << QVariant(5) << "SOUNDS SOLVE HL";
    QTest::newRow("no highlight") << "SolveHLOn" << QVariant(31) << "SOUNDS";
    QTest::newRow("custom arrangement") << "ScreenBoundsGrid" << QVariant(QStringLiteral("1,2,300,200"))
                                        << "SOUNDS SAVE CUSTOM ARRANGEMENT";
}

void TestPrefs::loadsChecksFromTheStore() {
    QFETCH(QString, name);
    QFETCH(QVariant, value);
    QFETCH(QString, checked);
    if (value.typeId() == QMetaType::Int) TVlqProcs::WriteSetting(name, value.toInt());
    if (isText(value)) TVlqProcs::WriteSetting(name, value.toString());

    TVlqGamePrefForm dialog;
    dialog.show();
    QStringList shown;
    for (QCheckBox* c : {dialog.SoundChk, dialog.SpeechChk, dialog.CursorsChk, dialog.SolveChk, dialog.SaveAllChk})
        if (c->isChecked()) shown << c->text();
    QCOMPARE(shown.join(QLatin1Char(' ')), checked);
    QVERIFY(!dialog.SaveAllChk->isEnabled()); // no puzzle was ever opened
    QCOMPARE(dialog.Pages->currentIndex(), int(TVlqGamePrefForm::GeneralPage));
    QVERIFY(prompts_->errors.isEmpty());
}

void TestPrefs::loadsValuesAndReloadsOnEveryShowing() {
    TVlqProcs::WriteSetting(QStringLiteral("FilledSqColor"), QStringLiteral("clNavy"));
    TVlqProcs::WriteSetting(QStringLiteral("BlankSqColor"), QStringLiteral("clYellow"));
    TVlqProcs::WriteSetting(QStringLiteral("FontColor"), QStringLiteral("clRed"));
    TVlqProcs::WriteSetting(QStringLiteral("FontName"), QStringLiteral("Courier New"));
    TVlqProcs::WriteSetting(QStringLiteral("FontSize"), 14);
    TVlqProcs::WriteSetting(QStringLiteral("FontStyle"), 3);
    TVlqProcs::WriteSetting(QStringLiteral("DictPath"), QStringLiteral("/opt/dict/run"));
    TVlqProcs::WriteSetting(QStringLiteral("SolveFontSize"), 16);
    TVlqProcs::WriteSetting(QStringLiteral("SolveFontStyle"), 4);
    game().currentPuzzlePath = QStringLiteral("/somewhere/One.vlq");

    TVlqGamePrefForm dialog;
    QCOMPARE(dialog.ScrImg->pixmap().size(), QSize(177, 131));
    QCOMPARE(dialog.ScrImg->pixmap().toImage().pixelColor(2, 2).alpha(), 255); // the picture, not a blank
    for (int showing = 0; showing < 3; ++showing) {
        dialog.show();
        QCOMPARE(dialog.filledColour, QColor(0x000080));
        QCOMPARE(dialog.blankColour, QColor(0xFFFF00));
        QCOMPARE(dialog.BlankSwatch->palette().color(QPalette::Window), QColor(0xFFFF00));
        const TVlqGamePrefForm::FontChoice grid = dialog.gridFont();
        QCOMPARE(grid.font.family(), QStringLiteral("Courier New"));
        QCOMPARE(grid.font.pointSize(), 14); // not scaled with any squares
        QCOMPARE(TVlqGamePrefForm::styleNumber(grid.font), 3);
        QCOMPARE(grid.colour, QColor(Qt::red));
        QCOMPARE(dialog.DictEdit->text(), QStringLiteral("/opt/dict/run"));
        QCOMPARE(dialog.ThesEdit->text(), QString());
        QCOMPARE(dialog.solveFont().font.family(), QStringLiteral("Times New Roman"));
        QCOMPARE(dialog.solveFont().font.pointSize(), 16);
        QVERIFY(dialog.solveFont().font.underline());
        QCOMPARE(dialog.SolveList->count(), 14); // replaced, never added to
        QCOMPARE(dialog.SolveList->item(0)->text(), QStringLiteral("10 Vorlaquince puzzle clue"));
        QCOMPARE(dialog.SolveList->item(13)->text(), QStringLiteral("23 Vorlaquince puzzle clue"));
        QVERIFY(dialog.SaveAllChk->isEnabled());
        dialog.DictEdit->setText(QStringLiteral("edited"));
        dialog.Pages->setCurrentIndex(TVlqGamePrefForm::FontsPage);
        dialog.reject();
    }

    // A malformed value is reported and its default shown; the rest loads.
    TVlqProcs::WriteSetting(QStringLiteral("FontSize"), QStringLiteral("big"));
    dialog.show();
    QCOMPARE(prompts_->errors.size(), 1);
    QVERIFY(prompts_->errors.first().contains(QStringLiteral("FontSize")));
    QCOMPARE(dialog.gridFont().font.pointSize(), 11);
    QCOMPARE(dialog.filledColour, QColor(0x000080));
}

void TestPrefs::soundsSpeechAndDefaults() {
    TVlqProcs::WriteSetting(QStringLiteral("DictPath"), QStringLiteral("/saved/dict"));
    TVlqGamePrefForm dialog;
    dialog.show();
    QTest::mouseClick(dialog.SpeechChk, Qt::LeftButton);
    QVERIFY(dialog.SpeechChk->isChecked());
    QVERIFY(dialog.SoundChk->isChecked());
    QTest::mouseClick(dialog.SoundChk, Qt::LeftButton);
    QVERIFY(!dialog.SoundChk->isChecked());
    QVERIFY(!dialog.SpeechChk->isChecked()); // speech never without sounds
    QTest::mouseClick(dialog.SpeechChk, Qt::LeftButton);
    QVERIFY(dialog.SoundChk->isChecked());

    // Defaults reset only the page showing.
    dialog.CursorsChk->setChecked(true);
    dialog.Pages->setCurrentIndex(TVlqGamePrefForm::ToolsPage);
    dialog.DictEdit->setText(QStringLiteral("typed"));
    dialog.ThesEdit->setText(QStringLiteral("typed too"));
    QTest::mouseClick(dialog.DefaultsBtn, Qt::LeftButton);
    QCOMPARE(dialog.DictEdit->text(), QStringLiteral("/saved/dict")); // the saved path, not empty
    QCOMPARE(dialog.ThesEdit->text(), QString());
    QVERIFY(dialog.CursorsChk->isChecked());

    dialog.Pages->setCurrentIndex(TVlqGamePrefForm::GeneralPage);
    QTest::mouseClick(dialog.DefaultsBtn, Qt::LeftButton);
    QVERIFY(dialog.SoundChk->isChecked());
    QVERIFY(!dialog.SpeechChk->isChecked() && !dialog.CursorsChk->isChecked());

    dialog.Pages->setCurrentIndex(TVlqGamePrefForm::ViewPage);
    QTest::mouseClick(dialog.ColorGrid1, Qt::RightButton, {}, cellCentre(kYellow));
    TVlqGamePrefForm::SetFontChooser([](QWidget*, const TVlqGamePrefForm::FontChoice& f) {
        TVlqGamePrefForm::FontChoice c = f;
        c.font.setPointSize(20);
        return std::optional(c);
    });
    QTest::mouseClick(dialog.FontBtn, Qt::LeftButton);
    QCOMPARE(dialog.gridFont().font.pointSize(), 20);
    QTest::mouseClick(dialog.SolveFontBtn, Qt::LeftButton);
    QCOMPARE(dialog.solveFont().font.pointSize(), 20);
    QTest::mouseClick(dialog.DefaultsBtn, Qt::LeftButton);
    QCOMPARE(dialog.filledColour, QColor(Qt::black));
    QCOMPARE(dialog.gridFont().font.pointSize(), 11);
    QCOMPARE(dialog.gridFont().font.family(), QStringLiteral("Arial"));
    QCOMPARE(dialog.solveFont().font.pointSize(), 20); // Fonts page untouched
    dialog.Pages->setCurrentIndex(TVlqGamePrefForm::FontsPage);
    QTest::mouseClick(dialog.DefaultsBtn, Qt::LeftButton);
    QCOMPARE(dialog.solveFont().font.pointSize(), 11);
    QCOMPARE(dialog.solveFont().font.family(), QStringLiteral("Times New Roman"));
}

void TestPrefs::saveWritesEveryValueWithItsKind() {
    TVlqGamePrefForm dialog;
    dialog.show();
    QTest::mouseClick(dialog.SpeechChk, Qt::LeftButton);
    QTest::mouseClick(dialog.CursorsChk, Qt::LeftButton);
    QTest::mouseClick(dialog.SolveChk, Qt::LeftButton);
    dialog.Pages->setCurrentIndex(TVlqGamePrefForm::ViewPage);
    QTest::mouseClick(dialog.ColorGrid1, Qt::RightButton, {}, cellCentre(kYellow));
    QTest::mouseClick(dialog.ColorGrid1, Qt::LeftButton, {}, cellCentre(kAqua));
    TVlqGamePrefForm::SetFontChooser([](QWidget*, const TVlqGamePrefForm::FontChoice&) {
        QFont f(QStringLiteral("Courier New"));
        f.setPointSize(13);
        f.setBold(true);
        f.setStrikeOut(true);
        return std::optional(TVlqGamePrefForm::FontChoice{f, QColor(Qt::red)});
    });
    QTest::mouseClick(dialog.FontBtn, Qt::LeftButton);
    QStringList filters;
    TVlqGamePrefForm::SetFileChooser([&filters](QWidget*, const QString& title, const QString& filter) {
        filters << filter;
        return title == QStringLiteral("Link Dictionary") ? QStringLiteral("/usr/bin/dict") : QString();
    });
    QTest::mouseClick(dialog.DictBtn, Qt::LeftButton);
    QTest::mouseClick(dialog.ThesBtn, Qt::LeftButton); // cancelled: stays as it was
    for (const QString& f : filters) QVERIFY2(f.startsWith(QStringLiteral("All Files (*);;")), qPrintable(f));
    dialog.ThesEdit->setText(QStringLiteral(" nowhere "));
    QTest::mouseClick(dialog.SaveBtn, Qt::LeftButton);
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QVERIFY(!dialog.isVisible());

    const struct {
        const char* name;
        QVariant value;
    } expected[] = {
        {"PlaySounds", 2},
        {"UseCursors", 1},
        {"SolveHLOn", 0},
        {"FilledSqColor", QStringLiteral("clYellow")},
        {"BlankSqColor", QStringLiteral("clAqua")},
        {"FontColor", QStringLiteral("clRed")},
        {"FontName", QStringLiteral("Courier New")},
        {"FontSize", 13},
        {"FontStyle", 9},
        {"DictPath", QStringLiteral("/usr/bin/dict")},
        {"ThesPath", QStringLiteral(" nowhere ")},
        {"SolveFontName", QStringLiteral("Times New Roman")},
        {"SolveFontColor", QStringLiteral("clBlack")},
        {"SolveFontSize", 11},
        {"SolveFontStyle", 0},
    };
    for (const auto& e : expected) {
        const QVariant v = stored(e.name);
        QVERIFY2(isText(v) == isText(e.value), e.name);
        QVERIFY2(isText(v) ? v.toString() == e.value.toString() : v.toInt() == e.value.toInt(), e.name);
    }
    // The arrangement box is the main window's business.
    QVERIFY(!stored("ScreenBoundsGrid").isValid());
    QVERIFY(!stored("ScreenSquare").isValid());

    // Sounds alone store 1, nothing 0.
    dialog.show();
    QTest::mouseClick(dialog.SpeechChk, Qt::LeftButton);
    QTest::mouseClick(dialog.SaveBtn, Qt::LeftButton);
    QCOMPARE(stored("PlaySounds").toInt(), 1);
    dialog.show();
    QTest::mouseClick(dialog.SoundChk, Qt::LeftButton);
    QTest::mouseClick(dialog.SolveChk, Qt::LeftButton);
    QTest::mouseClick(dialog.SaveBtn, Qt::LeftButton);
    QCOMPARE(stored("PlaySounds").toInt(), 0);
    QCOMPARE(stored("SolveHLOn").toInt(), 31);
}

void TestPrefs::cancelWritesNothing() {
    TVlqGamePrefForm dialog;
    dialog.show();
    QTest::mouseClick(dialog.SoundChk, Qt::LeftButton);
    QTest::mouseClick(dialog.ColorGrid1, Qt::RightButton, {}, cellCentre(kYellow));
    dialog.DictEdit->setText(QStringLiteral("/usr/bin/dict"));
    QTest::mouseClick(dialog.CancelBtn, Qt::LeftButton);
    QCOMPARE(dialog.result(), int(QDialog::Rejected));
    QVERIFY(SettingsStore::open().allKeys().isEmpty());
    dialog.show(); // the edits are gone
    QVERIFY(dialog.SoundChk->isChecked());
    QCOMPARE(dialog.filledColour, QColor(Qt::black));
    QCOMPARE(dialog.DictEdit->text(), QString());
}

void TestPrefs::previewShowsTheEditedColours() {
    TVlqGamePrefForm dialog;
    dialog.show();
    dialog.Pages->setCurrentIndex(TVlqGamePrefForm::ViewPage);
    QTest::mouseClick(dialog.ColorGrid1, Qt::RightButton, {}, cellCentre(kYellow));
    // Dragging with the button held moves the selection; the release picks.
    QTest::mousePress(dialog.ColorGrid1, Qt::LeftButton, {}, cellCentre(0));
    QMouseEvent move(QEvent::MouseMove, QPointF(cellCentre(kAqua)), dialog.ColorGrid1->mapToGlobal(QPointF(cellCentre(kAqua))),
                     Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(dialog.ColorGrid1, &move);
    QTest::mouseRelease(dialog.ColorGrid1, Qt::LeftButton, {}, cellCentre(kAqua));
    QCOMPARE(dialog.blankColour, QColor(0x00FFFF));
    QCOMPARE(dialog.FilledSwatch->palette().color(QPalette::Window), QColor(0xFFFF00));

    // Squares of 42 pixels: (column 4, row 1) filled, (1, 1) a letter square.
    QImage img = dialog.GridPad->grab().toImage();
    QCOMPARE(img.pixelColor(3 * 42 + 21, 21), QColor(0xFFFF00));
    QCOMPARE(img.pixelColor(3, 3), QColor(0x00FFFF));
    QCOMPARE(img.pixelColor(42, 10), QColor(0xFFFF00)); // the outline between squares
    QVERIFY(countDark(img.copy(2, 2, 38, 38)) > 5); // the letter A

    // One colour for both: every square is a letter square.
    QTest::mouseClick(dialog.ColorGrid1, Qt::RightButton, {}, cellCentre(kAqua));
    img = dialog.GridPad->grab().toImage();
    QVERIFY(countDark(img.copy(3 * 42 + 2, 2, 38, 38)) > 5);
}

void TestPrefs::fontDialogsOpenOnTheFaceInUse_data() {
    QTest::addColumn<bool>("grid");
    QTest::addColumn<QString>("subject");
    QTest::addColumn<QString>("named");
    QTest::newRow("grid") << true << "Grid Font" << "Arial";
    QTest::newRow("clue list") << false << "Clue List Font" << "Times New Roman";
}

// The real font dialog opens on the face that draws the named one (not on
// whatever the toolkit guesses), the captions say what each of the two steps
// sets, and OK on the face shown keeps the stored name.
void TestPrefs::fontDialogsOpenOnTheFaceInUse() {
    QFETCH(bool, grid);
    QFETCH(QString, subject);
    QFETCH(QString, named);
    TVlqGamePrefForm::SetFontChooser({});
    TVlqGamePrefForm dialog;
    dialog.show();
    QString fontTitle, shownFamily, colourTitle;
    QTimer poll;
    connect(&poll, &QTimer::timeout, [&] {
        QWidget* modal = QApplication::activeModalWidget();
        if (auto* fonts = qobject_cast<QFontDialog*>(modal); fonts && fontTitle.isEmpty()) {
            fontTitle = fonts->windowTitle();
            shownFamily = fonts->currentFont().family();
            fonts->accept();
        } else if (auto* colours = qobject_cast<QColorDialog*>(modal); colours && colourTitle.isEmpty()) {
            colourTitle = colours->windowTitle();
            colours->accept();
        }
    });
    poll.start(10);
    QTest::mouseClick(grid ? dialog.FontBtn : dialog.SolveFontBtn, Qt::LeftButton);
    poll.stop();
    QCOMPARE(shownFamily, QFontInfo(QFont(named)).family());
    QVERIFY2(fontTitle.startsWith(subject) && fontTitle.contains(QStringLiteral("Size")), qPrintable(fontTitle));
    QVERIFY2(colourTitle.startsWith(subject) && colourTitle.contains(QStringLiteral("Colour")), qPrintable(colourTitle));
    QTest::mouseClick(dialog.SaveBtn, Qt::LeftButton);
    QCOMPARE(stored(grid ? "FontName" : "SolveFontName").toString(), named);
}

void TestPrefs::applyingWithoutPuzzleKeepsTheLayout() {
    main_ = std::make_unique<TVlqGameMainForm>();
    prefs_ = std::make_unique<TVlqGamePrefForm>(main_.get());
    main_->show();
    QVERIFY(!main_->Dictionary1->isEnabled());
    confirmPreferences([](TVlqGamePrefForm& d) {
        d.DictEdit->setText(QStringLiteral("/usr/bin/dict"));
        d.SaveAllChk->setChecked(true);
    });
    QVERIFY(main_->Dictionary1->isEnabled()); // tools read again
    for (const char* name : {"ScreenSquare", "AuthorTitleSquare", "ScreenBoundsGrid", "ScreenBoundsAuthorTitle",
                             "ScreenBoundsClues", "ScreenBoundsSolve"})
        QVERIFY2(!stored(name).isValid(), name);

    confirmPreferences([](TVlqGamePrefForm& d) { d.DictEdit->clear(); }, false); // Cancel
    QVERIFY(main_->Dictionary1->isEnabled());
}

void TestPrefs::applyingUncheckedRestoresTheDefaultLayout() {
    const int d = 30;
    TVlqProcs::WriteSetting(QStringLiteral("ScreenSquare"), d + 8);
    TVlqProcs::WriteSetting(QStringLiteral("AuthorTitleSquare"), d + 4);
    TVlqProcs::WriteBounds(QStringLiteral("ScreenBoundsGrid"), 20, 30, 200, 200);
    TVlqProcs::WriteBounds(QStringLiteral("ScreenBoundsSolve"), 20, 30, 200, 100);
    openPuzzle();
    const int def = game().defaultSquareSize;
    confirmPreferences([](TVlqGamePrefForm& dlg) {
        QVERIFY(dlg.SaveAllChk->isEnabled());
        QVERIFY(dlg.SaveAllChk->isChecked());
        dlg.SaveAllChk->setChecked(false);
    });
    QCOMPARE(stored("ScreenSquare").toInt(), def);
    QCOMPARE(stored("AuthorTitleSquare").toInt(), def);
    QCOMPARE(game().gridSquareSize, def);
    for (const char* name : {"ScreenBoundsGrid", "ScreenBoundsAuthorTitle", "ScreenBoundsClues", "ScreenBoundsSolve"})
        QVERIFY2(stored(name).toString().isEmpty(), name);
    QVERIFY(prompts_->errors.isEmpty());

    // The box now shows unchecked: the default layout stays chosen.
    confirmPreferences([](TVlqGamePrefForm& dlg) { QVERIFY(!dlg.SaveAllChk->isChecked()); }, false);
}

void TestPrefs::applyingCheckedStoresTheShowingWindows() {
    openPuzzle();
    TVlqSolveForm solve(main_.get());
    game().solveForm = &solve;
    TVlqProcs::WriteBounds(QStringLiteral("ScreenBoundsSolve"), 7, 8, 9, 10);
    QMdiSubWindow* grid = game().gridForm->subWindow();
    grid->move(0, 0);
    const QRect clues = game().clueForm->subWindow()->geometry().adjusted(5, 5, -20, -10);
    game().clueForm->subWindow()->setGeometry(clues);
    const int gridSize = game().gridSquareSize;

    confirmPreferences([](TVlqGamePrefForm& d) { d.SaveAllChk->setChecked(true); });
    QCOMPARE(stored("ScreenBoundsGrid").toString(),
             QStringLiteral("0,0,%1,%2").arg(grid->width()).arg(grid->height()));
    QCOMPARE(stored("ScreenBoundsClues").toString(), QStringLiteral("%1,%2,%3,%4")
                                                         .arg(clues.x())
                                                         .arg(clues.y())
                                                         .arg(clues.width())
                                                         .arg(clues.height()));
    QVERIFY(!stored("ScreenBoundsAuthorTitle").toString().isEmpty());
    QCOMPARE(stored("ScreenBoundsSolve").toString(), QStringLiteral("7,8,9,10")); // hidden: left alone
    QCOMPARE(stored("ScreenSquare").toInt(), gridSize);
    // The windows are placed again from what was just stored: they stay.
    QCOMPARE(grid->pos(), QPoint(0, 0));
    QCOMPARE(game().clueForm->subWindow()->geometry(), clues);

    solve.show();
    QVERIFY(QTest::qWaitForWindowExposed(&solve));
    const QRect s = solve.frameGeometry();
    confirmPreferences([](TVlqGamePrefForm& d) { QVERIFY(d.SaveAllChk->isChecked()); });
    QCOMPARE(stored("ScreenBoundsSolve").toString(),
             QStringLiteral("%1,%2,%3,%4").arg(s.x()).arg(s.y()).arg(s.width()).arg(s.height()));
    solve.hide();
    game().solveForm = nullptr;
    QVERIFY(prompts_->errors.isEmpty());
}

// The answer window showing while the preferences are saved stays where
// the player has it.
void TestPrefs::answerWindowKeepsItsPlace() {
    openPuzzle();
    TVlqSolveForm solve(main_.get());
    game().solveForm = &solve;
    game().currentClue = 1;
    solve.OpenOnClue();
    QVERIFY(QTest::qWaitForWindowExposed(&solve));
    solve.move(solve.pos() + QPoint(13, 29));
    const QRect before = solve.frameGeometry();
    confirmPreferences([](TVlqGamePrefForm& d) { d.SaveAllChk->setChecked(true); });
    QCOMPARE(solve.frameGeometry(), before);
    game().solveForm = nullptr;
}

void TestPrefs::newColourShowsInTheGrid() {
    openPuzzle();
    QWidget* grid = game().gridForm;
    QCOMPARE(countColour(grid->grab().toImage(), qRgb(0xFF, 0xFF, 0)), 0);
    confirmPreferences([](TVlqGamePrefForm& d) {
        d.Pages->setCurrentIndex(TVlqGamePrefForm::ViewPage);
        QTest::mouseClick(d.ColorGrid1, Qt::LeftButton, {}, cellCentre(kYellow));
    });
    QCOMPARE(stored("BlankSqColor").toString(), QStringLiteral("clYellow"));
    const QImage img = grid->grab().toImage();
    QVERIFY(countColour(img, qRgb(0xFF, 0xFF, 0)) > img.width() * img.height() / 4);
}

QTEST_MAIN(TestPrefs)
#include "tst_prefs.moc"
