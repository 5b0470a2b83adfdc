// The Make a Puzzle window as a player saves from it, without a search: a
// draft opened from its source text with a clue still to write, the
// question before saving (Save the default, Escape back to the window), the
// puzzle saved beside one of its name, and a saved draft vlqtool builds.
#include <QFile>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include "app/MakePuzzleWindow.h"
#include "support/ScratchDocuments.h"

namespace {

// Answers the next message box with a key once it is up; records its text
// and whether Save is its default button.
struct BoxAnswer {
    QString text;
    bool saveIsDefault = false;
    void with(Qt::Key key) {
        auto* timer = new QTimer;
        timer->setInterval(20);
        QObject::connect(timer, &QTimer::timeout, [this, timer, key] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box) return;
            text = box->text();
            saveIsDefault = static_cast<QAbstractButton*>(box->defaultButton()) == box->button(QMessageBox::Save);
            QTest::keyClick(box, key);
            timer->deleteLater();
            timer->stop();
        });
        timer->start();
    }
};

} // namespace

class TestMakeWindow : public QObject {
    Q_OBJECT
private slots:
    void savingAsksAboutCluesToWrite() {
        ScratchDocuments docs;
        QTemporaryDir scratch;
        QFile sample(QStringLiteral(VLQ_SOURCE_DIR "/puzzles/If.txt"));
        QVERIFY(sample.open(QIODevice::ReadOnly));
        QByteArray text = sample.readAll();
        text.replace("C. Board made of thin glued layers of wood = PLYWOOD", "C. ? = PLYWOOD");
        const QString source = scratch.filePath(QStringLiteral("If.txt"));
        QFile out(source);
        QVERIFY(out.open(QIODevice::WriteOnly) && out.write(text) == text.size());
        out.close();

        MakePuzzleWindow window;
        QVERIFY(window.openDraftFrom(source));
        QVERIFY(window.draft().complete() && window.draft().needsWriting(2));
        QVERIFY(window.savePuzzleButton->isEnabled() && !window.solveItButton->isEnabled());

        BoxAnswer answer;
        answer.with(Qt::Key_Escape);
        QTest::mouseClick(window.savePuzzleButton, Qt::LeftButton);
        QCOMPARE(answer.text, QStringLiteral("Clue C is still to be written. Save the puzzle with it as it is?"));
        QVERIFY(answer.saveIsDefault);
        QVERIFY(window.savedPuzzle().isEmpty());
        QVERIFY(QDir(docs.puzzleFolder()).entryList({QStringLiteral("*.vlq")}).isEmpty());

        const QString first = docs.writeFile(QStringLiteral("If.vlq"), "not a puzzle");
        answer.with(Qt::Key_Return);
        QTest::mouseClick(window.savePuzzleButton, Qt::LeftButton);
        QCOMPARE(window.savedPuzzle(), docs.path(QStringLiteral("If (2).vlq")));
        QVERIFY(window.solveItButton->isEnabled());
        QFile kept(first);
        QVERIFY(kept.open(QIODevice::ReadOnly) && kept.readAll() == "not a puzzle");

        const QString draft = scratch.filePath(QStringLiteral("Draft.txt"));
        QVERIFY(window.saveDraftTo(draft));
        QProcess tool;
        tool.start(QStringLiteral(VLQ_TOOL_PATH),
                   {QStringLiteral("build"), draft, QStringLiteral("-o"), scratch.filePath(QStringLiteral("Draft.vlq"))});
        QVERIFY(tool.waitForFinished(20000));
        QVERIFY2(tool.exitCode() == 0, tool.readAllStandardError().constData());
    }
};

QTEST_MAIN(TestMakeWindow)
#include "tst_makewindow.moc"
