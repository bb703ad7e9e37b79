#include "players/PlayerRows.h"

#include "output/ListRows.h"
#include "storage/PlayerRecord.h"

namespace playerRows {

namespace {

struct Columns {
    qsizetype name;
    qsizetype card;
    QLatin1String dateLabel;
    const char* dateField;
};

constexpr Columns cardColumns{28, 24, QLatin1String("  Scad. "), "ScadTessera"};
constexpr Columns certificateColumns{26, 20, QLatin1String("  Scad. cert. "), "ScadCertificato"};

QString field(QByteArrayView record, const char* name)
{
    return PlayerRecord::Layout.readField(record, PlayerRecord::Layout.indexOf(name));
}

QString build(const Columns& columns, QByteArrayView record)
{
    // Checked once for the whole record, so a short one fails before any field is read.
    PlayerRecord::Layout.checkSize(record);
    const QString reti = field(record, "Reti");
    QString text;
    text.reserve(columns.name + 11 + 26 + 7 + 14 + 13 + columns.card + columns.dateLabel.size() + 10 + 8 + reti.size());
    listRows::appendColumn(text, field(record, "Giocatore"), columns.name);
    text.append(QLatin1String("  Squadra: "));
    listRows::appendColumn(text, field(record, "Squadra"), 26);
    text.append(QLatin1String("  Cel. "));
    listRows::appendColumn(text, field(record, "Cel"), 14);
    text.append(QLatin1String("  Tessera n. "));
    listRows::appendColumn(text, field(record, "Tessera"), columns.card);
    text.append(columns.dateLabel);
    listRows::appendColumn(text, field(record, columns.dateField), 10);
    text.append(QLatin1String("  Reti: "));
    listRows::appendLast(text, reti);
    return text;
}

}  // namespace

QString cardRow(QByteArrayView record) { return build(cardColumns, record); }

QString certificateRow(QByteArrayView record) { return build(certificateColumns, record); }

}  // namespace playerRows
