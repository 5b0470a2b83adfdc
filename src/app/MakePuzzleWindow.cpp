#include "app/MakePuzzleWindow.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QSpinBox>
#include <QStyledItemDelegate>
#include <QTableWidget>
#include <QTextDocumentFragment>
#include <QTimer>
#include <QVBoxLayout>

#include <functional>

#include "app/MakerWorker.h"
#include "app/TVlqGameMainForm.h"
#include "app/VlqApplication.h"
#include "core/FileAccess.h"
#include "core/PuzzleRules.h"
#include "core/PuzzleSource.h"
#include "core/VlqError.h"
#include "game/GameContext.h"
#include "game/SettingsTable.h"
#include "game/TVlqProcs.h"
#include "services/PuzzleFolder.h"
#include "services/PuzzleImport.h"
#include "views/DocumentWindow.h"

namespace {

constexpr double kSearchSeconds = 10.0; // the longest one Make runs
constexpr int kProgressTickMs = 100;
constexpr std::size_t kMaxDraftFile = 1u << 20;
const QColor kTrouble(200, 0, 0);
const QColor kToWrite(255, 236, 170); // a clue still to be written

QString fromUtf8(const std::string& s) { return QString::fromStdString(s); }
std::string utf8(const QString& s) { return s.toStdString(); }

// The answer column's editor: an answer is typed, or chosen from the other
// words that fit (asked for when the editor opens).
class AnswerDelegate : public QStyledItemDelegate {
public:
    AnswerDelegate(std::function<QStringList(int)> words, QObject* parent)
        : QStyledItemDelegate(parent), words_(std::move(words)) {}

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem&, const QModelIndex& index) const override {
        auto* box = new QComboBox(parent);
        box->setObjectName(QStringLiteral("otherWordsBox"));
        box->setAccessibleName(QStringLiteral("Answer %1, or another word").arg(index.row() + 1));
        box->setEditable(true);
        box->setInsertPolicy(QComboBox::NoInsert);
        box->addItems(words_(index.row()));
        // A word chosen from the list is taken at once.
        connect(box, &QComboBox::activated, this, [this, box] {
            auto* self = const_cast<AnswerDelegate*>(this);
            emit self->commitData(box);
            emit self->closeEditor(box);
        });
        return box;
    }
    void setEditorData(QWidget* editor, const QModelIndex& index) const override {
        static_cast<QComboBox*>(editor)->setEditText(index.data(Qt::EditRole).toString());
    }
    void setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const override {
        model->setData(index, static_cast<QComboBox*>(editor)->currentText().trimmed(), Qt::EditRole);
    }

private:
    std::function<QStringList(int)> words_;
};

QPushButton* button(QWidget* parent, const char* name, const QString& caption) {
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setAccessibleName(QString(caption).remove(QLatin1Char('&')).remove(QStringLiteral("...")));
    return b;
}

} // namespace

MakePuzzleWindow::MakePuzzleWindow(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("MakePuzzleWindow"));
    setWindowTitle(QStringLiteral("Make a Puzzle"));
    setAccessibleName(QStringLiteral("Make a Puzzle"));
    worker_ = new MakerWorker(this);
    progressTimer_ = new QTimer(this);
    progressTimer_->setInterval(kProgressTickMs);
    buildControls();
    connect(worker_, &MakerWorker::finished, this, [this](const vlq::MakeResult& made) { guarded([&] { madeSet(made); }); });
    connect(worker_, &MakerWorker::failed, this, [this](const QString& why) {
        setMaking(false);
        setStatus(QStringLiteral("The word data cannot be read: %1").arg(why), true);
    });
    connect(progressTimer_, &QTimer::timeout, this,
            [this] { progressBar->setValue(int(worker_->progress() * progressBar->maximum())); });
    draft_.seed = 1;
    inputChanged();
    setMaking(false);
    draftChanged(); // nothing saved yet: nothing to solve
}

MakePuzzleWindow::~MakePuzzleWindow() = default;

void MakePuzzleWindow::buildControls() {
    auto* layout = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    layout->addLayout(form);

    // A named box with its label, whose Alt+letter gives it the focus.
    const auto field = [&](QWidget* box, const char* name, const QString& caption) {
        box->setObjectName(QString::fromLatin1(name));
        box->setAccessibleName(QString(caption).remove(QLatin1Char('&')).remove(QLatin1Char(':')));
        auto* label = new QLabel(caption, this);
        label->setBuddy(box);
        form->addRow(label, box);
    };
    quotationBox = new QPlainTextEdit(this);
    quotationBox->setTabChangesFocus(true); // Tab moves on: a quotation holds no tabs
    quotationBox->setFixedHeight(quotationBox->fontMetrics().lineSpacing() * 5 + 12);
    field(quotationBox, "quotationBox", QStringLiteral("&Quotation:"));
    authorBox = new QLineEdit(this);
    field(authorBox, "authorBox", QStringLiteral("&Author:"));
    titleBox = new QLineEdit(this);
    field(titleBox, "titleBox", QStringLiteral("&Title:"));

    figuresLabel = new QLabel(this);
    figuresLabel->setObjectName(QStringLiteral("figuresLabel"));
    figuresLabel->setWordWrap(true);
    figuresLabel->setTextFormat(Qt::RichText);
    figuresLabel->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Maximum);
    form->addRow(QString(), figuresLabel);

    auto* makeRow = new QHBoxLayout;
    layout->addLayout(makeRow);
    auto* seedLabel = new QLabel(QStringLiteral("S&eed:"), this);
    seedBox = new QSpinBox(this);
    seedBox->setObjectName(QStringLiteral("seedBox"));
    seedBox->setAccessibleName(QStringLiteral("Seed"));
    seedBox->setRange(1, 999999999);
    seedLabel->setBuddy(seedBox);
    makeButton = button(this, "makeButton", QStringLiteral("&Make"));
    makeAgainButton = button(this, "makeAgainButton", QStringLiteral("Make A&gain"));
    cancelButton = button(this, "cancelButton", QStringLiteral("Cance&l"));
    progressBar = new QProgressBar(this);
    progressBar->setObjectName(QStringLiteral("progressBar"));
    progressBar->setAccessibleName(QStringLiteral("Search progress"));
    progressBar->setRange(0, 1000);
    progressBar->setTextVisible(false);
    for (QWidget* w : {static_cast<QWidget*>(seedLabel), static_cast<QWidget*>(seedBox),
                       static_cast<QWidget*>(makeButton), static_cast<QWidget*>(makeAgainButton),
                       static_cast<QWidget*>(cancelButton)})
        makeRow->addWidget(w);
    makeRow->addWidget(progressBar, 1);

    auto* tableLabel = new QLabel(QStringLiteral("Ans&wers:"), this);
    layout->addWidget(tableLabel);
    answerTable = new QTableWidget(0, ColumnCount, this);
    answerTable->setObjectName(QStringLiteral("answerTable"));
    answerTable->setAccessibleName(QStringLiteral("Answers"));
    answerTable->setHorizontalHeaderLabels(
        {QStringLiteral("Letter"), QStringLiteral("Answer"), QStringLiteral("Length"), QStringLiteral("Clue"),
         QStringLiteral("Lock")});
    for (int c : {LetterColumn, LengthColumn, LockColumn})
        answerTable->horizontalHeader()->setSectionResizeMode(c, QHeaderView::ResizeToContents);
    answerTable->horizontalHeader()->setSectionResizeMode(ClueColumn, QHeaderView::Stretch);
    answerTable->setColumnWidth(AnswerColumn, 160);
    answerTable->setTabKeyNavigation(false); // Tab leaves the table; arrows move in it
    answerTable->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                                 QAbstractItemView::AnyKeyPressed);
    answerTable->setItemDelegateForColumn(
        AnswerColumn, new AnswerDelegate(
                          [this](int row) {
                              QStringList words;
                              if (const auto lexicon = worker_->lexicon())
                                  for (const std::string& w : draft_.otherWords(*lexicon, std::size_t(row)))
                                      words << fromUtf8(w);
                              return words;
                          },
                          this));
    tableLabel->setBuddy(answerTable);
    layout->addWidget(answerTable, 1);

    poolLabel = new QLabel(this);
    poolLabel->setObjectName(QStringLiteral("poolLabel"));
    poolLabel->setAccessibleName(QStringLiteral("Letters left"));
    poolLabel->setTextFormat(Qt::RichText);
    poolLabel->setWordWrap(true);
    layout->addWidget(poolLabel);
    statusLabel = new QLabel(this);
    statusLabel->setObjectName(QStringLiteral("statusLabel"));
    statusLabel->setWordWrap(true);
    layout->addWidget(statusLabel);

    auto* saveRow = new QHBoxLayout;
    layout->addLayout(saveRow);
    savePuzzleButton = button(this, "savePuzzleButton", QStringLiteral("&Save Puzzle"));
    solveItButton = button(this, "solveItButton", QStringLiteral("Solve &It"));
    saveDraftButton = button(this, "saveDraftButton", QStringLiteral("Save &Draft"));
    openDraftButton = button(this, "openDraftButton", QStringLiteral("&Open Draft..."));
    auto* closeButton = button(this, "closeButton", QStringLiteral("Close"));
    for (QPushButton* b : {savePuzzleButton, solveItButton, saveDraftButton, openDraftButton}) saveRow->addWidget(b);
    saveRow->addStretch(1);
    saveRow->addWidget(closeButton);

    connect(quotationBox, &QPlainTextEdit::textChanged, this, [this] { guarded([this] { inputChanged(); }); });
    connect(authorBox, &QLineEdit::textChanged, this, [this] { guarded([this] { inputChanged(); }); });
    connect(titleBox, &QLineEdit::textChanged, this, [this] { guarded([this] { inputChanged(); }); });
    connect(seedBox, &QSpinBox::valueChanged, this, [this](int v) { draft_.seed = std::uint32_t(v); });
    connect(makeButton, &QPushButton::clicked, this, [this] { guarded([this] { make(); }); });
    connect(makeAgainButton, &QPushButton::clicked, this, [this] { guarded([this] { makeAgain(); }); });
    connect(cancelButton, &QPushButton::clicked, this, [this] { cancelMaking(); });
    connect(answerTable, &QTableWidget::itemChanged, this,
            [this](QTableWidgetItem* item) { guarded([this, item] { cellChanged(item); }); });
    connect(savePuzzleButton, &QPushButton::clicked, this, [this] { guarded([this] { savePuzzle(); }); });
    connect(solveItButton, &QPushButton::clicked, this, [this] { guarded([this] { solveIt(); }); });
    connect(saveDraftButton, &QPushButton::clicked, this, [this] { guarded([this] { saveDraft(); }); });
    connect(openDraftButton, &QPushButton::clicked, this, [this] { guarded([this] { openDraft(); }); });
    connect(closeButton, &QPushButton::clicked, this, &QWidget::close);
}

// --- the draft shown ---------------------------------------------------------

void MakePuzzleWindow::inputChanged() {
    if (filling_) return;
    draft_.quotation = utf8(quotationBox->toPlainText());
    draft_.author = utf8(authorBox->text());
    draft_.title = utf8(titleBox->text());
    draft_.fitAnswers();
    showFigures();
    showDraft();
}

void MakePuzzleWindow::showFigures() {
    const vlq::DraftFigures f = draft_.figures();
    QString text = QStringLiteral("%1 letters in the quotation; the author and title need %2 answers")
                       .arg(f.quotationLetters)
                       .arg(f.answers);
    if (f.answers > 0) text += QStringLiteral(" (%1)").arg(fromUtf8(draft_.spelled()));
    if (f.answers > 0) text += QStringLiteral(", %1 letters long on average").arg(f.averageLength, 0, 'f', 1);
    text = text.toHtmlEscaped() + QLatin1Char('.');
    if (!f.lacking.empty())
        text += QStringLiteral(" <span style=\"color:%1\">%2</span>")
                    .arg(kTrouble.name(), fromUtf8(f.lacking).toHtmlEscaped());
    figuresLabel->setText(text);
    figuresLabel->setAccessibleName(QTextDocumentFragment::fromHtml(text).toPlainText());
}

void MakePuzzleWindow::showDraft() {
    filling_ = true;
    const int rows = int(draft_.answers().size());
    answerTable->setRowCount(rows);
    QStringList labels;
    for (int k = 0; k < rows; ++k) labels << fromUtf8(vlq::clueLabel(k + 1));
    answerTable->setVerticalHeaderLabels(labels);
    filling_ = false;
    for (int k = 0; k < rows; ++k) showRow(k);
    showPool();
}

void MakePuzzleWindow::showRow(int k) {
    filling_ = true;
    const vlq::DraftAnswer& a = draft_.answers()[std::size_t(k)];
    const std::string spelled = draft_.spelled();
    auto cell = [&](int column) {
        QTableWidgetItem* item = answerTable->item(k, column);
        if (!item) {
            item = new QTableWidgetItem;
            answerTable->setItem(k, column, item);
        }
        return item;
    };
    QTableWidgetItem* letter = cell(LetterColumn);
    letter->setText(QString(QChar(spelled[std::size_t(k)])));
    letter->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);

    QTableWidgetItem* answer = cell(AnswerColumn);
    answer->setText(fromUtf8(a.answer));
    const bool wrongStart = !a.answer.empty() && !draft_.startsRight(std::size_t(k));
    answer->setForeground(wrongStart ? QBrush(kTrouble) : QBrush());
    answer->setToolTip(wrongStart ? QStringLiteral("Must start with %1").arg(QChar(spelled[std::size_t(k)]))
                                  : QStringLiteral("Type an answer or choose another word"));

    QTableWidgetItem* length = cell(LengthColumn);
    length->setText(a.answer.empty() ? QString() : QString::number(vlq::lettersOf(a.answer).size()));
    length->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);

    QTableWidgetItem* clue = cell(ClueColumn);
    clue->setText(fromUtf8(a.clue));
    const bool toWrite = !a.answer.empty() && draft_.needsWriting(std::size_t(k));
    clue->setBackground(toWrite ? QBrush(kToWrite) : QBrush());
    QFont font = answerTable->font();
    font.setItalic(a.draft);
    clue->setFont(font);
    QString tip = toWrite ? QStringLiteral("Write this clue") : a.draft ? QStringLiteral("A draft: rewrite it") : QString();
    for (std::size_t n = 1; n < a.senses.size(); ++n) tip += QStringLiteral("\nor: ") + fromUtf8(a.senses[n]);
    clue->setToolTip(tip.trimmed());

    QTableWidgetItem* lock = cell(LockColumn);
    lock->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
    lock->setCheckState(a.locked ? Qt::Checked : Qt::Unchecked);
    lock->setText(a.locked ? QStringLiteral("locked") : QString());
    filling_ = false;
}

void MakePuzzleWindow::showPool() {
    QStringList parts;
    QString plain;
    for (const vlq::PoolLetter& p : draft_.pool()) {
        const QString entry = QStringLiteral("%1 %2").arg(QChar(p.letter)).arg(p.count);
        parts << (p.count < 0 ? QStringLiteral("<span style=\"color:%1\"><b>%2</b></span>").arg(kTrouble.name(), entry)
                              : entry);
        plain += entry + QLatin1Char(' ');
    }
    const bool complete = draft_.complete();
    QString text = QStringLiteral("Letters left: ") +
                   (parts.isEmpty() ? QStringLiteral("none") : parts.join(QStringLiteral("&nbsp;&nbsp; ")));
    text += complete ? QStringLiteral(" &mdash; the set is complete.") : QString();
    poolLabel->setText(text);
    poolLabel->setAccessibleDescription(QTextDocumentFragment::fromHtml(text).toPlainText());
    savePuzzleButton->setEnabled(complete && !worker_->busy());
}

void MakePuzzleWindow::draftChanged() {
    // A saved puzzle is no longer what the table shows.
    saved_.clear();
    solveItButton->setEnabled(false);
}

void MakePuzzleWindow::cellChanged(QTableWidgetItem* item) {
    if (filling_) return;
    const int k = item->row();
    const std::size_t at = std::size_t(k);
    if (at >= draft_.answers().size()) return;
    switch (item->column()) {
    case AnswerColumn: {
        const std::string written = utf8(item->text().trimmed());
        if (written == draft_.answers()[at].answer) return;
        const bool drafted = draft_.answers()[at].draft || draft_.answers()[at].clue.empty();
        draft_.setAnswer(at, written);
        // A word the maker knows comes with its draft clue.
        if (drafted)
            if (const auto lexicon = worker_->lexicon()) draft_.draftClueFor(*lexicon, at);
        break;
    }
    case ClueColumn:
        draft_.setClue(at, utf8(item->text().trimmed()));
        break;
    case LockColumn:
        draft_.setLocked(at, item->checkState() == Qt::Checked);
        break;
    default:
        return;
    }
    draftChanged();
    showRow(k);
    showPool();
}

void MakePuzzleWindow::setStatus(const QString& text, bool trouble) {
    statusLabel->setText(text);
    QPalette p = statusLabel->palette();
    p.setColor(QPalette::WindowText, trouble ? kTrouble : palette().color(QPalette::WindowText));
    statusLabel->setPalette(p);
}

// --- making ------------------------------------------------------------------

void MakePuzzleWindow::setMaking(bool making) {
    makeButton->setEnabled(!making);
    makeAgainButton->setEnabled(!making);
    cancelButton->setEnabled(making);
    answerTable->setEnabled(!making);
    // The set being made is for the text as it was when Make was pressed.
    quotationBox->setReadOnly(making);
    authorBox->setReadOnly(making);
    titleBox->setReadOnly(making);
    openDraftButton->setEnabled(!making);
    progressBar->setValue(0);
    if (making)
        progressTimer_->start();
    else
        progressTimer_->stop();
    savePuzzleButton->setEnabled(!making && draft_.complete());
}

void MakePuzzleWindow::make() {
    if (worker_->busy()) return;
    std::vector<std::string> refusals;
    const auto request = draft_.makeRequest(refusals);
    if (!request) {
        QStringList why;
        for (const std::string& r : refusals) why << fromUtf8(r);
        setStatus(QStringLiteral("Cannot make this puzzle: %1.").arg(why.join(QStringLiteral("; "))), true);
        return;
    }
    vlq::MakeOptions options;
    options.seed = draft_.seed;
    options.seconds = kSearchSeconds;
    setMaking(true);
    setStatus(worker_->lexicon() ? QStringLiteral("Making the answers...")
                                 : QStringLiteral("Reading the word data, then making the answers..."));
    worker_->start(*request, utf8(titleBox->text().trimmed()), options);
}

void MakePuzzleWindow::makeAgain() {
    if (worker_->busy()) return;
    seedBox->setValue(seedBox->value() < seedBox->maximum() ? seedBox->value() + 1 : 1);
    make();
}

void MakePuzzleWindow::cancelMaking() {
    if (!worker_->busy()) return;
    worker_->cancel();
    setMaking(false);
    setStatus(QStringLiteral("Making was cancelled."));
}

void MakePuzzleWindow::madeSet(const vlq::MakeResult& made) {
    setMaking(false);
    if (made.answers.empty()) {
        QStringList why;
        for (const auto& p : made.problems) why << fromUtf8(p.what);
        setStatus(QStringLiteral("Cannot make this puzzle: %1.").arg(why.join(QStringLiteral("; "))), true);
        return;
    }
    draft_.takeMade(made);
    draftChanged();
    showDraft();
    if (made.complete)
        setStatus(QStringLiteral("A set was made (seed %1). Rewrite the draft clues in italics, lock the answers "
                                 "to keep, and Make again for the others.")
                      .arg(draft_.seed));
    else
        setStatus(QStringLiteral("No complete set was found in %1 seconds; the letters left are in the pool. Lock "
                                 "the answers to keep and Make again, or type answers that use the letters left.")
                      .arg(kSearchSeconds),
                  true);
}

// --- saving ------------------------------------------------------------------

bool MakePuzzleWindow::savePuzzle() {
    QStringList toWrite;
    for (std::size_t k = 0; k < draft_.answers().size(); ++k)
        if (draft_.needsWriting(k)) toWrite << fromUtf8(vlq::clueLabel(int(k) + 1));
    if (!toWrite.isEmpty()) {
        const bool one = toWrite.size() == 1;
        const QString question =
            one ? QStringLiteral("Clue %1 is still to be written. Save the puzzle with it as it is?")
                : QStringLiteral("Clues %1 are still to be written. Save the puzzle with them as they are?");
        QMessageBox ask(QMessageBox::Question, windowTitle(), question.arg(toWrite.join(QStringLiteral(", "))),
                        QMessageBox::Save | QMessageBox::Cancel, this);
        ask.setObjectName(QStringLiteral("cluesToWriteBox"));
        ask.setDefaultButton(QMessageBox::Save);
        if (ask.exec() != QMessageBox::Save) return false;
    }
    const vlq::BuiltDraft built = draft_.build();
    if (!built.record) {
        QStringList why;
        for (const std::string& p : built.problems) why << fromUtf8(p);
        setStatus(QStringLiteral("The puzzle cannot be saved: %1.").arg(why.join(QStringLiteral("; "))), true);
        return false;
    }
    const QString title = titleBox->text().trimmed().isEmpty() ? authorBox->text() : titleBox->text();
    const ImportedPuzzle placed = placeNewPuzzle(*built.record, puzzleFileName(title, QStringLiteral("Puzzle")));
    if (placed.path.isEmpty()) {
        setStatus(placed.error, true);
        return false;
    }
    saved_ = placed.path;
    solveItButton->setEnabled(true);
    setStatus(QStringLiteral("Saved as %1 in the puzzle folder. Solve It opens it.").arg(QFileInfo(saved_).fileName()));
    return true;
}

void MakePuzzleWindow::solveIt() {
    TVlqGameMainForm* main = game().mainForm;
    if (saved_.isEmpty() || !main) return;
    const QString path = saved_;
    if (!main->OpenPuzzleFile(path)) return;
    main->raise();
    main->activateWindow();
}

bool MakePuzzleWindow::saveDraftTo(const QString& path) {
    const vlq::WriteResult written = vlq::writeFileSafely(QFile::encodeName(path).toStdString(), draft_.sourceText());
    if (!written.ok()) {
        setStatus(QStringLiteral("%1 cannot be written: %2").arg(path, fromUtf8(written.text)), true);
        return false;
    }
    setStatus(QStringLiteral("Draft saved as %1.").arg(QFileInfo(path).fileName()));
    return true;
}

bool MakePuzzleWindow::openDraftFrom(const QString& path) {
    const vlq::FileContents file = vlq::readRegularFile(QFile::encodeName(path).toStdString(), kMaxDraftFile);
    if (file.fault != vlq::ReadFault::None || file.longer) {
        setStatus(QStringLiteral("%1 cannot be read: %2")
                      .arg(path, file.longer ? QStringLiteral("larger than a draft")
                                             : fromUtf8(vlq::readFaultText(file.fault))),
                  true);
        return false;
    }
    std::vector<vlq::SourceProblem> problems;
    vlq::MakerDraft opened =
        vlq::MakerDraft::fromSourceText(file.data, utf8(QFileInfo(path).completeBaseName()), problems);
    opened.seed = draft_.seed;
    draft_ = opened;
    filling_ = true;
    quotationBox->setPlainText(fromUtf8(draft_.quotation));
    authorBox->setText(fromUtf8(draft_.author));
    titleBox->setText(fromUtf8(draft_.title));
    filling_ = false;
    draftChanged();
    showFigures();
    showDraft();
    if (problems.empty()) {
        setStatus(QStringLiteral("Opened %1.").arg(QFileInfo(path).fileName()));
    } else {
        QStringList why;
        for (const auto& p : problems)
            why << (p.line > 0 ? QStringLiteral("line %1: ").arg(p.line) : QString()) + fromUtf8(p.what);
        setStatus(QStringLiteral("Opened %1 with problems: %2").arg(QFileInfo(path).fileName(), why.join(QStringLiteral("; "))),
                  true);
    }
    return true;
}

void MakePuzzleWindow::saveDraft() {
    const QString name = puzzleFileName(titleBox->text().trimmed().isEmpty() ? authorBox->text() : titleBox->text(),
                                        QStringLiteral("Draft"));
    const QString path = QFileDialog::getSaveFileName(this, QStringLiteral("Save Draft"),
                                                      QDir(puzzleFolderPath()).filePath(name + QStringLiteral(".txt")),
                                                      QStringLiteral("Puzzle sources (*.txt)"));
    if (!path.isEmpty()) saveDraftTo(path);
}

void MakePuzzleWindow::openDraft() {
    const QString path = QFileDialog::getOpenFileName(this, QStringLiteral("Open Draft"), puzzleFolderPath(),
                                                      QStringLiteral("Puzzle sources (*.txt);;All files (*)"));
    if (!path.isEmpty()) openDraftFrom(path);
}

// --- place -------------------------------------------------------------------

void MakePuzzleWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    worker_->preload();
    if (placed_) return;
    placed_ = true;
    quotationBox->setFocus();
    const QScreen* screen = QGuiApplication::primaryScreen();
    const QRect avail = screen ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
    std::optional<vlq::Bounds> b;
    try {
        b = TVlqProcs::ReadSetting(VlqSetting::ScreenBoundsMaker);
    } catch (const vlq::SettingsError&) {
        // Malformed bounds: placed as the first time.
    }
    if (b) {
        const QRect r = vlq::keptInView(QRect(vlq::storedTopLeft(*b), vlq::storedSize(*b)), avail);
        move(r.topLeft());
        resize(r.size());
        return;
    }
    resize(std::min(900, avail.width() - 40), std::min(680, avail.height() - 60));
    move(avail.x() + (avail.width() - width()) / 2, avail.y() + (avail.height() - height()) / 2);
}

void MakePuzzleWindow::hideEvent(QHideEvent* event) {
    QWidget::hideEvent(event);
    cancelMaking();
    guarded([this] { TVlqProcs::WriteBounds(VlqSetting::ScreenBoundsMaker, x(), y(), width(), height()); });
}
