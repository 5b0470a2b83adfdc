// Opening another program's acrostic from the command line or by dropping
// it on the window: it becomes a .vlq in the puzzle folder, named after its
// title, and opening it again resumes that file.
#include <QDropEvent>
#include <QMdiSubWindow>
#include <QMimeData>
#include <QtTest>

#include "app/TVlqGameMainForm.h"
#include "game/GameContext.h"
#include "game/SettingsStore.h"
#include "services/PuzzleImport.h"
#include "support/PromptRecorder.h"
#include "support/ScratchDocuments.h"
#include "views/TVlqGameGridForm.h"
#include "views/TVlqSolveForm.h"

namespace {

const char* const kChecksumOnly =
    "{\"kind\":[\"http://ipuz.org/acrostic#1\"],\"dimensions\":{\"width\":1,\"height\":1},\"checksum\":[\"x\"]}";

QString copied(const QTemporaryDir& dir, const QString& name) {
    const QString from = QStringLiteral(VLQ_SOURCE_DIR "/tests/data/formats/") + name;
    const QString to = dir.filePath(name);
    QFile::copy(from, to);
    return to;
}

} // namespace

class TestForeignOpen : public QObject {
    Q_OBJECT
private slots:
    void init() {
        SettingsStore::open().clear();
        game().reset();
        docs.clear();
        prompts = std::make_unique<PromptRecorder>();
        form = std::make_unique<TVlqGameMainForm>();
        solveForm = std::make_unique<TVlqSolveForm>(form.get());
        game().solveForm = solveForm.get();
        form->show();
        QVERIFY(QTest::qWaitForWindowExposed(form.get()));
    }
    void cleanup() {
        solveForm.reset();
        game().solveForm = nullptr;
        form.reset();
        prompts.reset();
    }

    void droppedFileBecomesPuzzleAndResumes() {
        const QString jpz = copied(elsewhere, QStringLiteral("islands.jpz"));
        QMimeData mime;
        mime.setUrls({QUrl::fromLocalFile(jpz)});
        QDragEnterEvent enter(QPoint(50, 50), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(form.get(), &enter);
        QVERIFY(enter.isAccepted());
        QDropEvent drop(QPointF(50, 50), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(form.get(), &drop);
        const QString vlq = docs.path(QStringLiteral("Islands.vlq"));
        QTRY_COMPARE(game().currentPuzzlePath, vlq);
        QCOMPARE(game().gridForm->windowTitle(), QStringLiteral("ISLANDS - by Ada Setter"));
        QCOMPARE(form->History[0]->text(), QStringLiteral("&1 ISLANDS"));
        QCOMPARE(game().puzzle.entry(1, 1), std::uint8_t('N')); // the file's progress

        // The player types, the game saves; opening the file again resumes.
        game().gridForm->setFocus();
        QTest::mouseClick(game().gridForm, Qt::LeftButton, {}, QPoint(3, 3));
        QTest::keyClick(game().gridForm, Qt::Key_N);
        QTest::keyClick(game().gridForm, Qt::Key_O);
        QVERIFY(game().modified);
        QVERIFY(form->OpenPuzzleFile(copied(elsewhere, QStringLiteral("islands-zip.jpz"))));
        QCOMPARE(game().currentPuzzlePath, vlq);
        QCOMPARE(game().puzzle.entry(2, 1), std::uint8_t('O'));

        // Another puzzle of the same title never overwrites it.
        const QByteArray before = fileBytes(vlq);
        QVERIFY(form->OpenPuzzleFile(copied(elsewhere, QStringLiteral("islands-nokey.apz"))));
        QCOMPARE(game().currentPuzzlePath, docs.path(QStringLiteral("Islands (2).vlq")));
        QCOMPARE(fileBytes(vlq), before);
        QVERIFY(prompts->errors.isEmpty());
    }

    void refusedFileNamesCause() {
        const QString bad = elsewhere.filePath(QStringLiteral("Bad.ipuz"));
        QVERIFY(writeBytes(bad, kChecksumOnly));
        QVERIFY(!form->OpenPuzzleFile(bad));
        QCOMPARE(prompts->errors.size(), 1);
        QVERIFY2(prompts->errors[0].startsWith(QStringLiteral("Cannot open Bad.ipuz: the file has no solution, only a checksum")),
                 qPrintable(prompts->errors[0]));
        QVERIFY(game().currentPuzzlePath.isEmpty());
        QVERIFY(QDir(docs.puzzleFolder()).entryList({QStringLiteral("*.vlq")}).isEmpty());
    }

    void fileNamesFromTitles() {
        QCOMPARE(puzzleFileName(QStringLiteral("<b>A/B: c?</b>"), QStringLiteral("x")), QStringLiteral("A B c"));
        QCOMPARE(puzzleFileName(QStringLiteral(" ..  "), QStringLiteral("fallback")), QStringLiteral("fallback"));
    }

private:
    std::unique_ptr<TVlqGameMainForm> form;
    std::unique_ptr<TVlqSolveForm> solveForm;
    std::unique_ptr<PromptRecorder> prompts;
    ScratchDocuments docs;
    QTemporaryDir elsewhere;
};

QTEST_MAIN(TestForeignOpen)
#include "tst_foreign_open.moc"
