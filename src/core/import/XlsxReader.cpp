#include "import/XlsxReader.h"

#include "import/XmlAttribute.h"
#include "import/ZipEntries.h"

#include <QHash>
#include <QRegularExpression>
#include <QSet>
#include <QXmlStreamReader>

using namespace Qt::StringLiterals;

namespace xlsxReader {
namespace {

using sheetImport::Cell;

struct Workbook {
    QString sheetPath;
    bool dates1904 = false;
};

QStringView attribute(const QXmlStreamReader& xml, QLatin1StringView name) { return xmlAttribute(xml.attributes(), name); }

// "xl/worksheets/sheet1.xml" from a relationship's target, relative to xl/ or absolute.
QString partPath(QStringView target)
{
    if (target.startsWith(u'/'))
        return target.mid(1).toString();
    return u"xl/"_s + target.toString();
}

std::optional<Workbook> readWorkbook(const ZipEntries& zip)
{
    const std::optional<QByteArray> workbook = zip.read(u"xl/workbook.xml"_s);
    if (!workbook)
        return std::nullopt;
    Workbook result;
    QString firstSheetId;
    QXmlStreamReader xml(*workbook);
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (xml.name() == u"workbookPr") {
            const QStringView flag = attribute(xml, "date1904"_L1);
            result.dates1904 = flag == u"1" || flag == u"true";
        } else if (xml.name() == u"sheet" && firstSheetId.isEmpty()) {
            firstSheetId = attribute(xml, "id"_L1).toString();
        }
    }
    if (xml.hasError())
        return std::nullopt;
    result.sheetPath = u"xl/worksheets/sheet1.xml"_s;
    if (const std::optional<QByteArray> rels = zip.read(u"xl/_rels/workbook.xml.rels"_s)) {
        QXmlStreamReader relations(*rels);
        while (!relations.atEnd()) {
            if (relations.readNext() == QXmlStreamReader::StartElement && relations.name() == u"Relationship"
                && attribute(relations, "Id"_L1) == firstSheetId)
                result.sheetPath = partPath(attribute(relations, "Target"_L1));
        }
    }
    return result;
}

// The text of an <si> or <is>: its <t> elements, without the phonetic runs (<rPh>).
QString stringItem(QXmlStreamReader& xml)
{
    const QString end = xml.name().toString();
    QString text;
    int phonetic = 0;
    while (!xml.atEnd()) {
        const QXmlStreamReader::TokenType token = xml.readNext();
        if (token == QXmlStreamReader::StartElement) {
            if (xml.name() == u"rPh")
                ++phonetic;
            else if (xml.name() == u"t" && phonetic == 0)
                text += xml.readElementText(QXmlStreamReader::IncludeChildElements);
        } else if (token == QXmlStreamReader::EndElement) {
            if (xml.name() == u"rPh")
                --phonetic;
            else if (xml.name() == end)
                break;
        }
    }
    return text;
}

std::optional<QStringList> readSharedStrings(const ZipEntries& zip)
{
    QStringList strings;
    const std::optional<QByteArray> bytes = zip.read(u"xl/sharedStrings.xml"_s);
    if (!bytes)
        return strings;  // a workbook of numbers only has none
    QXmlStreamReader xml(*bytes);
    while (!xml.atEnd()) {
        if (xml.readNext() == QXmlStreamReader::StartElement && xml.name() == u"si")
            strings.append(stringItem(xml));
    }
    if (xml.hasError())
        return std::nullopt;
    return strings;
}

// Whether a number format shows a date: the built-in date formats, and codes with days or years
// outside quoted text and [colour] parts.
bool isDateFormat(int id, const QString& code)
{
    if ((id >= 14 && id <= 17) || id == 22 || (id >= 27 && id <= 36) || (id >= 50 && id <= 58))
        return true;
    if (code.isEmpty())
        return false;
    static const QRegularExpression literals(u"\"[^\"]*\"|\\[[^\\]]*\\]|\\\\."_s);
    const QString bare = QString(code).remove(literals).toLower();
    return bare.contains(u'd') || bare.contains(u'y');
}

// For each cell format (the s attribute of a cell), whether it shows a date.
QList<bool> readDateStyles(const ZipEntries& zip)
{
    QList<bool> dates;
    const std::optional<QByteArray> bytes = zip.read(u"xl/styles.xml"_s);
    if (!bytes)
        return dates;
    QHash<int, QString> codes;
    bool inCellFormats = false;
    QXmlStreamReader xml(*bytes);
    while (!xml.atEnd()) {
        const QXmlStreamReader::TokenType token = xml.readNext();
        if (token == QXmlStreamReader::StartElement) {
            if (xml.name() == u"numFmt")
                codes.insert(attribute(xml, "numFmtId"_L1).toInt(), attribute(xml, "formatCode"_L1).toString());
            else if (xml.name() == u"cellXfs")
                inCellFormats = true;
            else if (xml.name() == u"xf" && inCellFormats) {
                const int id = attribute(xml, "numFmtId"_L1).toInt();
                dates.append(isDateFormat(id, codes.value(id)));
            }
        } else if (token == QXmlStreamReader::EndElement && xml.name() == u"cellXfs") {
            inCellFormats = false;
        }
    }
    return dates;
}

// "BC12" -> 54 (0-based); -1 when the reference has no letters.
int columnOf(QStringView reference)
{
    int column = 0;
    int letters = 0;
    for (QChar c : reference) {
        const char16_t u = c.toUpper().unicode();
        if (u < u'A' || u > u'Z')
            break;
        column = column * 26 + (u - u'A' + 1);
        if (++letters > 3)
            return -1;
    }
    return letters == 0 ? -1 : column - 1;
}

QDate dateFromSerial(double serial, bool dates1904)
{
    if (!(serial >= 0 && serial < 2958466))  // up to 31/12/9999; also refuses NaN
        return {};
    const QDate base = dates1904 ? QDate(1904, 1, 1) : QDate(1899, 12, 30);
    return base.addDays(qint64(serial));
}

struct SheetContext {
    const QStringList& strings;
    const QList<bool>& dateStyles;
    bool dates1904;
};

// One cell, read to its end element; `attributes` are the <c> element's.
Cell readCell(QXmlStreamReader& xml, const QXmlStreamAttributes& attributes, const SheetContext& context)
{
    const QString type = xmlAttribute(attributes, "t"_L1).toString();
    const int style = xmlAttribute(attributes, "s"_L1).toInt();
    QString value;
    QString inlineText;
    bool hasInline = false;
    while (!xml.atEnd()) {
        const QXmlStreamReader::TokenType token = xml.readNext();
        if (token == QXmlStreamReader::StartElement) {
            if (xml.name() == u"v")
                value = xml.readElementText(QXmlStreamReader::IncludeChildElements);
            else if (xml.name() == u"is") {
                inlineText = stringItem(xml);
                hasInline = true;
            } else
                xml.skipCurrentElement();  // the formula, extensions
        } else if (token == QXmlStreamReader::EndElement && xml.name() == u"c") {
            break;
        }
    }
    if (type == u"inlineStr")
        return Cell::ofText(hasInline ? inlineText : value);
    if (type == u"s") {
        bool ok = false;
        const int index = value.toInt(&ok);
        return ok && index >= 0 && index < context.strings.size() ? Cell::ofText(context.strings.at(index)) : Cell{};
    }
    if (type == u"str" || type == u"e")
        return Cell::ofText(value);
    if (type == u"b")
        return value.isEmpty() ? Cell{} : Cell::ofBoolean(value == u"1" || value == u"true");
    if (type == u"d")
        return Cell::ofDate(QDate::fromString(value.left(10), Qt::ISODate));
    bool ok = false;
    const double number = value.toDouble(&ok);
    if (!ok)
        return Cell::ofText(value);
    if (style >= 0 && style < context.dateStyles.size() && context.dateStyles.at(style)) {
        const QDate date = dateFromSerial(number, context.dates1904);
        if (date.isValid())
            return Cell::ofDate(date);
    }
    return Cell::ofNumber(number);
}

}  // namespace

bool isWorkbook(const ZipEntries& zip) { return zip.contains(u"xl/workbook.xml"_s); }

std::optional<sheetImport::Sheet> read(const ZipEntries& zip)
{
    const std::optional<Workbook> workbook = readWorkbook(zip);
    const std::optional<QStringList> strings = readSharedStrings(zip);
    if (!workbook || !strings)
        return std::nullopt;
    const std::optional<QByteArray> bytes = zip.read(workbook->sheetPath);
    if (!bytes)
        return std::nullopt;
    const QList<bool> dateStyles = readDateStyles(zip);
    const SheetContext context{*strings, dateStyles, workbook->dates1904};

    sheetImport::Sheet sheet;
    sheetImport::Row row;
    int nextRow = 1;
    int nextColumn = 0;
    QXmlStreamReader xml(*bytes);
    while (!xml.atEnd()) {
        const QXmlStreamReader::TokenType token = xml.readNext();
        if (token == QXmlStreamReader::StartElement && xml.name() == u"row") {
            const int given = attribute(xml, "r"_L1).toInt();
            row = {given > 0 ? given : nextRow, {}};
            nextRow = row.number + 1;
            nextColumn = 0;
        } else if (token == QXmlStreamReader::StartElement && xml.name() == u"c") {
            const QXmlStreamAttributes attributes = xml.attributes();
            const int given = columnOf(xmlAttribute(attributes, "r"_L1));
            const int column = given >= 0 ? given : nextColumn;
            nextColumn = column + 1;
            sheetImport::place(row, column, readCell(xml, attributes, context));
        } else if (token == QXmlStreamReader::EndElement && xml.name() == u"row") {
            sheetImport::keep(sheet, std::move(row));
            row = {};
        }
    }
    if (xml.hasError())
        return std::nullopt;
    return sheet;
}

}  // namespace xlsxReader
