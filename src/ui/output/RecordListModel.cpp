#include "output/RecordListModel.h"

#include "common/Style.h"

#include <QBrush>
#include <QFontMetrics>

RecordListModel::RecordListModel(QObject* parent)
    : QAbstractListModel(parent)
    , m_font(style::courierNew(12))
    , m_itemSize(ItemWidth, QFontMetrics(m_font).height() + 4)
    , m_source(std::make_shared<MadeRows>())
{
}

void RecordListModel::setRows(QList<ListRow> rows)
{
    setSource(std::make_shared<MadeRows>(std::move(rows)));
}

void RecordListModel::setSource(std::shared_ptr<const RowSource> source)
{
    beginResetModel();
    m_source = source ? std::move(source) : std::make_shared<MadeRows>();
    endResetModel();
}

void RecordListModel::clear()
{
    setSource(nullptr);
}

int RecordListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_source->count());
}

QVariant RecordListModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= m_source->count())
        return {};
    switch (role) {
    case Qt::DisplayRole:
        return m_source->text(index.row());
    case PositionRole:
        return m_source->position(index.row());
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
