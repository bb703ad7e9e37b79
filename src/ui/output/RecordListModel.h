#pragma once

#include "output/ListRows.h"

#include <QAbstractListModel>
#include <QFont>
#include <QSize>

// The rows of a record list for its view: each item in Courier New 12, black, whatever the
// style says, and 1600 wide, so long rows scroll sideways instead of being cut.
class RecordListModel : public QAbstractListModel {
    Q_OBJECT
public:
    // The record position a row was built from.
    static constexpr int PositionRole = Qt::UserRole + 1;
    static constexpr int ItemWidth = 1600;

    explicit RecordListModel(QObject* parent = nullptr);

    void setRows(QList<ListRow> rows);
    void clear();
    const QList<ListRow>& rows() const { return m_rows; }

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;

private:
    QList<ListRow> m_rows;
    QFont m_font;
    QSize m_itemSize;
};
