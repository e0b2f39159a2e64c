#include "AboutBox.h"

#include <QGuiApplication>
#include <QIcon>
#include <QLabel>
#include <QPushButton>
#include <QScreen>

namespace {

constexpr QSize ClientSize(271, 177);
constexpr int LogoSize = 64;

} // namespace

AboutBox::AboutBox(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmAbout"));
    setWindowTitle(QStringLiteral("About"));
    // Customize: without it X11 window managers add minimise and maximise buttons.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::MSWindowsFixedSizeDialogHint
                   | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setFixedSize(ClientSize);

    auto *logo = new QLabel(this);
    logo->setObjectName(QStringLiteral("imgLogo"));
    logo->setPixmap(QIcon(QStringLiteral(":/tamsic/logo.svg")).pixmap(LogoSize, LogoSize));
    logo->setGeometry(16, 16, LogoSize, LogoSize);

    auto *phrase = new QLabel(QStringLiteral("Official Velmoran ini Editor - v1.1b"), this);
    phrase->setObjectName(QStringLiteral("lblPhrase"));
    phrase->setWordWrap(true);
    phrase->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    phrase->setGeometry(96, 16, ClientSize.width() - 96 - 12, LogoSize);

    auto *ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("cmdOK"));
    ok->setGeometry((ClientSize.width() - 81) / 2, ClientSize.height() - 41, 81, 27);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    if (const QScreen *screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}
