#include "output/Workbook.h"

#include "storage/WholeFile.h"

#include <QDate>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <xlsxwriter.h>

#include <memory>

using namespace Qt::StringLiterals;

namespace workbook {
namespace {

bool fail(QString* error, const QString& why)
{
    if (error)
        *error = why;
    return false;
}

QString libraryError(lxw_error code) { return QString::fromUtf8(lxw_strerror(code)); }

// A date the form dd/mm/yyyy writes exactly, within the years a workbook counts.
std::optional<lxw_datetime> dateOf(const QString& text)
{
    if (text.size() != 10)
        return std::nullopt;
    const QDate date = QDate::fromString(text, u"dd/MM/yyyy"_s);
    if (!date.isValid() || date.year() < 1900 || date.year() > 9999)
        return std::nullopt;
    return lxw_datetime{date.year(), date.month(), date.day(), 0, 0, 0};
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

// The workbook itself, written by the library into `path` (a file of our own temporary folder).
lxw_error writeWorkbook(const QByteArray& path, const QByteArray& temporaryFolder, const spreadsheet::Sheet& sheet,
                        const spreadsheet::Table& rows)
{
    // Rows go out one at a time, so a large archive is never held whole by the library; its own
    // temporary files go into our folder.
    lxw_workbook_options options{};
    options.constant_memory = LXW_TRUE;
    options.tmpdir = const_cast<char*>(temporaryFolder.constData());
    lxw_workbook* book = workbook_new_opt(path.constData(), &options);
    if (!book)
        return LXW_ERROR_CREATING_XLSX_FILE;
    const QByteArray sheetName = sheet.name.left(31).toUtf8();
    lxw_worksheet* page = workbook_add_worksheet(book, sheetName.constData());
    lxw_format* header = workbook_add_format(book);
    format_set_bold(header);
    lxw_format* date = workbook_add_format(book);
    format_set_num_format(date, "dd/mm/yyyy");
    QList<lxw_format*> decimals;  // "0", "0.0", "0.00" …
    for (int places = 0; places <= 6; ++places) {
        lxw_format* number = workbook_add_format(book);
        const QByteArray code = places == 0 ? QByteArray("0") : "0." + QByteArray(places, '0');
        format_set_num_format(number, code.constData());
        decimals.append(number);
    }
    if (!page) {
        workbook_close(book);
        return LXW_ERROR_MEMORY_MALLOC_FAILED;
    }

    for (int column = 0; column < sheet.columns.size(); ++column)
        worksheet_set_column(page, lxw_col_t(column), lxw_col_t(column), widthInCharacters(sheet.columns.at(column).exportWidth),
                             nullptr);
    worksheet_freeze_panes(page, 1, 0);

    lxw_error status = LXW_NO_ERROR;
    const auto check = [&status](lxw_error result) {
        if (status == LXW_NO_ERROR)
            status = result;
    };
    for (int column = 0; column < sheet.columns.size(); ++column)
        check(worksheet_write_string(page, 0, lxw_col_t(column), sheet.columns.at(column).label.toUtf8().constData(), header));
    for (qsizetype row = 0; row < rows.size() && status == LXW_NO_ERROR; ++row) {
        const lxw_row_t at = lxw_row_t(row + 1);
        for (int column = 0; column < rows.columns() && column < sheet.columns.size(); ++column) {
            const QString text = rows.cell(row, column);
            if (text.isEmpty())
                continue;
            const lxw_col_t col = lxw_col_t(column);
            switch (sheet.columns.at(column).kind) {
            case spreadsheet::CellKind::Date:
                if (std::optional<lxw_datetime> when = dateOf(text)) {
                    check(worksheet_write_datetime(page, at, col, &*when, date));
                    continue;
                }
                break;
            case spreadsheet::CellKind::Number:
                if (const auto number = numberOf(text)) {
                    check(worksheet_write_number(page, at, col, number->first, decimals.at(number->second)));
                    continue;
                }
                break;
            case spreadsheet::CellKind::Text:
                break;
            }
            check(worksheet_write_string(page, at, col, text.toUtf8().constData(), nullptr));
        }
    }
    const lxw_error closed = workbook_close(book);
    return status != LXW_NO_ERROR ? status : closed;
}

// Copies the finished workbook into place through the program's one checked writer, a mebibyte
// at a time like the .xls, so a large export is never held whole in memory.
bool putInPlace(const QString& path, const QString& written, QString* error)
{
    QFile file(written);
    if (!file.open(QIODevice::ReadOnly))
        return fail(error, file.errorString());
    wholeFile::Writer target(path);
    if (!target.open())
        return fail(error, target.errorString());
    QByteArray piece(1 << 20, Qt::Uninitialized);
    for (;;) {
        const qint64 read = file.read(piece.data(), piece.size());
        if (read < 0)
            return fail(error, file.errorString());
        if (read == 0)
            break;
        if (!target.write(QByteArrayView(piece.constData(), read)))
            return fail(error, target.errorString());
    }
    if (!target.commit())
        return fail(error, target.errorString());
    return true;
}

}  // namespace

QString fileName(const spreadsheet::Sheet& sheet) { return QFileInfo(sheet.fileName).completeBaseName() + u".xlsx"_s; }

spreadsheet::Sheet sheetOf(const spreadsheet::Sheet& sheet)
{
    spreadsheet::Sheet whole = sheet;
    whole.columns += sheet.workbookOnly;
    whole.workbookOnly.clear();
    return whole;
}

double widthInCharacters(int pixels)
{
    // A character of the default font is 7 pixels wide, with 5 pixels of margin in the column.
    return pixels > 5 ? (pixels - 5) / 7.0 : 1.0;
}

bool write(const QString& path, const spreadsheet::Sheet& sheet, const spreadsheet::Table& rows, QString* error)
{
    // The library writes only to a named file: it writes into a private folder outside the data
    // folder, and the result then takes the old file's place whole.
    const QTemporaryDir scratch(QDir::tempPath() + u"/golvera-xlsx-XXXXXX"_s);
    if (!scratch.isValid())
        return fail(error, scratch.errorString());
    const QString written = scratch.filePath(u"export.xlsx"_s);
    const lxw_error status = writeWorkbook(QFile::encodeName(written), QFile::encodeName(scratch.path()), sheet, rows);
    if (status != LXW_NO_ERROR)
        return fail(error, libraryError(status));
    return putInPlace(path, written, error);
}

}  // namespace workbook
