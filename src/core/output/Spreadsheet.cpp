#include "output/Spreadsheet.h"

#include "output/ArchiveScan.h"
#include "storage/Cp1252.h"
#include "text/TextRules.h"

#include <QSaveFile>

#include <algorithm>

namespace spreadsheet {

namespace {

const QString head = QStringLiteral(
    "<html xmlns:o=\"urn:schemas-microsoft-com:office:office\" xmlns:x=\"urn:schemas-microsoft-com:office:excel\" "
    "xmlns=\"http://www.w3.org/TR/REC-html40\"><head>"
    "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=windows-1252\">"
    "<!--[if gte mso 9]><xml><x:ExcelWorkbook><x:ExcelWorksheets><x:ExcelWorksheet><x:Name>");

const QString options = QStringLiteral(
    "</x:Name><x:WorksheetOptions><x:Selected/><x:Panes><x:Pane><x:Number>1</x:Number>"
    "<x:ActiveRow>3</x:ActiveRow></x:Pane></x:Panes><x:ProtectContents>False</x:ProtectContents>"
    "<x:ProtectObjects>False</x:ProtectObjects><x:ProtectScenarios>False</x:ProtectScenarios>"
    "</x:WorksheetOptions></x:ExcelWorksheet></x:ExcelWorksheets></x:ExcelWorkbook></xml><![endif]-->"
    "</head><body><table x:str>");

const QString tail = QStringLiteral("</table></body></html>");

// A cell's text as it must arrive in the sheet: markup characters would otherwise end the cell.
QString escaped(const QString& text)
{
    const auto markup = [](QChar c) { return c == u'&' || c == u'<' || c == u'>' || c == u'"'; };
    if (std::none_of(text.begin(), text.end(), markup))
        return text;
    QString result;
    result.reserve(text.size());
    for (QChar c : text) {
        switch (c.unicode()) {
        case u'&': result += QStringLiteral("&amp;"); break;
        case u'<': result += QStringLiteral("&lt;"); break;
        case u'>': result += QStringLiteral("&gt;"); break;
        case u'"': result += QStringLiteral("&quot;"); break;
        default: result += c;
        }
    }
    return result;
}

}  // namespace

QList<Row> read(const QString& archive, const RecordFormat& format, const Sheet& sheet)
{
    QList<int> fields;
    for (const Column& column : sheet.columns)
        fields.append(format.indexOf(column.field));
    QList<Row> rows;
    archiveScan::visit(archive, format.size, [&](qint64 position, QByteArrayView record) {
        Row row{position, {}};
        row.cells.reserve(fields.size());
        for (int field : fields)
            row.cells.append(field < 0 ? QString() : trimControls(format.readField(record, field)));
        rows.append(std::move(row));
    });
    return rows;
}

QByteArray document(const Sheet& sheet, const QList<Row>& rows)
{
    QString text = head + escaped(sheet.name) + options + QStringLiteral("<tr>");
    for (const Column& column : sheet.columns) {
        text += QStringLiteral("<td style=\"text-align: left; font-weight: bold;\" width=%1>").arg(column.exportWidth)
                + escaped(column.label) + QStringLiteral("</td>");
    }
    text += QStringLiteral("</tr>");
    const QString cellStart = QStringLiteral("<td style=\"text-align: left;\">");
    const QString cellEnd = QStringLiteral("</td>");
    text.reserve(text.size() + rows.size() * sheet.columns.size() * (cellStart.size() + cellEnd.size() + 24));
    for (const Row& row : rows) {
        text += QStringLiteral("<tr>");
        for (const QString& cell : row.cells) {
            text += cellStart;
            text += escaped(trimControls(cell));
            text += cellEnd;
        }
        text += QStringLiteral("</tr>");
    }
    text += tail;
    return cp1252::encode(text);
}

bool write(const QString& path, const Sheet& sheet, const QList<Row>& rows)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    const QByteArray bytes = document(sheet, rows);
    if (file.write(bytes) != bytes.size()) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

}  // namespace spreadsheet
