#include "output/RowSource.h"

#include "storage/Cp1252.h"

const listRows::Layout& RowSource::columns() const
{
    static const listRows::Layout none;
    return none;
}

QByteArrayView RowSource::stored(qsizetype, qsizetype) const { return {}; }

RowMark RowSource::mark(qsizetype) const { return {}; }

QString RowSource::cell(qsizetype row, qsizetype column) const
{
    const listRows::Layout& layout = columns();
    if (column < 0 || column >= layout.size())
        return column == 0 ? text(row) : QString();
    switch (layout.at(column).values) {
    case listRows::Values::Place:
        return QString::number(place(row));
    case listRows::Values::Mark:
        return mark(row).word;
    default:
        return cp1252::decode(stored(row, column));
    }
}

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
