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

    auto* link = LinkLabel::withIcon(this, QStringLiteral("imgWeb"), QStringLiteral("web"), {20, 368}, QStringLiteral("lnkWeb"),
                                     product::webAddressShown, {70, 370, 380, 36});
    connect(link, &LinkLabel::clicked, this, [] { TMisc::Open(product::makerWebAddress); });

    auto* close = new QPushButton(QStringLiteral("Chiudi"), this);
    close->setObjectName(QStringLiteral("btnChiudi"));
    close->setGeometry(510, 372, 110, 34);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
}
