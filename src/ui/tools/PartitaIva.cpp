#include "tools/PartitaIva.h"

#include "checkers/VatNumber.h"
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
    if (watched == field() && event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        switch (key->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
        case Qt::Key_Backspace:
        case Qt::Key_Delete:
        case Qt::Key_Left:
        case Qt::Key_Right:
            break;
        default: {
            const QString text = key->text();
            if (!(text.size() == 1 && text.front() >= u'0' && text.front() <= u'9'))
                return true;
        }
        }
    }
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
