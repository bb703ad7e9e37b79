#include "output/RecordListModel.h"

#include "common/Style.h"
#include "output/SortedRows.h"
#include "withdrawal/WithdrawalMarks.h"

#include <QBrush>

namespace {

struct ToneLook {
    QColor background;
    QColor text;
};

// Light fills with dark text of the same hue: the word in the row says the same for those who do
// not tell the colours apart.
ToneLook look(RowMark::Tone tone)
{
    switch (tone) {
    case RowMark::Tone::Alert:
        return {QColor(0xF8, 0xD3, 0xD3), QColor(0x8B, 0x00, 0x00)};
    case RowMark::Tone::Caution:
        return {QColor(0xFF, 0xEB, 0xB0), QColor(0x6B, 0x45, 0x00)};
    case RowMark::Tone::None:
        break;
    }
    return {};
}

bool alignedRight(listRows::Values values)
{
    return values == listRows::Values::Number || values == listRows::Values::Place;
}

}  // namespace

RecordListModel::RecordListModel(QObject* parent)
    : QAbstractTableModel(parent)
    , m_font(cellFont())
    , m_headingFont(headingFont())
    , m_rows(std::make_shared<SortedRows>(std::make_shared<MadeRows>()))
{
}

RecordListModel::~RecordListModel() = default;

QFont RecordListModel::cellFont() { return style::arial(10); }

QFont RecordListModel::headingFont() { return style::arial(10, true); }

void RecordListModel::setRows(QList<ListRow> rows)
{
    setSource(std::make_shared<MadeRows>(std::move(rows)));
}

void RecordListModel::setSource(std::shared_ptr<const RowSource> source)
{
    beginResetModel();
    m_rows = std::make_shared<SortedRows>(source ? std::move(source) : std::make_shared<MadeRows>());
    if (m_sortColumn >= 0)
        m_rows->sortBy(m_sortColumn, m_sortOrder);
    endResetModel();
}

void RecordListModel::clear()
{
    setSource(nullptr);
}

const RowSource& RecordListModel::source() const { return *m_rows; }

const listRows::Layout& RecordListModel::columns() const { return m_rows->columns(); }

int RecordListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_rows->count());
}

int RecordListModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(std::max<qsizetype>(1, columns().size()));
}

QVariant RecordListModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= m_rows->count())
        return {};
    const int row = index.row();
    switch (role) {
    case Qt::DisplayRole:
    case Qt::ToolTipRole: {
        // A withdrawn record, listed on request, says so after its first column.
        const QDate withdrawn = index.column() == 0 ? m_rows->withdrawnOn(row) : QDate();
        return m_rows->cell(row, index.column()) + (withdrawn.isValid() ? withdrawal::rowNote(withdrawn) : QString());
    }
    case RowTextRole:
        return m_rows->text(row);
    case Qt::FontRole:
        if (m_rows->withdrawnOn(row).isValid()) {
            QFont italic = m_font;
            italic.setItalic(true);
            return italic;
        }
        return m_font;
    case Qt::TextAlignmentRole: {
        const bool right = index.column() < columns().size() && alignedRight(columns().at(index.column()).values);
        return QVariant::fromValue(Qt::AlignVCenter | (right ? Qt::AlignRight : Qt::AlignLeft));
    }
    case Qt::ForegroundRole:
    case Qt::BackgroundRole: {
        const RowMark::Tone tone = m_rows->mark(row).tone;
        if (tone == RowMark::Tone::None) {
            if (role == Qt::BackgroundRole)
                return {};
            return QBrush(m_rows->withdrawnOn(row).isValid() ? QColor(0x60, 0x60, 0x60) : QColor(Qt::black));
        }
        const ToneLook shown = look(tone);
        return QBrush(role == Qt::ForegroundRole ? shown.text : shown.background);
    }
    default:
        return {};
    }
}

QVariant RecordListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal)
        return {};
    switch (role) {
    case Qt::DisplayRole:
        return section < columns().size() ? columns().at(section).header : QString();
    case Qt::FontRole:
        return m_headingFont;
    case Qt::TextAlignmentRole: {
        const bool right = section < columns().size() && alignedRight(columns().at(section).values);
        return QVariant::fromValue(Qt::AlignVCenter | (right ? Qt::AlignRight : Qt::AlignLeft));
    }
    default:
        return {};
    }
}

void RecordListModel::sort(int column, Qt::SortOrder order)
{
    if (column < 0 || column >= columns().size())
        return;
    Q_EMIT layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    // Where each shown row comes from before the sort, to move the selection with it.
    const QModelIndexList before = persistentIndexList();
    QList<qsizetype> underlying;
    underlying.reserve(before.size());
    for (const QModelIndex& index : before)
        underlying.append(m_rows->underlying(index.row()));
    m_rows->sortBy(column, order);
    m_sortColumn = column;
    m_sortOrder = order;
    QModelIndexList after;
    after.reserve(before.size());
    for (qsizetype i = 0; i < before.size(); ++i)
        after.append(index(int(m_rows->shownAt(underlying.at(i))), before.at(i).column()));
    changePersistentIndexList(before, after);
    Q_EMIT layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}
