#include "app/Splash.h"

#include "app/Product.h"
#include "common/Dialogs.h"
#include "common/LinkLabel.h"
#include "common/PictureButton.h"
#include "platform/TMisc.h"

#include <QPushButton>

TfrmSplash::TfrmSplash(QWidget* owner)
    : QDialog(owner)
{
    setObjectName(QStringLiteral("frmSplash"));
    setWindowTitle(QLatin1Char(' ') + product::name + QStringLiteral(" - ") + product::makerName);
    dialogs::makeFixed(this, {640, 430});

    auto* picture = new Picture(QStringLiteral("imgSplash"), QStringLiteral("splash"), this);
    picture->setGeometry(20, 20, 600, 320);

    auto* webIcon = new PictureButton(QStringLiteral("imgWeb"), QStringLiteral("web"), this);
    webIcon->setGeometry(20, 368, 40, 40);
    auto* link = new LinkLabel(QStringLiteral("lnkWeb"), product::webAddressShown, this);
    link->setGeometry(70, 370, 380, 36);
    link->attachIcon(webIcon);
    connect(link, &LinkLabel::clicked, this, [] { TMisc::Open(product::makerWebAddress); });

    auto* close = new QPushButton(QStringLiteral("Chiudi"), this);
    close->setObjectName(QStringLiteral("btnChiudi"));
    close->setGeometry(510, 372, 110, 34);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
}
