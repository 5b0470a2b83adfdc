#include "TVlqGameAboutForm.h"

#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

#include "platform/Artwork.h"

namespace {
TVlqGameAboutForm* g_instance = nullptr;
constexpr QSize LogoSize(240, 96); // the size of images/about.svg

QLabel* centredLabel(QWidget* parent, const char* text, int pointSize, bool bold) {
    auto* label = new QLabel(QString::fromLatin1(text), parent);
    label->setAlignment(Qt::AlignCenter);
    QFont f = label->font();
    if (pointSize > 0) f.setPointSize(pointSize);
    f.setBold(bold);
    label->setFont(f);
    return label;
}
} // namespace

TVlqGameAboutForm::TVlqGameAboutForm(QWidget* parent)
    : QDialog(parent, Qt::Tool | Qt::WindowStaysOnTopHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint) {
    setObjectName(QStringLiteral("VlqGameAboutForm"));
    setWindowTitle(QStringLiteral("About Vorlaquince Game Edition"));
    setModal(true);

    Logo = new QLabel(this);
    Logo->setObjectName(QStringLiteral("Logo"));
    Logo->setPixmap(vlq::artwork(QStringLiteral("images/about"), LogoSize));
    Logo->setFixedSize(LogoSize);
    TMLabel = centredLabel(this, "TM", 6, false);
    TMLabel->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    GameLabel = centredLabel(this, "G   A   M   E", 12, true);
    EditionLabel = centredLabel(this, "E   D   I   T   I   O   N", 12, true);
    TagLine = centredLabel(this, "Acrostic puzzles for Windows", 0, false);
    VersionLabel = centredLabel(this, "Version 6.0   (Build 6.0.3)", 0, false);
    OKBtn = new QPushButton(QStringLiteral("OK"), this);
    OKBtn->setDefault(true);
    connect(OKBtn, &QPushButton::clicked, this, &QDialog::accept);

    auto* logoRow = new QHBoxLayout;
    logoRow->addStretch();
    logoRow->addWidget(Logo);
    logoRow->addWidget(TMLabel, 0, Qt::AlignTop);
    logoRow->addStretch();
    auto* buttonRow = new QHBoxLayout;
    buttonRow->addStretch();
    buttonRow->addWidget(OKBtn);
    buttonRow->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(logoRow);
    layout->addWidget(GameLabel);
    layout->addWidget(EditionLabel);
    layout->addSpacing(8);
    layout->addWidget(TagLine);
    layout->addWidget(VersionLabel);
    layout->addSpacing(8);
    layout->addLayout(buttonRow);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    g_instance = this;
}

TVlqGameAboutForm::~TVlqGameAboutForm() {
    if (g_instance == this) g_instance = nullptr;
}

TVlqGameAboutForm* TVlqGameAboutForm::instance() { return g_instance; }

int TVlqGameAboutForm::ShowModal() {
    adjustSize();
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        QRect r = frameGeometry();
        r.moveCenter(screen->availableGeometry().center());
        move(r.topLeft());
    }
    OKBtn->setFocus();
    return exec();
}
