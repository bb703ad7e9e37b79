#pragma once

#include "output/Spreadsheet.h"
#include "storage/RecordFile.h"

#include <QAbstractTableModel>

#include <optional>
#include <vector>

// The export grid's rows: "N." and one column per exported field, one row per record of the
// archive. Only the records on screen are read, when they are drawn, so opening the screen costs
// the same for any archive; the export itself streams from the archive (spreadsheet::write).
class ExportGridModel : public QAbstractTableModel {
public:
    ExportGridModel(const spreadsheet::Sheet& sheet, RecordFormat format, QObject* parent);

    // Shows the records of `archive` (created empty when missing, as every list does); one that
    // cannot be opened shows no rows.
    void setArchive(const QString& archive);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    QStringList m_headers;
    RecordFormat m_format;
    std::vector<int> m_fields;
    std::optional<RecordFile> m_archive;
    qint64 m_count = 0;
    // The record of the row drawn last: a row's cells are asked for one after another.
    mutable qint64 m_readRow = -1;
    mutable QByteArray m_record;
};
