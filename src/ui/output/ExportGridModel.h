#pragma once

#include "output/Spreadsheet.h"

#include <QAbstractTableModel>

// The export grid's rows: "N." and one column per exported field, made on demand for the rows on
// screen, so a large archive costs no widgets.
class ExportGridModel : public QAbstractTableModel {
public:
    ExportGridModel(const spreadsheet::Sheet& sheet, QObject* parent);

    void setRows(spreadsheet::Table rows);
    const spreadsheet::Table& rows() const { return m_rows; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    QStringList m_headers;
    spreadsheet::Table m_rows;
};
