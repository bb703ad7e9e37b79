#include "output/ExportGridModel.h"

#include "storage/ArchiveError.h"
#include "storage/Cp1252.h"
#include "text/TextRules.h"

ExportGridModel::ExportGridModel(const spreadsheet::Sheet& sheet, RecordFormat format, QObject* parent)
    : QAbstractTableModel(parent)
    , m_format(std::move(format))
{
    m_headers.append(QStringLiteral("N."));
    for (const spreadsheet::Column& column : sheet.columns) {
        m_headers.append(column.label);
        m_fields.push_back(m_format.indexOf(column.field));
    }
}

void ExportGridModel::setArchive(const QString& archive)
{
    beginResetModel();
    m_archive.reset();
    m_count = 0;
    m_readRow = -1;
    try {
        m_archive.emplace(archive, m_format.size);
        m_count = m_archive->count();
    } catch (const ArchiveError&) {
        m_archive.reset();
    }
    endResetModel();
}

int ExportGridModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(std::min<qint64>(m_count, std::numeric_limits<int>::max()));
}

int ExportGridModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_headers.size());
}

QVariant ExportGridModel::data(const QModelIndex& index, int role) const
{
    if (role != Qt::DisplayRole || !index.isValid() || index.row() >= rowCount() || !m_archive)
        return {};
    if (index.column() == 0)
        return QString::number(index.row() + 1);
    if (index.column() > int(m_fields.size()))
        return {};
    if (m_readRow != index.row()) {
        m_readRow = index.row();
        try {
            m_record = m_archive->read(index.row() + 1);
        } catch (const ArchiveError&) {
            // A record that can no longer be read (the archive cut short meanwhile) shows empty.
            m_record.clear();
        }
    }
    if (m_record.size() != m_format.size)
        return QString();
    QByteArrayView cell;
    m_format.storedTexts(m_record, std::span(&m_fields[std::size_t(index.column() - 1)], 1), std::span(&cell, 1));
    return cp1252::decode(trimControls(cell));
}

QVariant ExportGridModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole)
        return m_headers.value(section);
    return QAbstractTableModel::headerData(section, orientation, role);
}
