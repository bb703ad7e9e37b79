#include "players/ExpiryList.h"

#include "output/ArchiveScan.h"
#include "output/PackedRows.h"
#include "players/Expiry.h"
#include "players/PlayerRows.h"
#include "storage/PlayerRecord.h"

#include <algorithm>

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

Result read(const QString& path, Kind kind, const QDate& today, int horizonDays)
{
    const List& tested = list(kind);
    Result result;
    result.error = archiveScan::visit(path, PlayerRecord::Size, [&](qint64 position, QByteArrayView record) {
        const QDate expires = expiry::date(PlayerRecord::Layout.readField(record, tested.testedField));
        const expiry::Status status = expiry::status(expires, today, horizonDays);
        if (status == expiry::Status::Unreadable)
            ++result.unreadable;
        else if (expiry::listed(status))
            result.entries.append({{PackedRows::rowOf(formatOf<PlayerRecord>(), tested.layout, record), position}, expires});
    });
    return result;
}

QString printTitle(Kind kind, int horizonDays)
{
    const QString title = QString::fromLatin1(list(kind).title);
    if (horizonDays <= 0)
        return title;
    return title + QStringLiteral(" o in scadenza entro %1 %2")
                       .arg(QString::number(horizonDays),
                            horizonDays == 1 ? QStringLiteral("giorno") : QStringLiteral("giorni"));
}

QList<Entry> byDate(const QList<Entry>& entries)
{
    QList<Entry> sorted = entries;
    std::stable_sort(sorted.begin(), sorted.end(), [](const Entry& a, const Entry& b) {
        if (a.date != b.date)
            return a.date < b.date;
        return listRows::orderLess(a.row.text, b.row.text);
    });
    return sorted;
}

}  // namespace expiryList
