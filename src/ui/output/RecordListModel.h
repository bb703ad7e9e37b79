#pragma once

#include "output/RowSource.h"

#include <QAbstractListModel>
#include <QFont>
#include <QSize>

#include <memory>

// The rows of a record list for its view: each item in Courier New 12, black, whatever the
// style says, and 1600 wide, so long rows scroll sideways instead of being cut. A row's text is
// made by its source when the view draws it.
class RecordListModel : public QAbstractListModel {
    Q_OBJECT
public:
    // The record position a row was built from.
    static constexpr int PositionRole = Qt::UserRole + 1;
    static constexpr int ItemWidth = 1600;

    explicit RecordListModel(QObject* parent = nullptr);

    void setRows(QList<ListRow> rows);
    void setSource(std::shared_ptr<const RowSource> source);
    void clear();
    const RowSource& source() const { return *m_source; }

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;

private:
    QFont m_font;
    QSize m_itemSize;
    std::shared_ptr<const RowSource> m_source;
};
