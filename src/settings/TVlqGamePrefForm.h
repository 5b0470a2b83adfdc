// The Preferences dialog: colours, fonts, sounds, cursors, the answer-window
// highlight, the arrangement option and the reference tool paths. The
// controls hold copies; every showing reloads them from the settings store,
// Save writes them all back and Cancel simply closes, so nothing edited
// survives a Cancel. One instance is made at start-up and reused.
#pragma once
#include <QColor>
#include <QDialog>
#include <QFont>
#include <functional>
#include <optional>

class QCheckBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QTabWidget;
class SolvingAidsPage;

class TVlqGamePrefForm : public QDialog {
    Q_OBJECT
public:
    // Registers itself as the one dialog (instance()); parent owns it.
    explicit TVlqGamePrefForm(QWidget* parent = nullptr);
    ~TVlqGamePrefForm() override;

    // The dialog made at start-up; null before it and after it is gone.
    static TVlqGamePrefForm* instance();

    // A font together with its colour, as the font chooser edits them.
    struct FontChoice {
        QFont font;
        QColor colour;
    };
    // Test seams. The font chooser returns the confirmed choice or nullopt
    // for Cancel; the file chooser returns the picked path or an empty text
    // for Cancel. An empty function restores the real dialog.
    using FontChooser = std::function<std::optional<FontChoice>(QWidget* parent, const FontChoice& current)>;
    using FileChooser = std::function<QString(QWidget* parent, const QString& title, const QString& filter)>;
    static void SetFontChooser(FontChooser chooser);
    static void SetFileChooser(FileChooser chooser);

    // The 16 palette colours, row by row (black ... white).
    static QColor paletteColour(int index);
    // FontStyle number of f: 1 bold, 2 italic, 4 underline, 8 strike-out.
    static int styleNumber(const QFont& f);

    // Pages, in tab order.
    enum Page { GeneralPage, ViewPage, ToolsPage, FontsPage, AidsPage };

    QTabWidget* Pages = nullptr;
    QLabel* ScrImg = nullptr;
    QCheckBox* SoundChk = nullptr;
    QCheckBox* SpeechChk = nullptr;
    QCheckBox* CursorsChk = nullptr;
    QCheckBox* SolveChk = nullptr;
    QCheckBox* SaveAllChk = nullptr;
    QWidget* GridPad = nullptr;    // grid preview, 169 x 169
    // 16-colour palette, 4 x 4 cells of 24 pixels: a press selects the cell
    // under the mouse, dragging moves the selection, the release picks it.
    QWidget* ColorGrid1 = nullptr;
    QLabel* BlankSwatch = nullptr;  // legend: the letter-square colour
    QLabel* FilledSwatch = nullptr; // legend: the filled-square colour
    QPushButton* FontBtn = nullptr;
    // With the solving aids on: black and white squares and bold black
    // letters in the grid and the clue list (HighContrast.cpp).
    QPushButton* HighContrastBtn = nullptr;
    // With the solving aids on: dark squares and panes, light letters.
    QPushButton* DarkBtn = nullptr;
    QLineEdit* DictEdit = nullptr;
    QPushButton* DictBtn = nullptr;
    QLineEdit* ThesEdit = nullptr;
    QPushButton* ThesBtn = nullptr;
    QListWidget* SolveList = nullptr;
    QPushButton* SolveFontBtn = nullptr;
    SolvingAidsPage* Aids = nullptr; // the solving aids' page
    QPushButton* DefaultsBtn = nullptr;
    QPushButton* CancelBtn = nullptr;
    QPushButton* SaveBtn = nullptr;

    // The values being edited (written only by Save).
    QColor filledColour{Qt::black}; // FilledSqColor
    QColor blankColour{Qt::white};  // BlankSqColor
    FontChoice gridFont() const;    // FontName/Size/Style/Color, shown by GridPad
    FontChoice solveFont() const;   // SolveFont..., shown by SolveList

    // Reloads every control from the store (done on every showing). A
    // malformed stored value is reported and its default shown instead.
    void LoadControls();

public slots:
    void SoundChkClick();
    void SpeechChkClick();
    void FontBtnClick();
    void SolveFontBtnClick();
    void ColorGrid1Released(Qt::MouseButton button);
    void DictBtnClick();
    void ThesBtnClick();
    void DefaultsBtnClick();
    void HighContrastBtnClick();
    void DarkBtnClick();
    // Writes every value, then closes with result Accepted.
    void SaveBtnClick();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void buildGeneralPage();
    void buildViewPage();
    void buildToolsPage();
    void buildFontsPage();
    void nameControls(); // accessible names where no caption names a control (PrefNames.cpp)
    void setGridFont(const FontChoice& f);
    void setSolveFont(const FontChoice& f);
    void showSwatches();
    QString browse(const QString& title, const QString& filter);

    QColor solveColour_{Qt::black};
    int paletteIndex_ = 0; // palette cell selected last
    friend class PrefGridPreview;
    friend class PrefColourPalette;
};
