#include "players/PlayerRules.h"

#include "text/TextRules.h"

#include <QLocale>

#include <cmath>

using namespace Qt::StringLiterals;

const QList<playerRules::MandatoryField>& playerRules::mandatoryFields()
{
    static const QString start = u"Attenzione: per salvare la scheda \u00E8 necessario indicare "_s;
    static const QList<MandatoryField> fields = {
        {u"Giocatore"_s, u"txtGiocatore"_s, start + u"cognome e nome del giocatore."_s},
        {u"Sesso"_s, u"txtSesso"_s, start + u"il sesso del giocatore (M o F)."_s},
        {u"Squadra"_s, u"txtSquadra"_s, start + u"la squadra del giocatore."_s},
        {u"Tessera"_s, u"txtTessera"_s, start + u"il numero di tessera del giocatore."_s},
        {u"ScadTessera"_s, u"txtInizioTes"_s, start + u"la data di scadenza della tessera."_s},
        {u"ScadCertificato"_s, u"txtFineTes"_s, start + u"la data di scadenza del certificato medico."_s},
    };
    return fields;
}

const playerRules::MandatoryField* playerRules::firstMissing(const std::function<QString(const QString&)>& text)
{
    for (const MandatoryField& field : mandatoryFields()) {
        if (trimControls(text(field.field)).isEmpty())
            return &field;
    }
    return nullptr;
}

QString playerRules::countNormalForm(const QString& text)
{
    const QString trimmed = trimControls(text);
    if (trimmed.isEmpty())
        return u"0"_s;
    static const QLocale italian(QLocale::Italian);
    bool ok = false;
    const double value = italian.toDouble(trimmed, &ok);
    // Counts are never negative, and a number too large for the field's six digits would be cut
    // into another number when stored; both read as no count.
    if (!ok || !std::isfinite(value) || value < 0 || value >= 999999.5)
        return u"0"_s;
    return QString::number(static_cast<qint64>(std::floor(value + 0.5)));
}
