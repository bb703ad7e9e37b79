#include "output/ExportGridModel.h"

ExportGridModel::ExportGridModel(const spreadsheet::Sheet& sheet, QObject* parent)
    : QAbstractTableModel(parent)
    , m_rows(int(sheet.columns.size()))
{
    m_headers.append(QStringLiteral("N."));
    for (const spreadsheet::Column& column : sheet.columns)
        m_headers.append(column.label);
}

void ExportGridModel::setRows(spreadsheet::Table rows)
{
    beginResetModel();
    m_rows = std::move(rows);
    endResetModel();
}

int ExportGridModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_rows.size());
}

int ExportGridModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_headers.size());
}

QVariant ExportGridModel::data(const QModelIndex& index, int role) const
{
    if (role != Qt::DisplayRole || !index.isValid() || index.row() >= m_rows.size())
        return {};
    if (index.column() == 0)
        return QString::number(m_rows.position(index.row()));
    if (index.column() > m_rows.columns())
        return {};
    return m_rows.cell(index.row(), index.column() - 1);
}

QVariant ExportGridModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole)
        return m_headers.value(section);
    return QAbstractTableModel::headerData(section, orientation, role);
}
