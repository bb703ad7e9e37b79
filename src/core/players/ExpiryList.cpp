#include "players/ExpiryList.h"

#include "players/PlayerRows.h"
#include "storage/PlayerRecord.h"

namespace expiryList {

namespace {

struct List {
    std::size_t testedField;
    const listRows::Layout& layout;
    const char* title;
};

const List& list(Kind kind)
{
    static const List cards{PlayerRecord::Layout.indexOf("ScadTessera"), playerRows::cardLayout(),
                            "Riepilogo tessere scadute"};
    static const List certificates{PlayerRecord::Layout.indexOf("ScadCertificato"), playerRows::certificateLayout(),
                                   "Riepilogo certificati medici scaduti"};
    return kind == Kind::Cards ? cards : certificates;
}

}  // namespace

const listRows::Layout& layout(Kind kind) { return list(kind).layout; }

std::size_t testedField(Kind kind) { return list(kind).testedField; }

QString printTitle(Kind kind, int horizonDays)
{
    const QString title = QString::fromLatin1(list(kind).title);
    if (horizonDays <= 0)
        return title;
    return title + QStringLiteral(" o in scadenza entro %1 %2")
                       .arg(QString::number(horizonDays),
                            horizonDays == 1 ? QStringLiteral("giorno") : QStringLiteral("giorni"));
}

}  // namespace expiryList
