#include "HelpWindow.h"
#include "platform/Artwork.h"
#include "platform/DataFolder.h"

#include <QAction>
#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QHelpContentWidget>
#include <QHelpContentItem>
#include <QHelpContentModel>
#include <QHelpEngine>
#include <QHelpIndexWidget>
#include <QHelpLink>
#include <QHelpSearchEngine>
#include <QHelpSearchQueryWidget>
#include <QHelpSearchResultWidget>
#include <QIcon>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>
#include <QSplitter>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QStandardPaths>
#include <QTabWidget>
#include <QToolBar>
#include <QVBoxLayout>

#include "game/TVlqProcs.h"

#include <algorithm>
#include <cmath>

namespace {

QPointer<HelpWindow> theWindow;
QString chosenHelpFile;

const QString HomePage = QStringLiteral("qthelp://com.marlowick.vorlaquince.game/doc/index.html");

// The collection of registered help files belongs to the player, never to
// the program's folder, which may be read-only.
QString collectionFile() {
    QString dir = QStandardPaths::writableLocation(QStandardPaths::CacheLocation);
    if (dir.isEmpty()) dir = QDir::tempPath();
    QDir().mkpath(dir);
    return dir + QStringLiteral("/Vorlaquince6Game.qhc");
}

// A help engine whose collection holds exactly the help file qch; null
// (with the engine's reason in why) when it cannot be set up.
QHelpEngine* openEngine(const QString& qch, QString& why) {
    const QString ns = QHelpEngineCore::namespaceName(qch);
    if (ns.isEmpty()) {
        why = QStringLiteral("The file is not a help file.");
        return nullptr;
    }
    auto* engine = new QHelpEngine(collectionFile());
    engine->setReadOnly(false);
    if (!engine->setupData()) {
        why = engine->error();
        delete engine;
        return nullptr;
    }
    // The collection keeps a copy of the file's contents and index: a help
    // file that moved or changed since it was registered is registered anew.
    const QFileInfo info(qch);
    const QString want = info.canonicalFilePath();
    const QString stamp = QStringLiteral("%1 %2").arg(info.lastModified().toMSecsSinceEpoch()).arg(info.size());
    const QString stampKey = QStringLiteral("VorlaquinceHelpStamp");
    const bool current = engine->registeredDocumentations() == QStringList{ns} &&
                         QFileInfo(engine->documentationFileName(ns)).canonicalFilePath() == want &&
                         engine->customValue(stampKey).toString() == stamp;
    if (!current) {
        for (const QString& old : engine->registeredDocumentations()) engine->unregisterDocumentation(old);
        if (!engine->registerDocumentation(want)) {
            why = engine->error();
            delete engine;
            return nullptr;
        }
        engine->setCustomValue(stampKey, stamp);
    }
    return engine;
}

} // namespace

// --- browser -----------------------------------------------------------------

HelpBrowser::HelpBrowser(QHelpEngine* engine, QWidget* parent) : QTextBrowser(parent), engine_(engine) {
    setOpenExternalLinks(true);
    connect(this, &QTextBrowser::sourceChanged, this, &HelpBrowser::fitPictures);
}

void HelpBrowser::resizeEvent(QResizeEvent* e) {
    QTextBrowser::resizeEvent(e);
    fitPictures();
}

// The size a picture asks for: its width and height attributes, the missing
// one in proportion, or the picture's own size.
QSizeF HelpBrowser::pictureSize(const QString& name) {
    const QVariant data = document()->resource(QTextDocument::ImageResource, QUrl(name));
    QImage image = data.value<QImage>();
    if (image.isNull()) image = data.value<QPixmap>().toImage();
    if (image.isNull()) image = QImage::fromData(data.toByteArray());
    return image.size();
}

void HelpBrowser::fitPictures() {
    // The room beside a vertical scroll bar, whether or not one shows now,
    // so that fitting never makes one come and go.
    const qreal room = width() - 2 * frameWidth() - verticalScrollBar()->sizeHint().width() -
                       2 * document()->documentMargin() - 2;
    if (room < 16) return;
    // The width the page asked for (or the picture's own) is kept in the
    // format, so a pane made wider again gets the picture back.
    constexpr int kAskedWidth = QTextFormat::UserProperty + 1;
    constexpr int kAskedHeight = QTextFormat::UserProperty + 2;
    struct Fit {
        int at, length;
        QTextImageFormat format;
    };
    QList<Fit> fits;
    for (QTextBlock block = document()->begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            QTextImageFormat image = fragment.charFormat().toImageFormat();
            if (!image.isValid()) continue;
            if (!image.hasProperty(kAskedWidth)) {
                QSizeF asked(image.width(), image.height());
                const QSizeF own = pictureSize(image.name());
                if (asked.width() <= 0 && asked.height() <= 0) asked = own;
                else if (asked.height() <= 0 && own.width() > 0) asked.setHeight(own.height() * asked.width() / own.width());
                else if (asked.width() <= 0 && own.height() > 0) asked.setWidth(own.width() * asked.height() / own.height());
                if (asked.width() <= 0 || asked.height() <= 0) continue;
                image.setProperty(kAskedWidth, asked.width());
                image.setProperty(kAskedHeight, asked.height());
            }
            const qreal askedW = image.doubleProperty(kAskedWidth);
            const qreal w = std::min(askedW, std::floor(room));
            const qreal h = image.doubleProperty(kAskedHeight) * w / askedW;
            if (image.width() == w && image.height() == h && fragment.charFormat().hasProperty(kAskedWidth)) continue;
            image.setWidth(w);
            image.setHeight(h);
            fits.push_back({fragment.position(), fragment.length(), image});
        }
    }
    for (const Fit& fit : fits) {
        QTextCursor cursor(document());
        cursor.setPosition(fit.at);
        cursor.setPosition(fit.at + fit.length, QTextCursor::KeepAnchor);
        cursor.setCharFormat(fit.format);
    }
}

QVariant HelpBrowser::loadResource(int type, const QUrl& name) {
    // Pictures and style sheets are named relative to their page.
    // While a page loads (and its style sheet with it), its address is the
    // document's and not yet the browser's source.
    const QString page = document()->metaInformation(QTextDocument::DocumentUrl);
    const QUrl base = page.isEmpty() ? source() : QUrl(page);
    const QUrl url = name.isRelative() ? base.resolved(name) : name;
    if (url.scheme() == QLatin1String("qthelp")) {
        const QByteArray data = engine_->fileData(url);
        if (type == QTextDocument::ImageResource) return data;
        return QString::fromUtf8(data);
    }
    return QTextBrowser::loadResource(type, name);
}

// --- window ------------------------------------------------------------------

QString HelpWindow::helpFile() {
    if (!chosenHelpFile.isNull()) return QFileInfo(chosenHelpFile).isFile() ? chosenHelpFile : QString();
    const QString path = dataFilePath(QLatin1String(FileName));
    return !path.isEmpty() && QFileInfo(path).isFile() ? path : QString();
}

void HelpWindow::setHelpFile(const QString& path) { chosenHelpFile = path; }

HelpWindow* HelpWindow::instance() { return theWindow; }

void HelpWindow::closeIfCreated() {
    if (theWindow) theWindow->close();
}

HelpWindow* HelpWindow::showHelp(QWidget* owner, Tab tab) {
    if (!theWindow) {
        const QString qch = helpFile();
        if (qch.isEmpty()) {
            TVlqProcs::ErrorBox(QStringLiteral("The help file %1 could not be found in the game's data folder.")
                                    .arg(QLatin1String(FileName)));
            return nullptr;
        }
        QString why;
        QHelpEngine* engine = openEngine(qch, why);
        if (!engine) {
            TVlqProcs::ErrorBox(QStringLiteral("The help file %1 could not be opened. %2")
                                    .arg(QDir::toNativeSeparators(qch), why));
            return nullptr;
        }
        theWindow = new HelpWindow(engine, owner);
    }
    HelpWindow* w = theWindow;
    w->tabs_->setCurrentIndex(tab);
    if (tab == IndexTab) {
        w->indexFilter_->clear();
        w->engine_->indexWidget()->filterIndices(QString());
        w->indexFilter_->setFocus();
    }
    if (w->isMinimized()) w->showNormal();
    w->show();
    w->raise();
    w->activateWindow();
    return w;
}

HelpWindow::HelpWindow(QHelpEngine* engine, QWidget* owner) : QWidget(owner, Qt::Window), engine_(engine) {
    engine_->setParent(this);
    setObjectName(QStringLiteral("HelpWindow"));
    setWindowTitle(QStringLiteral("Vorlaquince Help"));
    resize(900, 640);

    browser_ = new HelpBrowser(engine_, this);
    browser_->setObjectName(QStringLiteral("HelpBrowser"));

    auto* bar = new QToolBar(this);
    QAction* back = bar->addAction(style()->standardIcon(QStyle::SP_ArrowBack), QStringLiteral("&Back"));
    QAction* forward = bar->addAction(style()->standardIcon(QStyle::SP_ArrowForward), QStringLiteral("&Forward"));
    // A house, from the desktop's icon theme when it has one: the style's
    // home icon is the home folder's.
    const QIcon house = QIcon::fromTheme(QStringLiteral("go-home"),
                                         QIcon(vlq::artwork(QStringLiteral("images/home"), QSize(32, 32))));
    QAction* home = bar->addAction(house, QStringLiteral("&Home"));
    home->setObjectName(QStringLiteral("HomeAction"));
    back->setObjectName(QStringLiteral("BackAction"));
    forward->setObjectName(QStringLiteral("ForwardAction"));
    back->setShortcut(QKeySequence::Back);
    forward->setShortcut(QKeySequence::Forward);
    // Escape closes the window, as it closes the game's other windows.
    auto* close = new QAction(this);
    close->setShortcut(QKeySequence(Qt::Key_Escape));
    close->setShortcutContext(Qt::WindowShortcut);
    connect(close, &QAction::triggered, this, &QWidget::close);
    addAction(close);
    back->setEnabled(false);
    forward->setEnabled(false);
    connect(back, &QAction::triggered, browser_, &QTextBrowser::backward);
    connect(forward, &QAction::triggered, browser_, &QTextBrowser::forward);
    connect(home, &QAction::triggered, browser_, &QTextBrowser::home);
    connect(browser_, &QTextBrowser::backwardAvailable, back, &QAction::setEnabled);
    connect(browser_, &QTextBrowser::forwardAvailable, forward, &QAction::setEnabled);

    // Contents, index (with its keyword line) and search, one tab each.
    tabs_ = new QTabWidget(this);
    tabs_->setObjectName(QStringLiteral("HelpTabs"));
    QHelpContentWidget* contents = engine_->contentWidget();
    tabs_->insertTab(ContentsTab, contents, QStringLiteral("&Contents"));

    auto* indexPage = new QWidget;
    auto* indexLayout = new QVBoxLayout(indexPage);
    indexLayout->setContentsMargins(4, 4, 4, 4);
    auto* label = new QLabel(QStringLiteral("&Type a keyword:"), indexPage);
    indexFilter_ = new QLineEdit(indexPage);
    indexFilter_->setObjectName(QStringLiteral("IndexFilter"));
    indexFilter_->setClearButtonEnabled(true);
    label->setBuddy(indexFilter_);
    QHelpIndexWidget* index = engine_->indexWidget();
    indexLayout->addWidget(label);
    indexLayout->addWidget(indexFilter_);
    indexLayout->addWidget(index);
    tabs_->insertTab(IndexTab, indexPage, QStringLiteral("&Index"));
    connect(indexFilter_, &QLineEdit::textChanged, index, [index](const QString& text) { index->filterIndices(text); });
    connect(indexFilter_, &QLineEdit::returnPressed, index, &QHelpIndexWidget::activateCurrentItem);

    QHelpSearchEngine* search = engine_->searchEngine();
    auto* searchPage = new QWidget;
    auto* searchLayout = new QVBoxLayout(searchPage);
    searchLayout->setContentsMargins(4, 4, 4, 4);
    searchLayout->addWidget(search->queryWidget());
    searchLayout->addWidget(search->resultWidget());
    tabs_->insertTab(SearchTab, searchPage, QStringLiteral("&Search"));
    connect(search->queryWidget(), &QHelpSearchQueryWidget::search, search,
            [search] { search->search(search->queryWidget()->searchInput()); });
    // The words of the pages are indexed in the background on first use.
    search->reindexDocumentation();

    connect(contents, &QHelpContentWidget::linkActivated, this, &HelpWindow::openLink);
    connect(contents, &QTreeView::clicked, this, [this](const QModelIndex& at) {
        if (const QHelpContentItem* item = engine_->contentModel()->contentItemAt(at)) openLink(item->url());
    });
    // The book open at its chapters; the page shown marked in the contents.
    connect(engine_->contentModel(), &QHelpContentModel::contentsCreated, contents,
            [contents] { contents->expandToDepth(0); });
    contents->expandToDepth(0);
    connect(browser_, &QTextBrowser::sourceChanged, contents, [contents](const QUrl& url) {
        const QModelIndex at = contents->indexOf(url);
        if (at.isValid()) contents->setCurrentIndex(at);
    });
    connect(index, &QHelpIndexWidget::documentActivated, this,
            [this](const QHelpLink& link, const QString&) { openLink(link.url); });
    connect(index, &QHelpIndexWidget::documentsActivated, this, [this](const QList<QHelpLink>& links, const QString&) {
        if (!links.isEmpty()) openLink(links.first().url);
    });
    connect(search->resultWidget(), &QHelpSearchResultWidget::requestShowLink, this, &HelpWindow::openLink);

    auto* split = new QSplitter(this);
    split->addWidget(tabs_);
    split->addWidget(browser_);
    split->setStretchFactor(1, 1);
    split->setSizes({260, 640});

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(bar);
    layout->addWidget(split);

    // The pages' common style sheet, given to the browser once: Qt's rich
    // text applies a document's default style sheet to every page it shows.
    browser_->document()->setDefaultStyleSheet(
        QString::fromUtf8(engine_->fileData(QUrl(HomePage).resolved(QUrl(QStringLiteral("style.css"))))));
    browser_->setSource(QUrl(HomePage));
}

void HelpWindow::openLink(const QUrl& url) {
    browser_->setSource(url);
    browser_->setFocus();
}
