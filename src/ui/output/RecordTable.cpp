#include "output/RecordTable.h"

#include "common/EnterChain.h"
#include "output/RecordListModel.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>

#include <algorithm>
#include <numeric>

namespace {

// Room around a cell's text, and beside a heading for the sort arrow.
constexpr int CellPadding = 12;
constexpr int ArrowRoom = 18;
// Characters a last column of unknown width is given, and the fewest notes keep.
constexpr int LastColumnChars = 14;
constexpr int FreeTextChars = 12;

struct Need {
    int natural;
    int minimum;
    bool freeText;
};

Need need(const listRows::Column& column, const QFontMetricsF& cell, const QFontMetricsF& heading)
{
    // A mixed run of letters stands for a name or a note; digits for numbers and places.
    static const QString sample = QStringLiteral("abcdefghijklmnopqrstuvwxyz ABCDEFGHIJKLM");
    const qreal letter = cell.horizontalAdvance(sample) / qreal(sample.size());
    const qreal digit = cell.horizontalAdvance(QLatin1Char('0'));
    const qsizetype chars = column.width > 0 ? column.width : LastColumnChars;
    qreal content = 0;
    switch (column.values) {
    case listRows::Values::Text:
    case listRows::Values::Mark:
        content = qreal(chars) * letter;
        break;
    case listRows::Values::Number:
    case listRows::Values::Place:
        content = qreal(column.width > 0 ? column.width : 7) * digit;
        break;
    case listRows::Values::Date:
        content = cell.horizontalAdvance(QStringLiteral("00/00/0000"));
        break;
    }
    const int minimum = int(std::ceil(heading.horizontalAdvance(column.header))) + ArrowRoom + CellPadding;
    const int natural = std::max(minimum, int(std::ceil(content)) + CellPadding);
    const int least = column.freeText ? std::max(minimum, int(FreeTextChars * letter) + CellPadding) : minimum;
    return {natural, std::min(least, natural), column.freeText};
}

// Takes up to `excess` pixels from `widths`, never below the minimums, from each in proportion to
// what it has above its minimum; returns what could not be taken.
int shrink(std::vector<int>& widths, const std::vector<Need>& needs, int excess, bool freeTextOnly)
{
    std::vector<int> slack(widths.size(), 0);
    for (std::size_t i = 0; i < widths.size(); ++i) {
        if (!freeTextOnly || needs[i].freeText)
            slack[i] = widths[i] - needs[i].minimum;
    }
    const int total = std::accumulate(slack.begin(), slack.end(), 0);
    if (total <= 0 || excess <= 0)
        return excess;
    const int taken = std::min(excess, total);
    int left = taken;
    for (std::size_t i = 0; i < widths.size(); ++i) {
        const int part = int(qint64(taken) * slack[i] / total);
        widths[i] -= part;
        slack[i] -= part;
        left -= part;
    }
    // What rounding left over, a pixel at a time.
    for (std::size_t i = 0; left > 0 && i < widths.size(); i = (i + 1) % widths.size()) {
        if (slack[i] > 0) {
            --widths[i];
            --slack[i];
            --left;
        }
    }
    return excess - taken;
}

}  // namespace

RecordTable::RecordTable(RecordListModel* model, QWidget* parent)
    : QTableView(parent)
    , m_model(model)
{
    setObjectName(QStringLiteral("lstRecords"));
    setModel(model);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setTabKeyNavigation(false);  // Tab leaves the list for the next control
    setWordWrap(false);
    setTextElideMode(Qt::ElideRight);
    setShowGrid(false);
    setAlternatingRowColors(true);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    // Always there, so the columns fit the same width whether the rows fill the list or not.
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);

    // One height for every row: long lists stay quick.
    verticalHeader()->hide();
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(QFontMetrics(RecordListModel::cellFont()).height() + 8);

    QHeaderView* headings = horizontalHeader();
    headings->setHighlightSections(false);
    headings->setSectionsClickable(true);
    headings->setSortIndicatorShown(true);
    headings->setSortIndicator(-1, Qt::AscendingOrder);  // the list's own order until a click
    headings->setStretchLastSection(true);
    headings->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    connect(headings, &QHeaderView::sortIndicatorChanged, this, [this](int column, Qt::SortOrder order) {
        m_model->sort(column, order);
        scrollTo(currentIndex());
    });
    connect(model, &QAbstractItemModel::modelReset, this, &RecordTable::fitColumns);
    connect(this, &QAbstractItemView::doubleClicked, this, [this](const QModelIndex& index) {
        if (index.isValid())
            Q_EMIT rowOpened(index.row());
    });
}

int RecordTable::selectedRow() const
{
    const QModelIndexList rows = selectionModel()->selectedRows();
    return rows.isEmpty() ? -1 : rows.first().row();
}

void RecordTable::choose(int row)
{
    const QModelIndex index = m_model->index(row, 0);
    if (!index.isValid())
        return;
    selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    scrollTo(index);
}

void RecordTable::keyPressEvent(QKeyEvent* event)
{
    if (enterChain::isEnter(event->key())) {
        if (const int row = selectedRow(); row >= 0) {
            Q_EMIT rowOpened(row);
            event->accept();
            return;
        }
    }
    QTableView::keyPressEvent(event);
}

void RecordTable::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && !indexAt(event->position().toPoint()).isValid()) {
        event->accept();
        Q_EMIT nothingOpened();
        return;
    }
    QTableView::mouseDoubleClickEvent(event);
}

void RecordTable::resizeEvent(QResizeEvent* event)
{
    QTableView::resizeEvent(event);
    fitColumns();
}

void RecordTable::fitColumns()
{
    const listRows::Layout& columns = m_model->columns();
    if (columns.isEmpty())
        return;
    const QFontMetricsF cell(RecordListModel::cellFont());
    const QFontMetricsF heading(RecordListModel::headingFont());
    std::vector<Need> needs;
    std::vector<int> widths;
    for (const listRows::Column& column : columns) {
        needs.push_back(need(column, cell, heading));
        widths.push_back(needs.back().natural);
    }
    const int excess = std::accumulate(widths.begin(), widths.end(), 0) - viewport()->width();
    if (excess > 0)
        shrink(widths, needs, shrink(widths, needs, excess, true), false);
    for (std::size_t i = 0; i < widths.size(); ++i)
        horizontalHeader()->resizeSection(int(i), widths[i]);
}
