// The help: the compiled help file's contents, index and links, read through
// Qt Help itself; the Help menu's two commands and the help window's life.
#include <QAction>
#include <QHelpContentModel>
#include <QHelpContentWidget>
#include <QHelpEngine>
#include <QHelpIndexModel>
#include <QHelpLink>
#include <QLineEdit>
#include <QRegularExpression>
#include <QScrollBar>
#include <QStyle>
#include <QTabWidget>
#include <QTextBlock>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

#include "app/TVlqGameMainForm.h"
#include "game/GameContext.h"
#include "game/SettingsStore.h"
#include "services/HelpWindow.h"
#include "support/PromptRecorder.h"

namespace {

const QString HelpFile = QStringLiteral(VLQ_HELP_FILE);

// True when page (a qthelp:// URL without fragment) holds the anchor.
bool hasAnchor(const QHelpEngineCore& engine, const QUrl& page, const QString& anchor) {
    const QString html = QString::fromUtf8(engine.fileData(page));
    return html.contains(QStringLiteral("name=\"%1\"").arg(anchor)) ||
           html.contains(QStringLiteral("id=\"%1\"").arg(anchor));
}

// Empty when url names an existing page (and section), else what is wrong.
QString brokenLink(const QHelpEngineCore& engine, const QUrl& url) {
    QUrl page = url;
    page.setFragment(QString());
    if (engine.fileData(page).isEmpty()) return url.toString() + QStringLiteral(": no such file");
    if (url.hasFragment() && !hasAnchor(engine, page, url.fragment()))
        return url.toString() + QStringLiteral(": no such section");
    return {};
}

} // namespace

class TestHelp : public QObject {
    Q_OBJECT
    std::unique_ptr<TVlqGameMainForm> form;
    QTemporaryDir scratch;

private slots:
    void init() {
        SettingsStore::open().clear();
        game().reset();
        HelpWindow::setHelpFile(HelpFile);
        form = std::make_unique<TVlqGameMainForm>();
    }
    void cleanup() { form.reset(); }

    // The contents and index of the built file, and every link, keyword and
    // contents entry leading to a page and section that exist.
    void helpFileHoldsContentsIndexAndWorkingLinks() {
        QHelpEngine engine(scratch.filePath(QStringLiteral("check.qhc")));
        engine.setReadOnly(false);
        QVERIFY(engine.setupData());
        QVERIFY2(engine.registerDocumentation(HelpFile), qPrintable(engine.error()));
        const QString ns = QHelpEngineCore::namespaceName(HelpFile);

        QHelpContentModel* toc = engine.contentModel();
        QHelpIndexModel* index = engine.indexModel();
        if (!toc->isCreatingContents() && toc->rowCount() == 0) toc->createContents(QString());
        if (!index->isCreatingIndex() && index->rowCount() == 0) index->createIndex(QString());
        QTRY_VERIFY(!toc->isCreatingContents() && toc->rowCount() > 0 && !index->isCreatingIndex() &&
                    index->rowCount() > 0);

        // Table of contents: one book with a chapter per topic.
        QCOMPARE(toc->rowCount(), 1);
        const QModelIndex book = toc->index(0, 0);
        QCOMPARE(toc->data(book, Qt::DisplayRole).toString(), QStringLiteral("Vorlaquince Help"));
        QStringList chapters;
        QList<QUrl> entries{toc->contentItemAt(book)->url()};
        for (int i = 0; i < toc->rowCount(book); ++i) {
            const QModelIndex chapter = toc->index(i, 0, book);
            chapters << toc->data(chapter, Qt::DisplayRole).toString();
            entries << toc->contentItemAt(chapter)->url();
            for (int j = 0; j < toc->rowCount(chapter); ++j) entries << toc->contentItemAt(toc->index(j, 0, chapter))->url();
        }
        for (const char* topic : {"What an acrostic is", "Solving in the grid", "Solving clue by clue",
                                  "Revealing letters", "Scoring and the score card", "Saving and puzzle files",
                                  "The clock", "Printing and PDF", "Preferences", "Dictionary and thesaurus",
                                  "Making puzzles with vlqtool", "Keyboard reference"})
            QVERIFY2(chapters.contains(QLatin1String(topic)), topic);

        // Keyword index: at least 60 keywords, each leading to its section.
        QVERIFY2(index->rowCount() >= 60, qPrintable(QString::number(index->rowCount())));
        const QList<std::pair<const char*, const char*>> expected{
            {"yellow run", "grid.html#select"},          {"answer window", "clues.html#answer-window"},
            {"Show puzzle solution", "reveals.html#solution"}, {"Show Errors", "scoring.html#show-errors"},
            {"Recycle Bin", "scoring.html#recycle"},     {"recent list", "files.html#recent"},
            {"Auto Arrange", "windows.html#auto-arrange"}, {"PDF", "printing.html#pdf"},
            {"SOLVE HL", "preferences.html#solve-hl"},   {"vlqtool build", "vlqtool.html#build"}};
        for (const auto& [keyword, target] : expected) {
            const QList<QHelpLink> links = engine.documentsForKeyword(QLatin1String(keyword));
            QVERIFY2(links.size() == 1 && links.first().url.toString().endsWith(QLatin1String(target)), keyword);
        }
        QStringList broken;
        for (int i = 0; i < index->rowCount(); ++i)
            for (const QHelpLink& link : engine.documentsForKeyword(index->data(index->index(i), Qt::DisplayRole).toString()))
                entries << link.url;

        // Every href and src inside the pages, style sheet and images included.
        const QList<QUrl> pages = engine.files(ns, QString(), QStringLiteral("html"));
        QVERIFY(pages.size() >= 15);
        const QRegularExpression ref(QStringLiteral("(?:href|src)=\"([^\"]+)\""));
        for (const QUrl& page : pages) {
            const QString html = QString::fromUtf8(engine.fileData(page));
            for (const QRegularExpressionMatch& m : ref.globalMatch(html)) {
                const QUrl target(m.captured(1));
                if (target.scheme() == QLatin1String("http") || target.scheme() == QLatin1String("https")) continue;
                entries << page.resolved(target);
            }
        }
        for (const QUrl& url : entries)
            if (const QString why = brokenLink(engine, url); !why.isEmpty()) broken << why;
        QVERIFY2(broken.isEmpty(), qPrintable(broken.join(QLatin1Char('\n'))));
    }

    // Contents opens the window at the table of contents, Keyword Index at the
    // index with an empty keyword; links, back and forward and images work.
    void helpCommandsOpenTheRightTab() {
        QVERIFY(!HelpWindow::instance()); // nothing of help exists before it is asked for
        form->Contents1->trigger();
        HelpWindow* help = HelpWindow::instance();
        QVERIFY(help && help->isVisible());
        QCOMPARE(help->tabs()->currentIndex(), int(HelpWindow::ContentsTab));
        QCOMPARE(help->tabs()->count(), 3);
        QVERIFY(help->browser()->source().toString().endsWith(QLatin1String("/index.html")));
        QVERIFY(help->browser()->toPlainText().contains(QLatin1String("acrostic puzzles")));
        const QTextBlock heading = help->browser()->document()->firstBlock(); // styled by the page's style sheet
        QCOMPARE(heading.begin().fragment().charFormat().foreground().color(), QColor(0x1f, 0x3a, 0x68));

        help->indexFilter()->setText(QStringLiteral("clock"));
        form->KeywordIndex1->trigger();
        QCOMPARE(HelpWindow::instance(), help); // one window, made once
        QCOMPARE(help->tabs()->currentIndex(), int(HelpWindow::IndexTab));
        QVERIFY(help->indexFilter()->text().isEmpty());

        // A link within the pages, back, forward; the page's picture loads.
        HelpBrowser* browser = help->browser();
        const QUrl home = browser->source();
        browser->setSource(home.resolved(QUrl(QStringLiteral("scoring.html#show-errors"))));
        QVERIFY(browser->toPlainText().contains(QLatin1String("red cross")));
        browser->backward();
        QCOMPARE(browser->source(), home);
        browser->forward();
        QVERIFY(browser->source().toString().endsWith(QLatin1String("scoring.html#show-errors")));
        browser->backward();
        const QVariant picture = browser->document()->resource(QTextDocument::ImageResource,
                                                               QUrl(QStringLiteral("images/puzzle.png")));
        QImage image = picture.value<QImage>(); // decoded once laid out, else the file's bytes
        if (image.isNull()) image = QImage::fromData(picture.toByteArray());
        QVERIFY(!image.isNull());

        form->close(); // closing the main window closes help
        QVERIFY(!help->isVisible());
    }

    // The start page's picture fits the pane, however narrow; Home shows a
    // house, not the style's home-folder icon.
    void startPageFitsThePaneAndHomeIsAHouse() {
        form->Contents1->trigger();
        HelpWindow* help = HelpWindow::instance();
        QVERIFY(help);
        for (const int width : {900, 620}) {
            help->resize(width, 640);
            QApplication::processEvents();
            QVERIFY2(help->browser()->horizontalScrollBar()->maximum() == 0, qPrintable(QString::number(width)));
        }
        const auto* home = help->findChild<QAction*>(QStringLiteral("HomeAction"));
        QVERIFY(home);
        const QImage folder = help->style()->standardIcon(QStyle::SP_DirHomeIcon).pixmap(16, 16).toImage();
        QVERIFY(!home->icon().isNull() && home->icon().pixmap(16, 16).toImage() != folder);
        form->close();
    }

    // Without a help file the player is told so and no window appears.
    void missingHelpFileIsReported() {
        PromptRecorder prompts;
        HelpWindow::setHelpFile(scratch.filePath(QStringLiteral("nowhere.qch")));
        form->KeywordIndex1->trigger();
        QCOMPARE(prompts.errors.size(), 1);
        QVERIFY(prompts.errors.first().contains(QLatin1String("Vorlaquince6Game.qch")));
        QVERIFY(!HelpWindow::instance());
        form->close();
        QVERIFY(!HelpWindow::instance());
    }
};

QTEST_MAIN(TestHelp)
#include "tst_help.moc"
