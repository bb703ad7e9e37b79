#include "app/Info.h"

#include "app/Product.h"
#include "app/ProgramFolder.h"
#include "app/Version.h"
#include "common/Dialogs.h"
#include "common/LinkLabel.h"
#include "common/PictureButton.h"
#include "common/Style.h"
#include "platform/TMisc.h"

#include <QLabel>
#include <QPushButton>

TfrmInfo::TfrmInfo(QWidget* owner)
    : QDialog(owner)
{
    setObjectName(QStringLiteral("frmInfo"));
    setWindowTitle(QStringLiteral(" Informazioni su Golvera"));
    dialogs::makeFixed(this, {560, 420});

    auto* logo = new Picture(QStringLiteral("imgLogo"), QStringLiteral("logo"), this);
    logo->setGeometry(24, 24, 110, 110);

    auto* name = new QLabel(product::name, this);
    name->setObjectName(QStringLiteral("lblProdotto"));
    name->setFont(style::arial(24, true));
    name->setStyleSheet(QStringLiteral("color: %1;").arg(style::navy.name()));
    name->setGeometry(156, 30, 380, 40);

    auto* about = new QLabel(QStringLiteral("Gestione di tornei di calcio, archivio squadre e archivio giocatori.\n"
                                            "Versione %1 - %2")
                                 .arg(product::version, product::makerName),
                             this);
    about->setObjectName(QStringLiteral("lblVersione"));
    about->setFont(style::verdana(10));
    about->setWordWrap(true);
    about->setGeometry(156, 76, 380, 56);

    auto* trophy = new Picture(QStringLiteral("imgFoto01"), QStringLiteral("info_trophy"), this);
    trophy->setGeometry(100, 150, 160, 120);
    auto* pitch = new Picture(QStringLiteral("imgFoto02"), QStringLiteral("info_pitch"), this);
    pitch->setGeometry(300, 150, 160, 120);

    auto* link = LinkLabel::withIcon(this, QStringLiteral("imgEmail"), QStringLiteral("email"), {24, 300},
                                     QStringLiteral("lnkEmail"), product::makerEmail, {74, 302, 380, 36});
    connect(link, &LinkLabel::clicked, this, [] { TMisc::Open(product::writeToMakerCommand()); });

    auto* folder = new QLabel(programFolder::description(), this);
    folder->setTextFormat(Qt::PlainText);  // a folder's path, never markup
    folder->setObjectName(QStringLiteral("lblCartella"));
    folder->setFont(style::verdana(8));
    folder->setWordWrap(true);
    folder->setTextInteractionFlags(Qt::TextSelectableByMouse);
    folder->setGeometry(24, 346, 390, 58);

    auto* close = new QPushButton(QStringLiteral("Chiudi"), this);
    close->setObjectName(QStringLiteral("btnChiudi"));
    close->setGeometry(426, 364, 110, 34);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
}
