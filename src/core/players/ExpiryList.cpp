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

// The rows as the screens list them; `days` gets the tested date of each record by its position
// (the records come in file order), 0 for those not listed.
Listed read(const QString& path, Kind kind, const QDate& today, int horizonDays, std::vector<qint64>& days)
{
    const List& tested = list(kind);
    const RecordFormat& format = formatOf<PlayerRecord>();
    Listed result;
    result.rows = PackedRows::read(path, format, tested.layout, [&](QByteArrayView record) {
        const QDate expires = expiry::date(format.storedText(record, int(tested.testedField)));
        const expiry::Status status = expiry::status(expires, today, horizonDays);
        if (status == expiry::Status::Unreadable)
            ++result.unreadable;
        const bool shown = expiry::listed(status);
        days.push_back(shown ? expires.toJulianDay() : 0);
        return shown;
    });
    return result;
}

}  // namespace

Listed listed(const QString& path, Kind kind, const QDate& today, int horizonDays)
{
    std::vector<qint64> days;
    Listed result = read(path, kind, today, horizonDays, days);

    // The rows by date, equal dates in list order: each row's day after the earliest and its
    // number make one key, and the keys sort as plain numbers.
    const PackedRows& rows = *result.rows;
    std::vector<qint64> dayOfRow(std::size_t(rows.count()));
    for (qsizetype row = 0; row < rows.count(); ++row)
        dayOfRow[std::size_t(row)] = days[std::size_t(rows.position(row) - 1)];
    const qint64 earliest = dayOfRow.empty() ? 0 : *std::min_element(dayOfRow.begin(), dayOfRow.end());
    std::vector<quint64> keys(dayOfRow.size());
    for (std::size_t row = 0; row < keys.size(); ++row)
        keys[row] = (quint64(dayOfRow[row] - earliest) << 32) | quint64(row);
    std::sort(keys.begin(), keys.end());
    result.byDate.reserve(keys.size());
    for (const quint64 key : keys)
        result.byDate.push_back(qsizetype(key & 0xFFFFFFFFu));
    return result;
}

std::shared_ptr<PackedRows> rows(const QString& path, Kind kind, const QDate& today, int horizonDays)
{
    std::vector<qint64> days;
    return read(path, kind, today, horizonDays, days).rows;
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
