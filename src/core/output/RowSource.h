#pragma once

#include "output/ListRows.h"

#include <QByteArray>
#include <QList>
#include <QString>

// The rows of a list as its screen reads them: a row's text is asked for only when it is drawn,
// printed or searched, so a long list need not hold every text at once.
class RowSource {
public:
    virtual ~RowSource() = default;
    virtual qsizetype count() const = 0;
    virtual QString text(qsizetype row) const = 0;
    // The 1-based position of the record the row was built from.
    virtual qint64 position(qsizetype row) const = 0;
    // The row's text as Windows-1252 bytes, one per character, appended to `bytes`: long lists
    // are written out this way without a text made per row. The rows read compactly have them
    // already; others encode their texts.
    virtual void appendStored(qsizetype row, QByteArray& bytes) const;
    // A hint that `row` is asked for soon: a long list written out in an order of its own has the
    // row's bytes fetched from memory meanwhile.
    virtual void fetchAhead(qsizetype row) const { Q_UNUSED(row); }

    // Every row with its text, in list order.
    QList<ListRow> all() const;
};

// Rows whose texts are already made (the results of a search, which are sorted by their text).
class MadeRows : public RowSource {
public:
    explicit MadeRows(QList<ListRow> rows = {}) : m_rows(std::move(rows)) {}
    qsizetype count() const override { return m_rows.size(); }
    QString text(qsizetype row) const override { return m_rows.at(row).text; }
    qint64 position(qsizetype row) const override { return m_rows.at(row).position; }

private:
    QList<ListRow> m_rows;
};
