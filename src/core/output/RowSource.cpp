#include "output/RowSource.h"

#include "storage/Cp1252.h"

QList<ListRow> RowSource::all() const
{
    QList<ListRow> rows;
    rows.reserve(count());
    for (qsizetype row = 0; row < count(); ++row)
        rows.append({text(row), position(row)});
    return rows;
}

void RowSource::appendStored(qsizetype row, QByteArray& bytes) const
{
    bytes.append(cp1252::encode(text(row)));
}
