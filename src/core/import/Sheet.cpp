#include "import/Sheet.h"

#include <algorithm>
#include <cmath>

namespace sheetImport {

Cell Cell::ofText(QString text)
{
    Cell cell;
    if (!text.isEmpty()) {
        cell.kind = Kind::Text;
        cell.text = std::move(text);
    }
    return cell;
}

Cell Cell::ofNumber(double value)
{
    Cell cell;
    cell.kind = Kind::Number;
    cell.number = value;
    // Whole numbers without a decimal part (a count, a shirt number, a postal code read as a
    // number); others as the Italian screens write them.
    if (std::isfinite(value) && value == std::floor(value) && std::fabs(value) < 1e15)
        cell.text = QString::number(qint64(value));
    else
        cell.text = QString::number(value, 'g', 15).replace(QLatin1Char('.'), QLatin1Char(','));
    return cell;
}

Cell Cell::ofDate(const QDate& date)
{
    if (!date.isValid())
        return {};
    Cell cell;
    cell.kind = Kind::Date;
    cell.date = date;
    cell.text = dateText(date);
    return cell;
}

Cell Cell::ofBoolean(bool value)
{
    Cell cell;
    cell.kind = Kind::Boolean;
    cell.number = value ? 1 : 0;
    cell.text = value ? QStringLiteral("S\u00EC") : QStringLiteral("No");
    return cell;
}

QString dateText(const QDate& date)
{
    int year = 0;
    int month = 0;
    int day = 0;
    date.getDate(&year, &month, &day);
    if (!date.isValid() || year < 1 || year > 9999)
        return date.toString(QStringLiteral("dd/MM/yyyy"));
    // By hand: every date cell of a large sheet passes here, and the locale's formatter is slow.
    const char16_t text[10] = {char16_t(u'0' + day / 10),  char16_t(u'0' + day % 10),         u'/',
                               char16_t(u'0' + month / 10), char16_t(u'0' + month % 10),      u'/',
                               char16_t(u'0' + year / 1000), char16_t(u'0' + year / 100 % 10), char16_t(u'0' + year / 10 % 10),
                               char16_t(u'0' + year % 10)};
    return QString(reinterpret_cast<const QChar*>(text), 10);
}

void place(Row& row, int column, const Cell& cell)
{
    if (cell.isEmpty() || column < 0 || column >= MaxColumns)
        return;
    while (row.cells.size() < column)
        row.cells.append(Cell{});
    if (row.cells.size() == column)
        row.cells.append(cell);
    else
        row.cells[column] = cell;
}

void keep(Sheet& sheet, Row row)
{
    if (std::any_of(row.cells.cbegin(), row.cells.cend(), [](const Cell& cell) { return !cell.isEmpty(); }))
        sheet.rows.append(std::move(row));
}

}  // namespace sheetImport
