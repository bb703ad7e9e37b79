#include "import/OdsReader.h"

#include "import/XmlAttribute.h"
#include "import/ZipEntries.h"

#include <QXmlStreamReader>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace odsReader {
namespace {

using sheetImport::Cell;

// Repeats larger than this are the "rest of the sheet" filler the programs write; only empty
// rows and cells are repeated that often, and those are skipped, not unfolded.
constexpr int MaxRepeat = 10000;

QStringView attribute(const QXmlStreamReader& xml, QLatin1StringView name) { return xmlAttribute(xml.attributes(), name); }

int repeat(const QXmlStreamReader& xml, QLatin1StringView name)
{
    const int count = attribute(xml, name).toInt();
    return count > 0 ? count : 1;
}

// The text of one <text:p>: spans and links unfolded, <text:s text:c="n"/> as n blanks, tabs
// and line breaks as themselves.
QString paragraph(QXmlStreamReader& xml)
{
    QString text;
    int depth = 1;
    while (depth > 0 && !xml.atEnd()) {
        switch (xml.readNext()) {
        case QXmlStreamReader::StartElement:
            ++depth;
            if (xml.name() == u"s")
                text += QString(repeat(xml, "c"_L1) > MaxRepeat ? 1 : repeat(xml, "c"_L1), u' ');
            else if (xml.name() == u"tab")
                text += u'\t';
            else if (xml.name() == u"line-break")
                text += u'\n';
            else if (xml.name() == u"annotation") {
                xml.skipCurrentElement();
                --depth;
            }
            break;
        case QXmlStreamReader::EndElement:
            --depth;
            break;
        case QXmlStreamReader::Characters:
            text += xml.text();
            break;
        default:
            break;
        }
    }
    return text;
}

// One cell, read to its end element.
Cell readCell(QXmlStreamReader& xml)
{
    const QXmlStreamAttributes attributes = xml.attributes();
    const QString type = xmlAttribute(attributes, "value-type"_L1).toString();
    const QString value = xmlAttribute(attributes, "value"_L1).toString();
    const QString dateValue = xmlAttribute(attributes, "date-value"_L1).toString();
    const QString booleanValue = xmlAttribute(attributes, "boolean-value"_L1).toString();
    QStringList paragraphs;
    int depth = 1;
    while (depth > 0 && !xml.atEnd()) {
        const QXmlStreamReader::TokenType token = xml.readNext();
        if (token == QXmlStreamReader::StartElement) {
            if (xml.name() == u"p")
                paragraphs.append(paragraph(xml));
            else
                xml.skipCurrentElement();  // annotations, drawings
        } else if (token == QXmlStreamReader::EndElement) {
            --depth;
        }
    }
    if (type == u"float" || type == u"percentage" || type == u"currency") {
        bool ok = false;
        const double number = value.toDouble(&ok);
        if (ok)
            return Cell::ofNumber(number);
    } else if (type == u"date") {
        const QDate date = QDate::fromString(dateValue.left(10), Qt::ISODate);
        if (date.isValid())
            return Cell::ofDate(date);
    } else if (type == u"boolean") {
        return Cell::ofBoolean(booleanValue == u"true" || booleanValue == u"1");
    }
    return Cell::ofText(paragraphs.join(u'\n'));
}

}  // namespace

bool isSpreadsheet(const ZipEntries& zip)
{
    const std::optional<QByteArray> mime = zip.read(u"mimetype"_s, 1024);
    return mime && mime->trimmed() == "application/vnd.oasis.opendocument.spreadsheet";
}

std::optional<sheetImport::Sheet> read(const ZipEntries& zip)
{
    const std::optional<QByteArray> content = zip.read(u"content.xml"_s);
    if (!content)
        return std::nullopt;
    sheetImport::Sheet sheet;
    QXmlStreamReader xml(*content);
    int tables = 0;
    int nextRow = 1;
    while (!xml.atEnd()) {
        const QXmlStreamReader::TokenType token = xml.readNext();
        if (token == QXmlStreamReader::StartElement && xml.name() == u"table") {
            if (++tables > 1)
                break;  // only the first sheet
        } else if (token == QXmlStreamReader::StartElement && xml.name() == u"table-row" && tables == 1) {
            const int rows = repeat(xml, "number-rows-repeated"_L1);
            sheetImport::Row row{nextRow, {}};
            int column = 0;
            while (!xml.atEnd()) {
                const QXmlStreamReader::TokenType inner = xml.readNext();
                if (inner == QXmlStreamReader::StartElement
                    && (xml.name() == u"table-cell" || xml.name() == u"covered-table-cell")) {
                    const int columns = repeat(xml, "number-columns-repeated"_L1);
                    const Cell cell = readCell(xml);
                    for (int i = 0; !cell.isEmpty() && i < std::min(columns, sheetImport::MaxColumns); ++i)
                        sheetImport::place(row, column + i, cell);
                    column = int(std::min<qint64>(qint64(column) + columns, sheetImport::MaxColumns));
                } else if (inner == QXmlStreamReader::EndElement && xml.name() == u"table-row") {
                    break;
                }
            }
            const bool empty = row.cells.isEmpty();
            for (int i = 0; !empty && i < std::min(rows, MaxRepeat); ++i) {
                row.number = nextRow + i;
                sheetImport::keep(sheet, row);
            }
            nextRow = int(std::min<qint64>(qint64(nextRow) + rows, qint64(1) << 30));
        }
    }
    if (xml.hasError())
        return std::nullopt;
    return sheet;
}

}  // namespace odsReader
