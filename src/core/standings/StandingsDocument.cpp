#include "standings/Standings.h"

#include "output/ListSummary.h"
#include "text/TextRules.h"

namespace standings {

report::Report document(Kind kind, const QString& title, const QList<ListRow>& rows)
{
    QStringList lines;
    lines.reserve(rows.size() + 2);
    for (const ListRow& row : rows)
        lines.append(row.text);
    lines += closingLines(rows.size());
    return listSummary::make(documentName(kind), trimControls(title), lines);
}

}  // namespace standings
