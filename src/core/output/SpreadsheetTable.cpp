#include "output/SpreadsheetTable.h"

#include "storage/Cp1252.h"
#include "text/TextRules.h"

namespace spreadsheet {

Table::Table(int columns)
    : m_columns(columns)
{
}

QByteArrayView Table::storedRow(qsizetype row) const
{
    if (m_columns == 0)
        return {};
    const std::size_t first = std::size_t(row) * std::size_t(m_columns);
    const qsizetype begin = first == 0 ? 0 : m_ends[first - 1];
    return QByteArrayView(m_bytes.data() + begin, m_ends[first + std::size_t(m_columns) - 1] - begin);
}

void Table::reserve(qsizetype rows, qsizetype bytesPerRow)
{
    m_positions.reserve(std::size_t(rows));
    m_ends.reserve(std::size_t(rows) * std::size_t(m_columns));
    m_bytes.reserve(std::size_t(rows) * std::size_t(bytesPerRow));
}

QString Table::cell(qsizetype row, int column) const { return cp1252::decode(storedCell(row, column)); }

void Table::appendStored(qint64 position, std::span<const QByteArrayView> cells)
{
    m_positions.push_back(position);
    for (int column = 0; column < m_columns; ++column) {
        if (std::size_t(column) < cells.size()) {
            const QByteArrayView text = trimControls(cells[std::size_t(column)]);
            m_bytes.insert(m_bytes.end(), text.begin(), text.end());
        }
        m_ends.push_back(qsizetype(m_bytes.size()));
    }
}

void Table::append(qint64 position, const QStringList& cells)
{
    std::vector<QByteArray> encoded;
    encoded.reserve(std::size_t(cells.size()));
    for (const QString& text : cells)
        encoded.push_back(cp1252::encode(text));
    const std::vector<QByteArrayView> views(encoded.begin(), encoded.end());
    appendStored(position, views);
}

}  // namespace spreadsheet
