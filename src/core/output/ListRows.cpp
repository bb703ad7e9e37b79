#include "output/ListRows.h"

#include "text/TextRules.h"

#include <algorithm>
#include <cstring>
#include <numeric>
#include <vector>

namespace listRows {

void appendColumn(QString& row, const QString& field, qsizetype width)
{
    const QString text = trimControls(field);
    const qsizetype at = row.size();
    row.append(QStringView(text).first(std::min(text.size(), width)));
    row.resize(at + width, u' ');
}

void appendLast(QString& row, const QString& field)
{
    row.append(trimControls(field));
}

char* writeColumn(char* out, QByteArrayView trimmed, qsizetype width)
{
    const qsizetype shown = width < 0 ? trimmed.size() : std::min(trimmed.size(), width);
    std::memcpy(out, trimmed.data(), std::size_t(shown));
    if (width < 0)
        return out + shown;
    std::memset(out + shown, ' ', std::size_t(width - shown));
    return out + width;
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
