#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringList>

#include <span>
#include <vector>

namespace spreadsheet {

// The cells of an export, one row per record: the texts as the archive stores them (Windows-1252
// bytes, with leading and trailing blanks and control characters removed) in one block, so that
// a large archive costs no string per cell. The grid decodes only the cells it shows; the file
// gets the bytes as they are.
class Table {
public:
    explicit Table(int columns = 0);

    // Room for `rows` rows of about `bytesPerRow` bytes, so that a large reading grows nothing.
    void reserve(qsizetype rows, qsizetype bytesPerRow);

    int columns() const { return m_columns; }
    qsizetype size() const { return qsizetype(m_positions.size()); }
    bool isEmpty() const { return m_positions.empty(); }

    // The 1-based position of the record the row was read from.
    qint64 position(qsizetype row) const { return m_positions[std::size_t(row)]; }
    // A cell's Windows-1252 bytes.
    QByteArrayView storedCell(qsizetype row, int column) const
    {
        const std::size_t index = std::size_t(row) * std::size_t(m_columns) + std::size_t(column);
        const qsizetype begin = index == 0 ? 0 : m_ends[index - 1];
        return QByteArrayView(m_bytes.data() + begin, m_ends[index] - begin);
    }
    // The bytes of all of a row's cells together, one after another.
    QByteArrayView storedRow(qsizetype row) const;
    // A cell's text.
    QString cell(qsizetype row, int column) const;

    // Adds a row of stored bytes, one per column (missing ones are empty, extra ones ignored);
    // each is trimmed on the way in.
    void appendStored(qint64 position, std::span<const QByteArrayView> cells);
    // The same from texts, converted to Windows-1252 (a character it cannot hold becomes '?').
    void append(qint64 position, const QStringList& cells);

private:
    int m_columns;
    std::vector<char> m_bytes;
    std::vector<qsizetype> m_ends;  // where each cell ends in m_bytes, row after row
    std::vector<qint64> m_positions;
};

}  // namespace spreadsheet
