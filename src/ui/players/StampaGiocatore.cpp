#include "players/StampaGiocatore.h"

#include "players/PictureBox.h"
#include "players/PlayerSheet.h"

using namespace Qt::StringLiterals;

const QString TfrmAnteprimaGiocatore::failureMessage =
    u"Attenzione: la visualizzazione dell'anteprima di stampa non \u00E8 andata a buon fine.\n\r\n\r"
    u"Si consiglia di ridurre le dimensioni della foto."_s;

const QString TfrmStampaGiocatore::failureMessage =
    u"Attenzione: la stampa non \u00E8 andata a buon fine.\n\r\n\rSi consiglia di ridurre le dimensioni della foto."_s;

PlayerSheetDialog::PlayerSheetDialog(QWidget* owner, const QString& objectName, const QString& caption, Output output,
                                     const QString& failureMessage)
    : SheetDialog(owner, objectName, caption, output)
{
    setFailureMessage(failureMessage);
    m_photo = standIn();
    setSheet([this] { return playerSheet::make(m_texts, m_photo); });
}

void PlayerSheetDialog::setPhoto(const QImage& photo) { m_photo = photo.isNull() ? standIn() : photo; }

QImage PlayerSheetDialog::standIn()
{
    static const QImage picture = PictureBox::drawn(u"foto_sostitutiva"_s, {297, 184});
    return picture;
}

TfrmAnteprimaGiocatore::TfrmAnteprimaGiocatore(QWidget* owner)
    : PlayerSheetDialog(owner, u"frmAnteprimaGiocatore"_s, u" Anteprima di stampa"_s, Output::Preview, failureMessage)
{
}

TfrmStampaGiocatore::TfrmStampaGiocatore(QWidget* owner)
    : PlayerSheetDialog(owner, u"frmStampaGiocatore"_s, u" Stampa scheda"_s, Output::Print, failureMessage)
{
}
