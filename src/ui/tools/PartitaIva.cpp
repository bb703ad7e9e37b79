#include "tools/PartitaIva.h"

#include "checkers/VatNumber.h"
#include "common/KeyFilter.h"
#include "platform/Platform.h"

#include <QKeyEvent>
#include <QLineEdit>

using namespace Qt::StringLiterals;

TfrmPartitaIva::TfrmPartitaIva(QWidget* owner)
    : CheckerDialog(owner, {u"frmPartitaIva"_s, u" Controllo partita IVA"_s, u"txtPartitaIva"_s, 11,
                            u"Immettere il numero di partita IVA e premere il pulsante di controllo."_s})
{
}

bool TfrmPartitaIva::eventFilter(QObject* watched, QEvent* event)
{
    // Only digits and the editing keys reach the field; Enter is the base's.
    if (watched == field() && event->type() == QEvent::KeyPress
        && keyFilter::refuses(static_cast<QKeyEvent*>(event), keyFilter::isDigit))
        return true;
    return CheckerDialog::eventFilter(watched, event);
}

bool TfrmPartitaIva::check()
{
    const vatNumber::Result result = vatNumber::check(field()->text());
    const QString text = vatNumber::message(result);
    if (result.verdict == vatNumber::Result::Verdict::Valid)
        platform::informationBox(text, this);
    else
        platform::warningBox(text, this);
    return result.verdict != vatNumber::Result::Verdict::WrongLength;
}
