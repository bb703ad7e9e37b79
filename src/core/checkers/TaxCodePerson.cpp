#include "checkers/TaxCodePerson.h"

#include "text/TextRules.h"

namespace taxCodePerson {
namespace {

const QString monthLetters = QStringLiteral("ABCDEHLMPRST");
const QString omocodiaLetters = QStringLiteral("LMNPQRSTUV");  // stand for 0 to 9

std::optional<int> digit(QChar c)
{
    if (c >= u'0' && c <= u'9')
        return c.unicode() - u'0';
    const qsizetype replaced = omocodiaLetters.indexOf(c);
    if (replaced >= 0)
        return int(replaced);
    return std::nullopt;
}

std::optional<int> number(QChar tens, QChar units)
{
    const std::optional<int> t = digit(tens), u = digit(units);
    if (!t || !u)
        return std::nullopt;
    return *t * 10 + *u;
}

}  // namespace

std::optional<Holder> read(const QString& code)
{
    const QString upper = upperAsciiLetters(trimControls(code));
    if (upper.size() != 16)
        return std::nullopt;
    const std::optional<int> year = number(upper.at(6), upper.at(7));
    const qsizetype month = monthLetters.indexOf(upper.at(8));
    const std::optional<int> day = number(upper.at(9), upper.at(10));
    if (!year || month < 0 || !day)
        return std::nullopt;
    const bool woman = *day > 40;
    const int dayOfMonth = woman ? *day - 40 : *day;
    if (dayOfMonth < 1 || dayOfMonth > 31)
        return std::nullopt;
    return Holder{*year, int(month) + 1, dayOfMonth, woman};
}

std::optional<QString> disagreement(const QString& code, const QString& birthDate, const QString& sex)
{
    const std::optional<Holder> holder = read(code);
    if (!holder)
        return std::nullopt;
    const QDate born = QDate::fromString(trimControls(birthDate), QStringLiteral("dd/MM/yyyy"));
    const QString recordSex = upperAsciiLetters(trimControls(sex));
    const bool sexKnown = recordSex == QStringLiteral("M") || recordSex == QStringLiteral("F");
    if (!born.isValid() && !sexKnown)
        return std::nullopt;

    // The code's year in the record's century, or the next one either side when that is closer.
    const int reference = born.isValid() ? born.year() : QDate::currentDate().year();
    int year = reference - reference % 100 + holder->yearOfCentury;
    if (year > reference + 50)
        year -= 100;
    else if (year < reference - 50)
        year += 100;
    const QDate coded(year, holder->month, holder->day);

    const bool dateDiffers = born.isValid() && born != coded;
    const bool sexDiffers = sexKnown && (recordSex == QStringLiteral("F")) != holder->woman;
    if (!dateDiffers && !sexDiffers)
        return std::nullopt;
    const QString which = dateDiffers && sexDiffers ? QStringLiteral("La data di nascita e il sesso della scheda non corrispondono")
                          : dateDiffers            ? QStringLiteral("La data di nascita della scheda non corrisponde")
                                                   : QStringLiteral("Il sesso della scheda non corrisponde");
    const QString shownDate = coded.isValid() ? coded.toString(QStringLiteral("dd/MM/yyyy"))
                                              : QStringLiteral("%1/%2/..%3")
                                                    .arg(holder->day, 2, 10, QLatin1Char('0'))
                                                    .arg(holder->month, 2, 10, QLatin1Char('0'))
                                                    .arg(holder->yearOfCentury, 2, 10, QLatin1Char('0'));
    const QString person = holder->woman ? QStringLiteral("una donna nata") : QStringLiteral("un uomo nato");
    return which + QStringLiteral(" al codice fiscale.\r\n\r\nIl codice fiscale indica ") + person
           + QStringLiteral(" il ") + shownDate + QLatin1Char('.');
}

}  // namespace taxCodePerson
