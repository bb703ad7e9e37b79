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

// The fields a row shows, in row order, whatever they are read from.
template <typename Read>
QString build(const Columns& columns, Read read)
{
    const QString reti = read("Reti");
    QString text;
    text.reserve(columns.name + 11 + 26 + 7 + 14 + 13 + columns.card + columns.dateLabel.size() + 10 + 8 + reti.size());
    listRows::appendColumn(text, read("Giocatore"), columns.name);
    text.append(QLatin1String("  Squadra: "));
    listRows::appendColumn(text, read("Squadra"), 26);
    text.append(QLatin1String("  Cel. "));
    listRows::appendColumn(text, read("Cel"), 14);
    text.append(QLatin1String("  Tessera n. "));
    listRows::appendColumn(text, read("Tessera"), columns.card);
    text.append(columns.dateLabel);
    listRows::appendColumn(text, read(columns.dateField), 10);
    text.append(QLatin1String("  Reti: "));
    listRows::appendLast(text, reti);
    return text;
}

QString fromBytes(const Columns& columns, QByteArrayView record)
{
    // Checked once for the whole record, so a short one fails before any field is read.
    PlayerRecord::Layout.checkSize(record);
    return build(columns, [record](const char* name) {
        return PlayerRecord::Layout.readField(record, PlayerRecord::Layout.indexOf(name));
    });
}

}  // namespace

QString cardRow(const RecordValues& player)
{
    return build(cardColumns, [&player](const char* name) { return player.value(QLatin1String(name)); });
}

QString cardRow(QByteArrayView record) { return fromBytes(cardColumns, record); }

QString certificateRow(QByteArrayView record) { return fromBytes(certificateColumns, record); }

}  // namespace playerRows
