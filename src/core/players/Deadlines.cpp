#include "players/Deadlines.h"

#include "output/ArchiveScan.h"
#include "players/Expiry.h"
#include "storage/PlayerRecord.h"

#include <QFileInfo>

namespace deadlines {

namespace {

void add(Count& count, expiry::Status status)
{
    if (status == expiry::Status::Expired)
        ++count.expired;
    else if (status == expiry::Status::Expiring)
        ++count.expiring;
}

}  // namespace

Counts count(const QString& path, const QDate& today, int horizon)
{
    Counts counts;
    if (!QFileInfo(path).isFile())
        return counts;
    const std::size_t card = expiryList::testedField(expiryList::Kind::Cards);
    const std::size_t certificate = expiryList::testedField(expiryList::Kind::Certificates);
    archiveScan::visit(path, PlayerRecord::Size, [&](qint64, QByteArrayView record) {
        add(counts.cards, expiry::status(PlayerRecord::Layout.readField(record, card), today, horizon));
        add(counts.certificates, expiry::status(PlayerRecord::Layout.readField(record, certificate), today, horizon));
    }, {}, archiveScan::Withdrawn::LeftOut);
    return counts;
}

QString text(expiryList::Kind kind, const Count& count)
{
    const bool cards = kind == expiryList::Kind::Cards;
    QStringList parts;
    if (count.expired > 0) {
        const bool one = count.expired == 1;
        parts << QString::number(count.expired) + QLatin1Char(' ')
                + (cards ? (one ? QStringLiteral("scaduta") : QStringLiteral("scadute"))
                         : (one ? QStringLiteral("scaduto") : QStringLiteral("scaduti")));
    }
    if (count.expiring > 0)
        parts << QString::number(count.expiring) + QStringLiteral(" in scadenza");
    return (cards ? QStringLiteral("Tessere: ") : QStringLiteral("Certificati medici: ")) + parts.join(QStringLiteral(", "));
}

}  // namespace deadlines
