#include "players/ExpiryRows.h"

#include "players/Expiry.h"
#include "storage/PlayerRecord.h"
#include "text/TextRules.h"

#include <algorithm>

namespace {

QString counted(int number, const QString& one, const QString& many)
{
    return QString::number(number) + QLatin1Char(' ') + (number == 1 ? one : many);
}

}  // namespace

ExpiryRows::ExpiryRows(expiryList::Kind kind, const QDate& today, int horizonDays)
    : m_kind(kind)
    , m_today(today)
    , m_horizon(horizonDays)
{
    m_columns = {{QString(), QString(), 11, QStringLiteral("Stato"), listRows::Values::Mark}};
    m_columns += expiryList::layout(kind);
}

std::shared_ptr<ExpiryRows> ExpiryRows::read(const QString& path, expiryList::Kind kind, const QDate& today,
                                             int horizonDays, withdrawal::Listing withdrawn)
{
    std::shared_ptr<ExpiryRows> rows(new ExpiryRows(kind, today, horizonDays));
    static constexpr std::size_t name = PlayerRecord::Layout.indexOf("Giocatore");
    const RecordFormat& format = formatOf<PlayerRecord>();
    const int testedField = int(expiryList::testedField(kind));
    rows->m_rows = PackedRows::read(path, format, expiryList::layout(kind), [&](qint64 position, QByteArrayView record) {
        const QDate expires = expiry::date(format.storedText(record, testedField));
        const expiry::Status status = expiry::status(expires, today, horizonDays);
        rows->m_days.resize(std::size_t(position));  // withdrawn records left out are never seen here
        rows->m_days.back() = expiry::listed(status) ? expires.toJulianDay() : 0;
        switch (status) {
        case expiry::Status::Expired:
            ++rows->m_expired;
            return true;
        case expiry::Status::Expiring:
            ++rows->m_expiring;
            return true;
        case expiry::Status::Unreadable:
            if (rows->m_unreadable++ == 0) {
                rows->m_firstUnreadable = position;
                rows->m_firstUnreadableName = trimControls(PlayerRecord::Layout.readField(record, name));
            }
            return false;
        case expiry::Status::Fine:
            return false;
        }
        return false;
    }, withdrawn);
    return rows;
}

RowMark ExpiryRows::mark(qsizetype row) const
{
    // Asked for every row when the list sorts by the marks: from the day kept at the reading.
    switch (expiry::status(QDate::fromJulianDay(day(row)), m_today, m_horizon)) {
    case expiry::Status::Expired:
        return {RowMark::Tone::Alert,
                m_kind == expiryList::Kind::Cards ? QStringLiteral("Scaduta") : QStringLiteral("Scaduto")};
    case expiry::Status::Expiring:
        return {RowMark::Tone::Caution, QStringLiteral("In scadenza")};
    default:
        return {};
    }
}

std::vector<qsizetype> ExpiryRows::byDate() const
{
    // Each row's day after the earliest and its number make one key, and the keys sort as plain
    // numbers: no comparison of dates or texts per pair.
    std::vector<qint64> days(static_cast<std::size_t>(count()));
    for (qsizetype row = 0; row < count(); ++row)
        days[std::size_t(row)] = day(row);
    const qint64 earliest = days.empty() ? 0 : *std::min_element(days.begin(), days.end());
    std::vector<quint64> keys(days.size());
    for (std::size_t row = 0; row < keys.size(); ++row)
        keys[row] = (quint64(days[row] - earliest) << 32) | quint64(row);
    std::sort(keys.begin(), keys.end());
    std::vector<qsizetype> rows;
    rows.reserve(keys.size());
    for (const quint64 key : keys)
        rows.push_back(qsizetype(key & 0xFFFFFFFFu));
    return rows;
}

QString ExpiryRows::countLine() const
{
    const bool cards = m_kind == expiryList::Kind::Cards;
    QString line = QStringLiteral("Il presente riepilogo contiene ")
        + counted(int(count()), QStringLiteral("scheda"), QStringLiteral("schede")) + QStringLiteral(": ")
        + counted(m_expired, cards ? QStringLiteral("tessera scaduta") : QStringLiteral("certificato scaduto"),
                  cards ? QStringLiteral("tessere scadute") : QStringLiteral("certificati scaduti"));
    if (m_horizon > 0)
        line += QStringLiteral(", %1 in scadenza entro %2")
                    .arg(m_expiring)
                    .arg(counted(m_horizon, QStringLiteral("giorno"), QStringLiteral("giorni")));
    return line + QLatin1Char('.');
}

QString ExpiryRows::unreadableLine() const
{
    if (m_unreadable == 0)
        return {};
    const QString first = QStringLiteral("scheda n. %1 (%2)")
                              .arg(m_firstUnreadable)
                              .arg(m_firstUnreadableName.isEmpty() ? QStringLiteral("senza nome") : m_firstUnreadableName);
    if (m_unreadable == 1)
        return QStringLiteral("1 scheda non \u00E8 elencata perch\u00E9 la data di scadenza non \u00E8 leggibile: ") + first
            + QLatin1Char('.');
    return QStringLiteral("%1 schede non sono elencate perch\u00E9 la data di scadenza non \u00E8 leggibile; la prima \u00E8 la ")
               .arg(m_unreadable)
        + first + QLatin1Char('.');
}
