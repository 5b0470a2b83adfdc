// Scoring: the verdict on the grid, the score card's set-up, and what each
// of its buttons does to the puzzle, its file and the main window.
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QMdiArea>
#include <QPushButton>
#include <QStandardPaths>
#include <QtTest>

#include "app/GameContext.h"
#include "app/TScoreForm.h"
#include "app/TVlqProcs.h"
#include "core/PuzzleRules.h"
#include "platform/Trash.h"
#include "services/TSoundFX.h"
#include "support/PuzzleFixture.h"
#include "support/ScreenProbe.h"
#include "views/TVlqGameGridForm.h"

namespace {

// 6 x 4 with an apostrophe and a hyphen; every letter belongs to a clue.
const std::vector<std::string> kRows = {"IT'S#A", "WELL-K", "NOWN#T", "RUTH##"};
const std::vector<fixture::ClueSpec> kClues = {
    {"First", "ITS"}, {"Second", "AWE"}, {"Third", "LLKN"}, {"Fourth", "OWNT"}, {"Fifth", "RUTH"}};

// Entry := Solution on the letter squares only; punctuation stays 0.
void fillAnswers(vlq::PuzzleRecord& rec) {
    for (int r = 1; r <= rec.height(); ++r)
        for (int c = 1; c <= rec.width(); ++c)
            if (!rec.isBlack(c, r) && !rec.isPunctuation(c, r)) rec.setEntry(c, r, rec.solution(c, r));
}

} // namespace

class TestScore : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void cardDesign();
    void cardButtonsCloseWithTheirResult_data();
    void cardButtonsCloseWithTheirResult();
    void correctWithPunctuationFilledByPainting();
    void verdict_data();
    void verdict();
    void verdictSounds_data();
    void verdictSounds();

    void trashLandsInHomeTrash();
    void trashRefusesMissingFile();

private:
    void openGrid();

    QMdiArea* area_ = nullptr;
    TScoreForm* card_ = nullptr;
    TSoundFX* fx_ = nullptr;
    QStringList played_;
};

void TestScore::init() {
    game().reset();
    played_.clear();
    TSoundFX::SetPlayHook([this](const QString& name) { played_ << name; });
    fx_ = new TSoundFX(this);
    game().soundFX = fx_;
    card_ = new TScoreForm;
    game().scoreForm = card_;
    fixture::loadIntoGame(fixture::makePuzzle(kRows, kClues));
}

void TestScore::cleanup() {
    delete area_;
    area_ = nullptr;
    delete card_;
    card_ = nullptr;
    delete fx_;
    fx_ = nullptr;
    TSoundFX::SetPlayHook({});
    game().reset();
}

void TestScore::openGrid() {
    area_ = new QMdiArea;
    area_->resize(800, 600);
    area_->show();
    new TVlqGameGridForm(area_);
    QVERIFY(QTest::qWaitForWindowExposed(area_));
    QVERIFY(game().gridForm);
}

void TestScore::cardDesign() {
    QCOMPARE(card_->windowTitle(), QStringLiteral("Score Card"));
    QCOMPARE(card_->size(), QSize(330, 179));
    const Qt::WindowFlags f = card_->windowFlags();
    QVERIFY(f.testFlag(Qt::WindowStaysOnTopHint));
    QVERIFY(f.testFlag(Qt::WindowCloseButtonHint));
    QVERIFY(!f.testFlag(Qt::WindowMinimizeButtonHint));
    QVERIFY(!f.testFlag(Qt::WindowMaximizeButtonHint));
    QCOMPARE(f & Qt::WindowType_Mask, Qt::Tool);
    QCOMPARE(card_->BannerLbl->font().pixelSize(), 24);
    QCOMPARE(card_->CheatLbl->font().pixelSize(), 11);
    QCOMPARE(card_->CheatLbl->text(), QStringLiteral("(but you cheated)"));
    QVERIFY(card_->CheatLbl->isHidden());
    QVERIFY(!card_->ShowErrsBtn->isEnabled());
    QVERIFY(!card_->DeleteBtn->isEnabled());
    QVERIFY(!card_->PictureImg->pixmap().isNull());
    // The picture sits right of the buttons and inside the card.
    QVERIFY(card_->PictureImg->x() > card_->CancelBtn->geometry().right());
    QVERIFY(QRect(0, 0, 330, 179).contains(card_->PictureImg->geometry()));
    // Cancel is first in tab order: it has the focus when the card opens,
    // and Tab goes on to Show Errors (enabled: the grid is empty).
    QWidget* first = nullptr;
    QWidget* second = nullptr;
    QTimer::singleShot(0, card_, [&] {
        first = card_->focusWidget();
        QTest::keyClick(card_, Qt::Key_Tab);
        second = card_->focusWidget();
        card_->reject();
    });
    card_->ShowModal();
    QCOMPARE(first, card_->CancelBtn);
    QCOMPARE(second, card_->ShowErrsBtn);
}

void TestScore::cardButtonsCloseWithTheirResult_data() {
    QTest::addColumn<QString>("button");
    QTest::addColumn<int>("result");
    QTest::newRow("cancel") << "&Cancel" << int(TScoreForm::Cancel);
    QTest::newRow("show errors") << "Show &Errors" << int(TScoreForm::ShowErrors);
    QTest::newRow("start over") << "&Start Over" << int(TScoreForm::StartOver);
    QTest::newRow("escape") << "" << int(TScoreForm::Cancel);
}

void TestScore::cardButtonsCloseWithTheirResult() {
    QFETCH(QString, button);
    QFETCH(int, result);
    // The empty grid is incorrect, so Show Errors is enabled.
    QTimer::singleShot(0, card_, [button] {
        QWidget* modal = QApplication::activeModalWidget();
        QVERIFY(modal);
        if (button.isEmpty()) {
            QTest::keyClick(modal, Qt::Key_Escape);
            return;
        }
        for (auto* b : modal->findChildren<QPushButton*>())
            if (b->text() == button) QTest::mouseClick(b, Qt::LeftButton);
    });
    QCOMPARE(card_->ShowModal(), result);
    QVERIFY(!card_->isVisible());
}

// Letters right, punctuation squares still 0 in Entry: once the grid has
// painted itself the punctuation is in Entry and the grid scores correct.
void TestScore::correctWithPunctuationFilledByPainting() {
    fillAnswers(game().puzzle);
    QVERIFY(!vlq::isCorrect(game().puzzle));
    openGrid();
    QTRY_COMPARE(game().puzzle.entry(3, 1), std::uint8_t('\''));
    QCOMPARE(game().puzzle.entry(5, 2), std::uint8_t('-'));
    QVERIFY(card_->FormShow());
    QCOMPARE(card_->BannerLbl->text(), QStringLiteral("CONGRATULATIONS!"));
    QCOMPARE(card_->BannerLbl->palette().color(QPalette::WindowText), QColor(0, 0, 128));
    QVERIFY(!card_->ShowErrsBtn->isEnabled());
    QVERIFY(card_->DeleteBtn->isEnabled());
    QVERIFY(card_->CheatLbl->isHidden());
}

void TestScore::verdict_data() {
    QTest::addColumn<int>("wrongCol");    // 0: all right; -1: empty grid
    QTest::addColumn<int>("wrongRow");
    QTest::addColumn<bool>("cheated");
    QTest::addColumn<bool>("correct");
    QTest::newRow("empty grid") << -1 << 0 << false << false;
    QTest::newRow("empty grid, cheated") << -1 << 0 << true << false;
    QTest::newRow("one wrong letter") << 2 << 3 << false << false;
    QTest::newRow("last square empty") << 4 << 4 << true << false;
    QTest::newRow("right") << 0 << 0 << false << true;
    QTest::newRow("right, cheated") << 0 << 0 << true << true;
}

void TestScore::verdict() {
    QFETCH(int, wrongCol);
    QFETCH(int, wrongRow);
    QFETCH(bool, cheated);
    QFETCH(bool, correct);
    openGrid();
    auto& rec = game().puzzle;
    if (wrongCol >= 0) fillAnswers(rec);
    for (int r = 1; r <= rec.height(); ++r)
        for (int c = 1; c <= rec.width(); ++c)
            if (rec.isPunctuation(c, r)) rec.setEntry(c, r, rec.solution(c, r));
    if (wrongCol > 0) rec.setEntry(wrongCol, wrongRow, wrongCol == 4 ? 0 : 'Q');
    game().gridForm->setCheated(cheated);

    // A card left showing the other verdict must be set up afresh.
    card_->CheatLbl->setVisible(!correct);
    QCOMPARE(card_->FormShow(), correct);
    QCOMPARE(card_->BannerLbl->text(),
             correct ? QStringLiteral("CONGRATULATIONS!") : QStringLiteral("PUZZLE INCORRECT!"));
    QCOMPARE(card_->BannerLbl->palette().color(QPalette::WindowText), correct ? QColor(0, 0, 128) : QColor(255, 0, 0));
    QCOMPARE(card_->ShowErrsBtn->isEnabled(), !correct);
    QCOMPARE(card_->DeleteBtn->isEnabled(), correct);
    QCOMPARE(!card_->CheatLbl->isHidden(), correct && cheated);
}

void TestScore::verdictSounds_data() {
    QTest::addColumn<int>("mode");
    QTest::addColumn<bool>("correct");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("silent, right") << 0 << true << QStringList();
    QTest::newRow("silent, wrong") << 0 << false << QStringList();
    QTest::newRow("sounds, right") << 1 << true << QStringList({"WAVE_2"});
    QTest::newRow("sounds, wrong") << 1 << false << QStringList({"WAVE_3"});
    QTest::newRow("speech, right") << 2 << true << QStringList({"WAVE_2"});
    QTest::newRow("speech, wrong") << 2 << false << QStringList({"WAVE_3"});
}

void TestScore::verdictSounds() {
    QFETCH(int, mode);
    QFETCH(bool, correct);
    QFETCH(QStringList, expected);
    game().soundMode = mode;
    openGrid();
    if (correct) {
        fillAnswers(game().puzzle);
        game().puzzle.setEntry(3, 1, '\'');
        game().puzzle.setEntry(5, 2, '-');
    }
    QCOMPARE(card_->FormShow(), correct);
    QCOMPARE(played_, expected);
}

// The scratch data folder does not exist yet: the file must still land in
// $XDG_DATA_HOME/Trash/files with its .trashinfo, never in ./files.
void TestScore::trashLandsInHomeTrash() {
    const QString data = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    QDir(data).removeRecursively();
    QTemporaryDir work;
    QVERIFY(work.isValid());
    QVERIFY(QDir::setCurrent(work.path()));
    const QString path = work.filePath(QStringLiteral("Sunday.vlq"));
    {
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("puzzle");
    }
    QVERIFY(vlq::moveToTrash(path));
    QVERIFY(!QFile::exists(path));
    QVERIFY(!QFile::exists(work.filePath(QStringLiteral("files/Sunday.vlq"))));
    QFile trashed(data + QStringLiteral("/Trash/files/Sunday.vlq"));
    QVERIFY(trashed.open(QIODevice::ReadOnly));
    QCOMPARE(trashed.readAll(), QByteArray("puzzle"));
    QVERIFY(QFile::exists(data + QStringLiteral("/Trash/info/Sunday.vlq.trashinfo")));
    QDir::setCurrent(QDir::homePath());
}

void TestScore::trashRefusesMissingFile() {
    QVERIFY(!vlq::moveToTrash(QString()));
    QVERIFY(!vlq::moveToTrash(QStringLiteral("/nonexistent/folder/x.vlq")));
}

QTEST_MAIN(TestScore)
#include "tst_score.moc"
