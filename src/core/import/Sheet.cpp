#include "import/Sheet.h"

#include "app/Formats.h"

#include <QStringDecoder>

#include <algorithm>
#include <charconv>
#include <cmath>

namespace sheetImport {
namespace {

// The cell at `column`, the gap before it filled with empty cells; its text to be appended next.
// Null beyond MaxColumns.
Cell* slot(Row& row, int column, Cell::Kind kind)
{
    if (column < 0 || column >= MaxColumns)
        return nullptr;
    if (row.cells.size() <= column)
        row.cells.resize(column + 1);
    Cell& cell = row.cells[column];
    cell = Cell{};
    cell.kind = kind;
    cell.start = row.texts.size();
    return &cell;
}

// Ends the text of `cell`, appended to the row since slot() gave it.
void close(Row& row, Cell& cell) { cell.size = row.texts.size() - cell.start; }

}  // namespace

QStringView Row::text(qsizetype column) const
{
    return column >= 0 && column < cells.size() ? text(cells.at(column)) : QStringView();
}

Content Content::ofText(QString text)
{
    Content content;
    if (!text.isEmpty()) {
        content.kind = Cell::Kind::Text;
        content.text = std::move(text);
    }
    return content;
}

Content Content::ofNumber(double value)
{
    Content content;
    content.kind = Cell::Kind::Number;
    content.number = value;
    return content;
}

Content Content::ofDate(const QDate& date)
{
    Content content;
    if (date.isValid()) {
        content.kind = Cell::Kind::Date;
        content.date = date;
    }
    return content;
}

Content Content::ofBoolean(bool value)
{
    Content content;
    content.kind = Cell::Kind::Boolean;
    content.number = value ? 1 : 0;
    return content;
}

QDate dateFromSerial(double serial, bool dates1904)
{
    if (!(serial >= 0 && serial < 2958466))  // up to 31/12/9999; also refuses NaN
        return {};
    const QDate base = dates1904 ? QDate(1904, 1, 1) : QDate(1899, 12, 30);
    return base.addDays(qint64(serial));
}

void place(Row& row, int column, const Content& content)
{
    switch (content.kind) {
    case Cell::Kind::Empty:
        return;
    case Cell::Kind::Text:
        return placeText(row, column, content.text);
    case Cell::Kind::Number:
        return placeNumber(row, column, content.number);
    case Cell::Kind::Date:
        return placeDate(row, column, content.date);
    case Cell::Kind::Boolean:
        return placeBoolean(row, column, content.number != 0);
    }
}

void placeText(Row& row, int column, QStringView text)
{
    if (text.isEmpty())
        return;
    if (Cell* cell = slot(row, column, Cell::Kind::Text)) {
        row.texts.append(text);
        close(row, *cell);
    }
}

void placeUtf8(Row& row, int column, std::string_view text)
{
    if (text.empty())
        return;
    Cell* cell = slot(row, column, Cell::Kind::Text);
    if (!cell)
        return;
    // Decoded straight into the row: UTF-8 never takes fewer bytes than UTF-16 takes units.
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const qsizetype at = row.texts.size();
    row.texts.resize(at + qsizetype(text.size()));
    const QChar* end = utf8.appendToBuffer(row.texts.data() + at, QByteArrayView(text.data(), qsizetype(text.size())));
    row.texts.truncate(end - row.texts.constData());
    close(row, *cell);
}

void placeNumber(Row& row, int column, double value)
{
    Cell* cell = slot(row, column, Cell::Kind::Number);
    if (!cell)
        return;
    cell->number = value;
    // Whole numbers without a decimal part (a count, a shirt number, a postal code read as a
    // number); others as the Italian screens write them.
    if (std::isfinite(value) && value == std::floor(value) && std::fabs(value) < 1e15) {
        char digits[24];
        const auto written = std::to_chars(std::begin(digits), std::end(digits), qint64(value));
        row.texts.append(QLatin1StringView(digits, written.ptr - digits));
    } else {
        row.texts.append(QString::number(value, 'g', 15).replace(QLatin1Char('.'), QLatin1Char(',')));
    }
    close(row, *cell);
}

void placeDate(Row& row, int column, const QDate& date)
{
    if (!date.isValid())
        return;
    Cell* cell = slot(row, column, Cell::Kind::Date);
    if (!cell)
        return;
    cell->date = date;
    char16_t text[10];
    if (formats::writeDate(date, text))
        row.texts.append(reinterpret_cast<const QChar*>(text), 10);
    else
        row.texts.append(formats::dateText(date));
    close(row, *cell);
}

void placeBoolean(Row& row, int column, bool value)
{
    if (Cell* cell = slot(row, column, Cell::Kind::Boolean)) {
        cell->number = value ? 1 : 0;
        row.texts.append(value ? QStringView(u"S\u00EC") : QStringView(u"No"));
        close(row, *cell);
    }
}

void keep(Sheet& sheet, Row row)
{
    if (std::any_of(row.cells.cbegin(), row.cells.cend(), [](const Cell& cell) { return !cell.isEmpty(); }))
        sheet.rows.append(std::move(row));
}

Row rowLike(const Row& previous, int number)
{
    Row row;
    row.number = number;
    row.cells.reserve(previous.cells.size());
    row.texts.reserve(previous.texts.size());
    return row;
}

}  // namespace sheetImport
