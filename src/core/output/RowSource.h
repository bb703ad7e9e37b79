#pragma once

#include "output/ListRows.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QDate>
#include <QList>
#include <QString>

// How a row is marked on screen (an expired card, one about to expire), with the word that says
// so: a colour alone would not tell everyone.
struct RowMark {
    enum class Tone { None, Alert, Caution };
    Tone tone = Tone::None;
    QString word;
};

// The rows of a list as its screen reads them: a row's text is asked for only when it is drawn,
// printed or searched, so a long list need not hold every text at once. On screen the rows are a
// table of their columns; sorting reads the stored fields, never the texts.
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

    // The row's columns; none for rows that are only their texts.
    virtual const listRows::Layout& columns() const;
    // A column's field as stored (Windows-1252, blanks around it removed); empty for the columns
    // that hold no field.
    virtual QByteArrayView stored(qsizetype row, qsizetype column) const;
    // The row's place in the list's own order, from 1.
    virtual qsizetype place(qsizetype row) const { return row + 1; }
    virtual RowMark mark(qsizetype row) const;
    // The day the row's record was withdrawn, for a list that shows withdrawn records too;
    // invalid for a record that is not withdrawn.
    virtual QDate withdrawnOn(qsizetype row) const { Q_UNUSED(row); return {}; }

    // What a table cell shows: the whole field, the place or the mark's word.
    QString cell(qsizetype row, qsizetype column) const;

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
