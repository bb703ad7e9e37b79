#include "players/ExpiryList.h"

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

Listed listed(const QString& path, Kind kind, const QDate& today, int horizonDays)
{
    const List& tested = list(kind);
    const RecordFormat& format = formatOf<PlayerRecord>();
    Listed result;
    // The tested date of each record listed, by its position: the records come in file order.
    std::vector<qint64> days;
    result.rows = PackedRows::read(path, format, tested.layout, [&](QByteArrayView record) {
        const QDate expires = expiry::date(format.storedText(record, int(tested.testedField)));
        const expiry::Status status = expiry::status(expires, today, horizonDays);
        if (status == expiry::Status::Unreadable)
            ++result.unreadable;
        const bool shown = expiry::listed(status);
        days.push_back(shown ? expires.toJulianDay() : 0);
        return shown;
    });

    // The rows by date, equal dates in list order.
    const PackedRows& rows = *result.rows;
    struct Dated {
        qint64 day;
        qsizetype row;
    };
    std::vector<Dated> dated(std::size_t(rows.count()));
    for (qsizetype row = 0; row < rows.count(); ++row)
        dated[std::size_t(row)] = {days[std::size_t(rows.position(row) - 1)], row};
    std::stable_sort(dated.begin(), dated.end(), [](const Dated& a, const Dated& b) { return a.day < b.day; });
    result.byDate.reserve(dated.size());
    for (const Dated& entry : dated)
        result.byDate.push_back(entry.row);
    return result;
}

std::shared_ptr<PackedRows> rows(const QString& path, Kind kind, const QDate& today, int horizonDays)
{
    return listed(path, kind, today, horizonDays).rows;
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

}  // namespace expiryList
