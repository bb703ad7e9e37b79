#include "output/ListRows.h"

#include "text/TextRules.h"

#include <algorithm>
#include <numeric>
#include <vector>

namespace listRows {

namespace {

// One rule for texts and for stored bytes, which hold one character per byte.
template <typename Row, typename Text, typename Blank>
void appendPadded(Row& row, const Text& trimmed, qsizetype width, Blank blank)
{
    const qsizetype at = row.size();
    row.append(trimmed.first(std::min(trimmed.size(), width)));
    row.resize(at + width, blank);
}

}  // namespace

void appendColumn(QString& row, const QString& field, qsizetype width)
{
    appendPadded(row, QStringView(trimControls(field)), width, u' ');
}

void appendLast(QString& row, const QString& field)
{
    row.append(trimControls(field));
}

void appendColumn(QByteArray& row, QByteArrayView field, qsizetype width)
{
    appendPadded(row, trimControls(field), width, ' ');
}

void appendLast(QByteArray& row, QByteArrayView field)
{
    row.append(trimControls(field));
}

QString build(const Layout& layout, const QStringList& values)
{
    QString row;
    for (qsizetype i = 0; i < layout.size(); ++i) {
        const Column& column = layout.at(i);
        row.append(column.label);
        if (column.width < 0)
            appendLast(row, values.value(i));
        else
            appendColumn(row, values.value(i), column.width);
    }
    return row;
}

bool orderLess(const QString& a, const QString& b)
{
    // Plain QString comparison is code-unit order, and a prefix compares less.
    return upperAsciiLetters(a) < upperAsciiLetters(b);
}

namespace {

// Sorts the indices 0..keys.size()-1 by the folded keys, stable, so each text is folded once
// rather than at every comparison.
std::vector<qsizetype> sortedOrder(const QStringList& keys)
{
    std::vector<qsizetype> order(keys.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(),
                     [&keys](qsizetype a, qsizetype b) { return keys.at(a) < keys.at(b); });
    return order;
}

}  // namespace

void sort(QList<ListRow>& rows)
{
    QStringList keys;
    keys.reserve(rows.size());
    for (const ListRow& row : rows)
        keys.append(upperAsciiLetters(row.text));
    const std::vector<qsizetype> order = sortedOrder(keys);
    QList<ListRow> sorted;
    sorted.reserve(rows.size());
    for (qsizetype index : order)
        sorted.append(std::move(rows[index]));
    rows = std::move(sorted);
}

void sort(QStringList& texts)
{
    QStringList keys;
    keys.reserve(texts.size());
    for (const QString& text : texts)
        keys.append(upperAsciiLetters(text));
    const std::vector<qsizetype> order = sortedOrder(keys);
    QStringList sorted;
    sorted.reserve(texts.size());
    for (qsizetype index : order)
        sorted.append(texts.at(index));
    texts = std::move(sorted);
}

}  // namespace listRows
