#include "TVlqGameAboutForm.h"

#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QFontMetrics>
#include <QSysInfo>
#include <QVBoxLayout>

#include "platform/Artwork.h"
#include "platform/TitleBar.h"

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
// The system the game runs on, as its users call it.
QString platformName() {
#if defined(Q_OS_WIN)
    return QStringLiteral("Windows");
#elif defined(Q_OS_MACOS)
    return QStringLiteral("macOS");
#elif defined(Q_OS_LINUX)
    return QStringLiteral("Linux");
#elif defined(Q_OS_FREEBSD)
    return QStringLiteral("FreeBSD");
#else
    return QSysInfo::kernelType();
#endif
}
} // namespace

TVlqGameAboutForm::TVlqGameAboutForm(QWidget* parent)
    : QDialog(parent, Qt::Tool | Qt::WindowStaysOnTopHint) {
    vlq::closeBoxOnly(this);
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
    TagLine = centredLabel(this, "", 0, false);
    TagLine->setText(QStringLiteral("Acrostic puzzles for ") + platformName());
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
    // Wide enough for the whole caption in a bold title font, beside the
    // window icon and the close button.
    QFont caption = font();
    caption.setBold(true);
    GameLabel->setMinimumWidth(QFontMetrics(caption).horizontalAdvance(windowTitle()) + 64);

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
