#include "teams/TeamRows.h"

#include "output/PackedRows.h"
#include "text/TextRules.h"

namespace teamRows {

const listRows::Layout& layout()
{
    static const listRows::Layout columns = {
        {QString(), QStringLiteral("Squadra"), 28, QStringLiteral("Squadra")},
        {QStringLiteral("  Campo: "), QStringLiteral("Campo"), 30, QStringLiteral("Campo")},
        {QStringLiteral("  All. "), QStringLiteral("Allenatore"), 26, QStringLiteral("Allenatore")},
        {QStringLiteral("  Resp. "), QStringLiteral("Responsabile"), 26, QStringLiteral("Responsabile")},
        {QStringLiteral("  Tel. "), QStringLiteral("Telefono"), -1, QStringLiteral("Telefono")},
    };
    return columns;
}

QString row(const QString& squadra, const QString& campo, const QString& allenatore, const QString& responsabile,
            const QString& telefono)
{
    return listRows::build(layout(), {squadra, campo, allenatore, responsabile, telefono});
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
    return PackedRows::rowOf(formatOf<TeamRecord>(), layout(), record);
}

bool isSelected(QByteArrayView record) { return yesNoFromText(field<index("Selezionata")>(record)) == YesNo::Yes; }

bool hasName(QByteArrayView record) { return !trimControls(field<index("Squadra")>(record)).isEmpty(); }

}  // namespace teamRows
