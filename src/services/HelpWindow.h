// The game's help window: the compiled help file Vorlaquince6Game.qch shown
// with a table of contents, a keyword index and a full-text search beside a
// page browser. Nothing of it exists until help is first asked for; the
// window then lives as long as its owner (the main window).
#pragma once
#include <QPointer>
#include <QTextBrowser>
#include <QWidget>

class QHelpEngine;
class QLineEdit;
class QTabWidget;

// A text browser that reads qthelp:// pages and their images from the help
// engine. Pictures wider than the pane are shown narrower, in proportion,
// so a page never needs a horizontal scroll bar for them.
class HelpBrowser : public QTextBrowser {
    Q_OBJECT
public:
    HelpBrowser(QHelpEngine* engine, QWidget* parent);
    QVariant loadResource(int type, const QUrl& name) override;

protected:
    void resizeEvent(QResizeEvent* e) override;

private:
    void fitPictures();
    QSizeF pictureSize(const QString& name);

    QHelpEngine* engine_;
};

class HelpWindow : public QWidget {
    Q_OBJECT
public:
    enum Tab { ContentsTab = 0, IndexTab = 1, SearchTab = 2 };
    static constexpr const char* FileName = "Vorlaquince6Game.qch";

    // The help file: the one set with setHelpFile(), else
    // Vorlaquince6Game.qch in the game's data folder; empty when there is
    // none.
    static QString helpFile();
    static void setHelpFile(const QString& path);

    // Shows the help window owned by owner on tab (the index with an empty
    // keyword), creating it on first use. Without a help file that can be
    // read, the error box says so and nothing is created; returns null then.
    static HelpWindow* showHelp(QWidget* owner, Tab tab);
    // The window if it has been created.
    static HelpWindow* instance();
    // Closes the window if it has been created; creates nothing.
    static void closeIfCreated();

    QHelpEngine* engine() const { return engine_; }
    QTabWidget* tabs() const { return tabs_; }
    QLineEdit* indexFilter() const { return indexFilter_; }
    HelpBrowser* browser() const { return browser_; }

private:
    HelpWindow(QHelpEngine* engine, QWidget* owner);
    void openLink(const QUrl& url);

    QHelpEngine* engine_;
    QTabWidget* tabs_ = nullptr;
    QLineEdit* indexFilter_ = nullptr;
    HelpBrowser* browser_ = nullptr;
};
