#pragma once

#include "output/RowSource.h"

#include <QAbstractTableModel>
#include <QFont>

#include <memory>

class SortedRows;

// The rows of a record list as a table: one column per column of the rows' layout, under its
// heading, each cell showing its field whole (rows that are only texts make one column). A cell's
// text is made when the view draws it. A heading's click sorts by that column; until then the
// rows are in the list's own order.
class RecordListModel : public QAbstractTableModel {
    Q_OBJECT
public:
    // The row's text as the list prints it.
    static constexpr int RowTextRole = Qt::UserRole + 2;

    explicit RecordListModel(QObject* parent = nullptr);
    ~RecordListModel() override;

    // The cells' and the headings' fonts.
    static QFont cellFont();
    static QFont headingFont();

    void setRows(QList<ListRow> rows);
    // New rows keep the column the list is sorted by, if any.
    void setSource(std::shared_ptr<const RowSource> source);
    void clear();
    // The rows as shown, in the order shown.
    const RowSource& source() const;
    const listRows::Layout& columns() const;

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    // Keeps the selected rows selected where they move to.
    void sort(int column, Qt::SortOrder order) override;

private:
    QFont m_font;
    QFont m_headingFont;
    std::shared_ptr<SortedRows> m_rows;
    int m_sortColumn = -1;
    Qt::SortOrder m_sortOrder = Qt::AscendingOrder;
};
