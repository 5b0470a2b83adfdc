// The About box: the product logo with its "TM" mark, the edition words,
// the tag line and the version, and an OK button. A small always-on-top
// tool window, shown modally and centred on the screen.
#pragma once
#include <QDialog>

class QLabel;
class QPushButton;

class TVlqGameAboutForm : public QDialog {
    Q_OBJECT
public:
    // Registers itself as the program's about box (instance()) for its
    // lifetime.
    explicit TVlqGameAboutForm(QWidget* parent = nullptr);
    ~TVlqGameAboutForm() override;
    static TVlqGameAboutForm* instance();

    // Centres the box on the screen and shows it modally; returns when OK
    // (or Escape, or the close button) closes it.
    int ShowModal();

    QLabel* Logo = nullptr;
    QLabel* TMLabel = nullptr;
    QLabel* GameLabel = nullptr;
    QLabel* EditionLabel = nullptr;
    QLabel* TagLine = nullptr;
    QLabel* VersionLabel = nullptr;
    QPushButton* OKBtn = nullptr;
};
