#include "teams/TeamRows.h"

#include "output/ListRows.h"
#include "text/TextRules.h"

namespace teamRows {

QString row(const QString& squadra, const QString& campo, const QString& allenatore, const QString& responsabile,
            const QString& telefono)
{
    QString text;
    text.reserve(28 + 9 + 30 + 7 + 26 + 8 + 26 + 7 + telefono.size());
    listRows::appendColumn(text, squadra, 28);
    text.append(QLatin1String("  Campo: "));
    listRows::appendColumn(text, campo, 30);
    text.append(QLatin1String("  All. "));
    listRows::appendColumn(text, allenatore, 26);
    text.append(QLatin1String("  Resp. "));
    listRows::appendColumn(text, responsabile, 26);
    text.append(QLatin1String("  Tel. "));
    listRows::appendLast(text, telefono);
    return text;
}

QString row(const RecordValues& team)
{
    return row(team.value(QStringLiteral("Squadra")), team.value(QStringLiteral("Campo")),
               team.value(QStringLiteral("Allenatore")), team.value(QStringLiteral("Responsabile")),
               team.value(QStringLiteral("Telefono")));
}

namespace {

// Looked up once, when the program is built.
template <std::size_t Index>
QString field(QByteArrayView record)
{
    static_assert(Index < TeamRecord::Layout.fields.size());
    return TeamRecord::Layout.readField(record, Index);
}

constexpr std::size_t index(std::string_view name) { return TeamRecord::Layout.indexOf(name); }

}  // namespace

QString row(QByteArrayView record)
{
    return row(field<index("Squadra")>(record), field<index("Campo")>(record), field<index("Allenatore")>(record),
               field<index("Responsabile")>(record), field<index("Telefono")>(record));
}

bool isSelected(QByteArrayView record) { return yesNoFromText(field<index("Selezionata")>(record)) == YesNo::Yes; }

bool hasName(QByteArrayView record) { return !trimControls(field<index("Squadra")>(record)).isEmpty(); }

}  // namespace teamRows
