#pragma once

#include <QByteArray>
#include <QList>

#include <utility>

// The rows of an exported sheet as the file must hold them, for comparing export bytes.
namespace sheetMarkup {

// The header row: each column's label and exported width.
inline QByteArray headerRow(const QList<std::pair<QByteArray, int>>& columns)
{
    QByteArray row = "<tr>";
    for (const auto& [label, width] : columns)
        row += "<td style=\"text-align: left; font-weight: bold;\" width=" + QByteArray::number(width) + ">" + label + "</td>";
    return row + "</tr>";
}

// A data row: the cells as they must stand in the file (Windows-1252, escaped).
inline QByteArray dataRow(const QList<QByteArray>& cells)
{
    QByteArray row = "<tr>";
    for (const QByteArray& cell : cells)
        row += "<td style=\"text-align: left;\">" + cell + "</td>";
    return row + "</tr>";
}

}  // namespace sheetMarkup
