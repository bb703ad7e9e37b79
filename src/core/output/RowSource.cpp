#include "output/RowSource.h"

QList<ListRow> RowSource::all() const
{
    QList<ListRow> rows;
    rows.reserve(count());
    for (qsizetype row = 0; row < count(); ++row)
        rows.append({text(row), position(row)});
    return rows;
}
