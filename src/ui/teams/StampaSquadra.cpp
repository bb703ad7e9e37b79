#include "teams/StampaSquadra.h"

#include "common/Dialogs.h"
#include "common/PictureButton.h"
#include "output/ReportLayout.h"
#include "platform/Platform.h"
#include "teams/TeamSheet.h"

#include <QPushButton>

namespace {

const QString printFailedMessage = QStringLiteral(
    "Attenzione: la stampa della scheda non \u00E8 andata a buon fine.\n\r\n\rSi consiglia di controllare le "
    "impostazioni della stampante.");

}  // namespace

TfrmStampaSquadra::TfrmStampaSquadra(QWidget* owner)
    : QDialog(owner)
{
    setObjectName(QStringLiteral("frmStampaSquadra"));
    setWindowTitle(QStringLiteral(" Stampa scheda"));
    dialogs::makeFixed(this, QSize(364, 287));

    auto* panel = new QWidget(this);
    panel->setObjectName(QStringLiteral("panStampa"));
    panel->setAttribute(Qt::WA_StyledBackground);
    panel->setStyleSheet(QStringLiteral("#panStampa { background-color: white; border: 1px solid #9FB3C8; border-radius: 10px; }"));
    panel->setGeometry(12, 12, 340, 214);
    auto* picture = new Picture(QStringLiteral("imgStampa"), QStringLiteral("stampa"), panel);
    picture->setGeometry(110, 47, 120, 120);

    auto* cancel = new QPushButton(QStringLiteral("Annulla"), this);
    cancel->setObjectName(QStringLiteral("btnAnnulla"));
    cancel->setGeometry(12, 242, 137, 28);
    auto* print = new QPushButton(QStringLiteral("Stampa"), this);
    print->setObjectName(QStringLiteral("btnStampa"));
    print->setGeometry(215, 242, 137, 28);
    print->setDefault(true);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(print, &QPushButton::clicked, this, &TfrmStampaSquadra::btnStampaClick);
}

void TfrmStampaSquadra::btnStampaClick()
{
    try {
        const report::Report sheet = teamSheet::make(m_texts, platform::clock().now());
        platform::print({report::prepare(sheet), QString()}, this);
    } catch (...) {
        platform::warningBox(printFailedMessage, this);
    }
    accept();
}
