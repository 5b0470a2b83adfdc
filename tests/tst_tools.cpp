// The reference tools (dictionary, thesaurus): bad paths give the
// configuration error, a running tool is not started twice, each tool has
// its own slot; and the About box.
#include <QFile>
#include <QLabel>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

#include <unistd.h>

#include <csignal>
#include <memory>

#include "game/GameContext.h"
#include "app/TVlqGameMainForm.h"
#include "game/TVlqProcs.h"
#include "platform/ToolWindow.h"
#include "services/TLaunchModule.h"
#include "services/TVlqGameAboutForm.h"
#include "game/SettingsStore.h"
#include "support/PromptRecorder.h"

namespace {

const QString DictError = QStringLiteral("Dictionary has not been properly configured.");
const QString ThesError = QStringLiteral("Thesaurus has not been properly configured.");

// Writes a tool that appends one line to log each time it starts and then
// keeps running as the same process.
QString writeTool(const QString& folder, const QString& name, const QString& log) {
    const QString path = folder + QLatin1Char('/') + name;
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly)) return {};
    f.write("#!/bin/sh\necho started >> '" + log.toLocal8Bit() + "'\nexec sleep 30\n");
    f.close();
    f.setPermissions(f.permissions() | QFile::ExeOwner | QFile::ExeUser);
    return path;
}

int starts(const QString& log) {
    QFile f(log);
    if (!f.open(QIODevice::ReadOnly)) return 0;
    return int(f.readAll().count('\n'));
}

void endProcess(qint64 pid) {
    if (pid > 0) ::kill(pid_t(pid), SIGKILL);
}

} // namespace

class TestTools : public QObject {
    Q_OBJECT
    std::unique_ptr<TVlqGameMainForm> form;
    std::unique_ptr<TLaunchModule> launcher;
    QTemporaryDir scratch;

    // Only on an X11 display (tst_tools_x11 runs this program under Xvfb):
    // shows window and makes windows look-up-able by process. On a bare X
    // server without a window manager the client list is faked with xprop;
    // a real window manager's list is never touched. Returns why not, or "".
    static QString lookUpWindows(QWidget& window) {
        if (QGuiApplication::platformName() != QLatin1String("xcb")) return QStringLiteral("needs an X11 display");
        window.setWindowTitle(QStringLiteral("tool window"));
        window.show();
        if (!QTest::qWaitForWindowExposed(&window)) return QStringLiteral("window never shown");
        if (vlq::findToolWindow(QCoreApplication::applicationPid()) == quintptr(window.winId())) return {};
        const QString xprop = QStandardPaths::findExecutable(QStringLiteral("xprop"));
        if (xprop.isEmpty()) return QStringLiteral("no window manager and no xprop");
        QProcess wm;
        wm.start(xprop, {"-root", "_NET_SUPPORTING_WM_CHECK"});
        wm.waitForFinished();
        if (wm.readAllStandardOutput().contains("window id")) return QStringLiteral("window manager does not list the window");
        QProcess::execute(xprop, {"-root", "-f", "_NET_CLIENT_LIST", "32x", "-set", "_NET_CLIENT_LIST",
                                  QString::number(window.winId())});
        return vlq::toolWindowsSupported() ? QString() : QStringLiteral("client list not set");
    }

private slots:
    void init() {
        SettingsStore::open().clear();
        game().reset();
        form = std::make_unique<TVlqGameMainForm>();
        launcher = std::make_unique<TLaunchModule>();
    }
    void cleanup() {
        for (int slot = 0; slot < TLaunchModule::ToolSlots; ++slot) endProcess(launcher->processId(slot));
        launcher.reset();
        form.reset();
    }

    void badPathIsReported_data() {
        QTest::addColumn<bool>("thesaurus");
        QTest::addColumn<QString>("path");
        const QString plain = scratch.filePath(QStringLiteral("plain.txt"));
        QFile f(plain);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("not a program\n");
        f.close();
        const QString notProgram = scratch.filePath(QStringLiteral("garbage"));
        QFile g(notProgram);
        QVERIFY(g.open(QIODevice::WriteOnly));
        g.write("\x7f" "ELF garbage");
        g.close();
        g.setPermissions(g.permissions() | QFile::ExeOwner | QFile::ExeUser);
        for (const bool thes : {false, true}) {
            const char* tool = thes ? "thesaurus" : "dictionary";
            QTest::addRow("%s empty", tool) << thes << QString();
            QTest::addRow("%s missing", tool) << thes << scratch.filePath(QStringLiteral("gone/tool"));
            QTest::addRow("%s folder", tool) << thes << scratch.path();
            QTest::addRow("%s not executable", tool) << thes << plain;
            QTest::addRow("%s not a program", tool) << thes << notProgram;
        }
    }
    void badPathIsReported() {
        QFETCH(bool, thesaurus);
        QFETCH(QString, path);
        PromptRecorder prompts;
        TVlqProcs::WriteSetting(thesaurus ? VlqSetting::ThesPath : VlqSetting::DictPath, path);
        thesaurus ? form->Thesaurus1Click() : form->Dictionary1Click();
        QCOMPARE(prompts.errors, QStringList{thesaurus ? ThesError : DictError});
        QCOMPARE(launcher->processId(thesaurus ? 1 : 0), 0);
        // A failed start leaves an earlier tool's record alone.
        QCOMPARE(launcher->processId(thesaurus ? 0 : 1), 0);
    }

    void runningToolIsNotStartedTwice() {
        PromptRecorder prompts;
        const QString dictLog = scratch.filePath(QStringLiteral("dict.log"));
        const QString thesLog = scratch.filePath(QStringLiteral("thes.log"));
        QFile::remove(dictLog);
        QFile::remove(thesLog);
        const QString dict = writeTool(scratch.path(), QStringLiteral("dict tool"), dictLog); // a space in the path
        const QString thes = writeTool(scratch.path(), QStringLiteral("thes"), thesLog);
        TVlqProcs::WriteSetting(VlqSetting::DictPath, dict);
        TVlqProcs::WriteSetting(VlqSetting::ThesPath, thes);

        form->Dictionary1Click();
        QTRY_COMPARE(starts(dictLog), 1);
        const qint64 pid = launcher->processId(0);
        QVERIFY(pid > 0);
        QVERIFY(!vlq::processLifeToken(pid).isEmpty());

        form->Dictionary1Click(); // again, while it runs
        form->Thesaurus1Click();  // the thesaurus has its own slot
        QTRY_COMPARE(starts(thesLog), 1);
        form->Dictionary1Click();
        QTest::qWait(300);
        QCOMPARE(starts(dictLog), 1);
        QCOMPARE(launcher->processId(0), pid);
        QVERIFY(launcher->processId(1) != pid);

        // Once the user has closed it, the next command starts it again.
        endProcess(pid);
        QTRY_VERIFY(vlq::processLifeToken(pid).isEmpty());
        form->Dictionary1Click();
        QTRY_COMPARE(starts(dictLog), 2);
        QVERIFY(launcher->processId(0) != pid);
        QCOMPARE(starts(thesLog), 1);
        QVERIFY(prompts.errors.isEmpty());
    }

    void slotIsClamped() {
        launcher->setCurrentTool(-3);
        QCOMPARE(launcher->currentTool(), 0);
        launcher->setCurrentTool(99);
        QCOMPARE(launcher->currentTool(), TLaunchModule::ToolSlots - 1);
        QCOMPARE(launcher->processId(99), 0);
    }

    // Our own window is found by our process id and can be raised; a window
    // id that does not exist cannot.
    void x11WindowLookup() {
        QWidget window;
        const QString missing = lookUpWindows(window);
        if (!missing.isEmpty()) QSKIP(qPrintable(missing));
        const quintptr id = window.winId();
        QCOMPARE(vlq::findToolWindow(QCoreApplication::applicationPid()), id);
        QCOMPARE(vlq::findToolWindow(::getppid()), id); // the process that started this one, as a script would
        QCOMPARE(vlq::findToolWindow(0), quintptr(0));
        QVERIFY(vlq::raiseToolWindow(id));
        QVERIFY(!vlq::raiseToolWindow(0));
        QVERIFY(!vlq::raiseToolWindow(0x7ffffff0)); // no such window
    }

    // A tool window that does not carry its process id is found by its
    // program's window class; a minimised one (unmapped, WM_STATE iconic,
    // as a window manager leaves it) is shown again when raised.
    void x11WindowByClassIsRestored() {
        QWidget window;
        const QString missing = lookUpWindows(window);
        if (!missing.isEmpty()) QSKIP(qPrintable(missing));
        const QString xprop = QStandardPaths::findExecutable(QStringLiteral("xprop"));
        const QString xdotool = QStandardPaths::findExecutable(QStringLiteral("xdotool"));
        if (xprop.isEmpty() || xdotool.isEmpty()) QSKIP("needs xprop and xdotool");
        const QString id = QString::number(window.winId());
        QProcess::execute(xprop, {"-id", id, "-remove", "_NET_WM_PID"});
        QProcess::execute(xprop, {"-id", id, "-f", "WM_CLASS", "8s", "-set", "WM_CLASS", "wordbook"});
        const qint64 self = QCoreApplication::applicationPid();
        QCOMPARE(vlq::findToolWindow(self, QStringLiteral("/opt/Word Book/WordBook.sh")), quintptr(window.winId()));
        QCOMPARE(vlq::findToolWindow(self, QStringLiteral("/usr/bin/wordbooks")), quintptr(0));

        QProcess::execute(xdotool, {"windowunmap", "--sync", id});
        QProcess::execute(xprop, {"-id", id, "-f", "WM_STATE", "32c", "-set", "WM_STATE", "3"});
        QTRY_VERIFY(!window.windowHandle()->isExposed());
        QVERIFY(vlq::raiseToolWindow(window.winId()));
        QTRY_VERIFY(window.windowHandle()->isExposed());
    }

    // A tool whose process lives on without a window to raise (the player
    // closed it, the tool stays resident) is started again.
    void toolWithoutWindowStartsAgain() {
        QWidget window;
        const QString missing = lookUpWindows(window);
        if (!missing.isEmpty()) QSKIP(qPrintable(missing));
        const QString log = scratch.filePath(QStringLiteral("resident.log"));
        TVlqProcs::WriteSetting(VlqSetting::DictPath, writeTool(scratch.path(), QStringLiteral("resident"), log));
        form->Dictionary1Click();
        const qint64 first = launcher->processId(0);
        form->Dictionary1Click();
        QTRY_COMPARE(starts(log), 2);
        QVERIFY(!vlq::processLifeToken(first).isEmpty());
        endProcess(first);
        endProcess(launcher->processId(0));
    }

    void aboutBoxIsModal() {
        TVlqGameAboutForm about;
        QCOMPARE(TVlqGameAboutForm::instance(), &about);
        QCOMPARE(about.windowTitle(), QStringLiteral("About Vorlaquince Game Edition"));
        QVERIFY(about.windowFlags() & Qt::WindowStaysOnTopHint);
        QCOMPARE(about.windowFlags() & Qt::WindowType_Mask, Qt::Tool);
        QCOMPARE(about.windowFlags() & (Qt::CustomizeWindowHint | Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint),
                 Qt::CustomizeWindowHint | Qt::WindowCloseButtonHint);
        QStringList texts;
        for (const QLabel* label : {about.TMLabel, about.GameLabel, about.EditionLabel, about.TagLine,
                                    about.VersionLabel})
            texts << label->text();
        QCOMPARE(texts, (QStringList{"TM", "G   A   M   E", "E   D   I   T   I   O   N",
                                     "Acrostic puzzles for Linux", "Version 6.0   (Build 6.0.3)"}));
        QFont bold = about.font();
        bold.setBold(true);
        QVERIFY(about.sizeHint().width() > QFontMetrics(bold).horizontalAdvance(about.windowTitle()) + 48); // caption fits
        QCOMPARE(about.OKBtn->text(), QStringLiteral("OK"));
        // The logo is painted, not blank.
        const QImage logo = about.Logo->pixmap().toImage();
        QVERIFY(!logo.isNull());
        QVERIFY(logo.pixelColor(logo.width() / 2, logo.height() / 4).alpha() > 0);

        // The About command shows it modally; OK closes it.
        bool wasModal = false;
        QTimer::singleShot(0, &about, [&] {
            wasModal = QApplication::activeModalWidget() == &about && about.isVisible();
            QTest::mouseClick(about.OKBtn, Qt::LeftButton);
        });
        QTimer::singleShot(5000, &about, [&] { about.reject(); }); // never hang the run
        form->About1Click();
        QVERIFY(wasModal);
        QVERIFY(!about.isVisible());
        QCOMPARE(about.result(), int(QDialog::Accepted));
    }
};

QTEST_MAIN(TestTools)
#include "tst_tools.moc"
