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

bool isSelected(const TeamRecord& team) { return team.selezionata() == YesNo::Yes; }

bool hasName(const TeamRecord& team) { return !trimControls(team.Squadra).isEmpty(); }

}  // namespace teamRows
