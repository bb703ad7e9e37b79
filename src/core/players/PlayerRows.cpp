#include "players/PlayerRows.h"

#include "output/PackedRows.h"
#include "storage/PlayerRecord.h"

namespace playerRows {

namespace {

listRows::Layout layout(qsizetype nameWidth, qsizetype cardWidth, const QString& dateLabel, const QString& dateField)
{
    return {
        {QString(), QStringLiteral("Giocatore"), nameWidth, QStringLiteral("Giocatore")},
        {QStringLiteral("  Squadra: "), QStringLiteral("Squadra"), 26, QStringLiteral("Squadra")},
        {QStringLiteral("  Cel. "), QStringLiteral("Cel"), 14, QStringLiteral("Cellulare")},
        {QStringLiteral("  Tessera n. "), QStringLiteral("Tessera"), cardWidth, QStringLiteral("Tessera n.")},
        {dateLabel, dateField, 10, QStringLiteral("Scadenza"), listRows::Values::Date},
        {QStringLiteral("  Reti: "), QStringLiteral("Reti"), -1, QStringLiteral("Reti"), listRows::Values::Number},
    };
}

}  // namespace

const listRows::Layout& cardLayout()
{
    static const listRows::Layout columns = layout(28, 24, QStringLiteral("  Scad. "), QStringLiteral("ScadTessera"));
    return columns;
}

const listRows::Layout& certificateLayout()
{
    static const listRows::Layout columns =
        layout(26, 20, QStringLiteral("  Scad. cert. "), QStringLiteral("ScadCertificato"));
    return columns;
}

QString cardRow(QByteArrayView record) { return PackedRows::rowOf(formatOf<PlayerRecord>(), cardLayout(), record); }

QString certificateRow(QByteArrayView record) { return PackedRows::rowOf(formatOf<PlayerRecord>(), certificateLayout(), record); }

}  // namespace playerRows
