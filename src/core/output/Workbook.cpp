#include "output/Workbook.h"

#include "app/Plugins.h"
#include "output/WorkbookPlugin.h"
#include "storage/WholeFile.h"

#include <QDate>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <memory>
#include <optional>
#include <utility>

using namespace Qt::StringLiterals;

namespace workbook {
namespace {

bool fail(QString* error, const QString& why)
{
    if (error)
        *error = why;
    return false;
}

WorkbookPlugin* plugin()
{
    static WorkbookPlugin* const loaded =
        qobject_cast<WorkbookPlugin*>(plugins::load(plugins::folder(), plugins::workbook));
    return loaded;
}

// A date the form dd/mm/yyyy writes exactly, within the years a workbook counts.
std::optional<QDate> dateOf(const QString& text)
{
    if (text.size() != 10)
        return std::nullopt;
    const QDate date = QDate::fromString(text, u"dd/MM/yyyy"_s);
    if (!date.isValid() || date.year() < 1900 || date.year() > 9999)
        return std::nullopt;
    return date;
}

// A number written in the Italian form the program stores ("12", "3,50"), without the leading
// zeros, signs or blanks that a number cell would not show back; the decimals it has.
std::optional<std::pair<double, int>> numberOf(const QString& text)
{
    static const QRegularExpression form(u"^(0|[1-9][0-9]{0,14})(?:,([0-9]{1,6}))?$"_s);
    const QRegularExpressionMatch match = form.match(text);
    if (!match.hasMatch())
        return std::nullopt;
    const QString decimals = match.captured(2);
    return std::pair{QString(text).replace(u',', u'.').toDouble(), int(decimals.size())};
}

// The workbook itself, written by the plugin into `path` (a file of our own temporary folder):
// typed cells, a bold header row that stays in view. The failure, empty when written.
QString writeWorkbook(const QString& path, const QString& temporaryFolder, const spreadsheet::Sheet& sheet,
                      const spreadsheet::Table& rows)
{
    QString error;
    const std::unique_ptr<WorkbookWriter> book = plugin()->create(path, temporaryFolder, sheet.name.left(31), &error);
    if (!book)
        return error;
    for (int column = 0; column < sheet.columns.size(); ++column)
        book->setColumnWidth(column, widthInCharacters(sheet.columns.at(column).exportWidth));
    book->freezeHeader();

    bool written = true;
    for (int column = 0; column < sheet.columns.size(); ++column)
        written = book->text(0, column, sheet.columns.at(column).label, true) && written;
    for (qsizetype row = 0; row < rows.size() && written; ++row) {
        const int at = int(row + 1);
        for (int column = 0; column < rows.columns() && column < sheet.columns.size(); ++column) {
            const QString text = rows.cell(row, column);
            if (text.isEmpty())
                continue;
            switch (sheet.columns.at(column).kind) {
            case spreadsheet::CellKind::Date:
                if (const std::optional<QDate> when = dateOf(text)) {
                    written = book->date(at, column, *when) && written;
                    continue;
                }
                break;
            case spreadsheet::CellKind::Number:
                if (const auto number = numberOf(text)) {
                    written = book->number(at, column, number->first, number->second) && written;
                    continue;
                }
                break;
            case spreadsheet::CellKind::Text:
                break;
            }
            written = book->text(at, column, text) && written;
        }
    }
    return book->close();
}

// Copies the finished workbook into place through the program's one checked writer, a mebibyte
// at a time like the .xls, so a large export is never held whole in memory.
bool putInPlace(const QString& path, const QString& written, QString* error)
{
    QFile file(written);
    if (!file.open(QIODevice::ReadOnly))
        return fail(error, file.errorString());
    wholeFile::Writer target(path);
    const wholeFile::Copied copied = wholeFile::copy([&file](char* into, qint64 size) { return file.read(into, size); }, target);
    if (!copied.ok())
        return fail(error, copied.failure == wholeFile::Copied::Failure::Read ? file.errorString() : copied.error);
    return true;
}

}  // namespace

QString fileName(const spreadsheet::Sheet& sheet) { return QFileInfo(sheet.fileName).completeBaseName() + u".xlsx"_s; }

spreadsheet::Sheet sheetOf(const spreadsheet::Sheet& sheet)
{
    spreadsheet::Sheet whole = sheet;
    whole.columns += sheet.workbookOnly;
    whole.workbookOnly.clear();
    whole.columns.append({u"colRitirata"_s, u"Ritirata"_s, 0, 90, spreadsheet::withdrawnField, spreadsheet::CellKind::Date});
    return whole;
}

double widthInCharacters(int pixels)
{
    // A character of the default font is 7 pixels wide, with 5 pixels of margin in the column.
    return pixels > 5 ? (pixels - 5) / 7.0 : 1.0;
}

QString missingMessage()
{
    return plugins::missingMessage(u"il supporto per i file .xlsx non \u00E8 installato"_s, plugins::workbook);
}

bool write(const QString& path, const spreadsheet::Sheet& sheet, const spreadsheet::Table& rows, QString* error)
{
    // The library writes only to a named file: it writes into a private folder outside the data
    // folder, and the result then takes the old file's place whole.
    const QTemporaryDir scratch(QDir::tempPath() + u"/golvera-xlsx-XXXXXX"_s);
    if (!scratch.isValid())
        return fail(error, scratch.errorString());
    if (!plugin())
        return fail(error, missingMessage());
    const QString written = scratch.filePath(u"export.xlsx"_s);
    if (const QString failure = writeWorkbook(written, scratch.path(), sheet, rows); !failure.isEmpty())
        return fail(error, failure);
    return putInPlace(path, written, error);
}

}  // namespace workbook
