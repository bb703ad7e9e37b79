#include "output/RecordListModel.h"

#include "common/Style.h"

#include <QBrush>
#include <QFontMetrics>

RecordListModel::RecordListModel(QObject* parent)
    : QAbstractListModel(parent)
    , m_font(style::courierNew(12))
    , m_itemSize(ItemWidth, QFontMetrics(m_font).height() + 4)
{
}

void RecordListModel::setRows(QList<ListRow> rows)
{
    beginResetModel();
    m_rows = std::move(rows);
    endResetModel();
}

void RecordListModel::clear()
{
    setRows({});
}

int RecordListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_rows.size());
}

QVariant RecordListModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= m_rows.size())
        return {};
    switch (role) {
    case Qt::DisplayRole:
        return m_rows.at(index.row()).text;
    case PositionRole:
        return m_rows.at(index.row()).position;
    case Qt::FontRole:
        return m_font;
    case Qt::ForegroundRole:
        return QBrush(Qt::black);
    case Qt::SizeHintRole:
        return m_itemSize;
    default:
        return {};
    }
}
