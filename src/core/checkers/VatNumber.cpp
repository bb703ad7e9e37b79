#include "checkers/VatNumber.h"

#include <QHash>

using namespace Qt::StringLiterals;

namespace {

// Codes 001 to 102 in order, then 120 and 121.
const QStringList& officeNames()
{
    static const QStringList names = {
        u"Torino"_s, u"Vercelli"_s, u"Novara"_s, u"Cuneo"_s, u"Asti"_s, u"Alessandria"_s, u"Aosta"_s,
        u"Imperia"_s, u"Savona"_s, u"Genova 1"_s, u"La Spezia"_s, u"Varese"_s, u"Como"_s, u"Sondrio"_s,
        u"Milano 1"_s, u"Bergamo"_s, u"Brescia 1"_s, u"Pavia"_s, u"Cremona"_s, u"Mantova"_s, u"Bolzano"_s,
        u"Trento"_s, u"Verona"_s, u"Vicenza"_s, u"Belluno"_s, u"Treviso"_s, u"Venezia"_s, u"Padova"_s,
        u"Rovigo"_s, u"Udine"_s, u"Gorizia"_s, u"Trieste"_s, u"Piacenza"_s, u"Parma"_s, u"Reggio Emilia"_s,
        u"Modena"_s, u"Bologna 1"_s, u"Ferrara"_s, u"Ravenna"_s, u"Forl\u00EC"_s, u"Pesaro"_s, u"Ancona"_s,
        u"Macerata"_s, u"Ascoli Piceno"_s, u"Massa Carrara"_s, u"Lucca"_s, u"Pistoia"_s, u"Firenze 1"_s,
        u"Livorno"_s, u"Pisa"_s, u"Arezzo"_s, u"Siena"_s, u"Grosseto"_s, u"Perugia"_s, u"Terni"_s,
        u"Viterbo"_s, u"Rieti"_s, u"Roma 1"_s, u"Latina"_s, u"Frosinone"_s, u"Caserta"_s, u"Benevento"_s,
        u"Napoli 1"_s, u"Avellino"_s, u"Salerno"_s, u"Aquila"_s, u"Teramo"_s, u"Pescara"_s, u"Chieti"_s,
        u"Campobasso"_s, u"Foggia"_s, u"Bari"_s, u"Taranto"_s, u"Brindisi"_s, u"Lecce"_s, u"Potenza"_s,
        u"Matera"_s, u"Cosenza"_s, u"Catanzaro"_s, u"Reggio Calabria"_s, u"Trapani"_s, u"Palermo"_s,
        u"Messina"_s, u"Agrigento"_s, u"Caltanissetta"_s, u"Enna"_s, u"Catania"_s, u"Ragusa"_s,
        u"Siracusa"_s, u"Sassari"_s, u"Nuoro"_s, u"Cagliari"_s, u"Pordenone"_s, u"Isernia"_s, u"Oristano"_s,
        u"Monza (Milano 2)"_s, u"Prato (Firenze 2)"_s, u"Brescia 2"_s, u"Chiavari (Genova 2)"_s, u"Roma 2"_s,
        u"Bologna 2"_s, u"Napoli 2"_s, u"Bologna 2"_s, u"Napoli 2"_s,
    };
    return names;
}

const QHash<QString, QString>& offices()
{
    static const QHash<QString, QString> table = [] {
        QHash<QString, QString> result;
        const QStringList& names = officeNames();
        for (int i = 0; i < names.size(); ++i) {
            const int code = i < 102 ? i + 1 : 120 + (i - 102);
            result.insert(u"%1"_s.arg(code, 3, 10, QLatin1Char('0')), names.at(i));
        }
        return result;
    }();
    return table;
}

bool isDigit(QChar c) { return c >= u'0' && c <= u'9'; }

}  // namespace

QString vatNumber::office(const QString& code) { return offices().value(code); }

vatNumber::Result vatNumber::check(const QString& number)
{
    using Verdict = Result::Verdict;
    if (number.size() != 11)
        return {Verdict::WrongLength, {}};
    int sum = 0;
    for (int i = 0; i < 11; ++i) {
        if (!isDigit(number.at(i)))
            return {Verdict::Wrong, {}};
        if (i == 10)
            break;
        const int digit = number.at(i).unicode() - u'0';
        // Positions count from 1: the even ones (odd indexes) are doubled, digits of the product added.
        if (i % 2 == 0)
            sum += digit;
        else
            sum += digit * 2 > 9 ? digit * 2 - 9 : digit * 2;
    }
    const int control = (10 - sum % 10) % 10;
    if (number.at(10).unicode() - u'0' != control)
        return {Verdict::Wrong, {}};
    return {Verdict::Valid, office(number.mid(7, 3))};
}

QString vatNumber::message(const Result& result)
{
    switch (result.verdict) {
    case Result::Verdict::WrongLength:
        return u"Attenzione: la partita IVA deve essere composta da 11 caratteri numerici."_s;
    case Result::Verdict::Wrong:
        return u"Attenzione: il numero di partita IVA digitato risulta ERRATO!\r\n\r\nNon \u00E8 quindi possibile "
               u"fornire informazioni relative all'Ufficio IVA che lo ha rilasciato."_s;
    case Result::Verdict::Valid:
        break;
    }
    const QString valid = u"Il numero di partita IVA digitato risulta VALIDO.\r\n\r\n"_s;
    if (result.office.isEmpty())
        return valid + u"L'Ufficio IVA che lo ha rilasciato non \u00E8 presente nell'elenco."_s;
    return valid + u"E' stato rilasciato dall'Ufficio IVA del Comune di "_s + result.office + u"."_s;
}
