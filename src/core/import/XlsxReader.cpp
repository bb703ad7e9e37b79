#include "import/XlsxReader.h"

#include "import/XmlStream.h"
#include "import/ZipEntries.h"

#include <QHash>
#include <QRegularExpression>

#include <charconv>
#include <string>

using namespace Qt::StringLiterals;

namespace xlsxReader {
namespace {

using xmlStream::attribute;

struct Workbook {
    QString sheetPath;
    bool dates1904 = false;
};

QString textOf(std::string_view utf8) { return QString::fromUtf8(utf8.data(), qsizetype(utf8.size())); }

// A whole number as the parts write indexes and row numbers; nothing for anything else.
std::optional<int> integerOf(std::string_view text)
{
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    return value;
}

// A cell's number: the C locale's form, blanks around it allowed.
std::optional<double> numberOf(std::string_view text)
{
    while (!text.empty() && static_cast<unsigned char>(text.front()) <= 32)
        text.remove_prefix(1);
    while (!text.empty() && static_cast<unsigned char>(text.back()) <= 32)
        text.remove_suffix(1);
    if (!text.empty() && text.front() == '+')
        text.remove_prefix(1);
    double value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    return value;
}

// "xl/worksheets/sheet1.xml" from a relationship's target, relative to xl/ or absolute.
QString partPath(std::string_view target)
{
    if (!target.empty() && target.front() == '/')
        return textOf(target.substr(1));
    return u"xl/"_s + textOf(target);
}

std::optional<Workbook> readWorkbook(const ZipEntries& zip)
{
    Workbook result;
    std::string firstSheetId;
    bool sheetSeen = false;
    xmlStream::Events workbook;
    workbook.onStart = [&](std::string_view name, const char** attributes) {
        if (name == "workbookPr") {
            const std::string_view flag = attribute(attributes, "date1904");
            result.dates1904 = flag == "1" || flag == "true";
        } else if (name == "sheet" && !sheetSeen) {
            sheetSeen = true;
            firstSheetId = attribute(attributes, "id");
        }
    };
    if (!xmlStream::parse(zip, u"xl/workbook.xml"_s, workbook))
        return std::nullopt;
    result.sheetPath = u"xl/worksheets/sheet1.xml"_s;
    xmlStream::Events relations;
    relations.onStart = [&](std::string_view name, const char** attributes) {
        if (name == "Relationship" && attribute(attributes, "Id") == firstSheetId)
            result.sheetPath = partPath(attribute(attributes, "Target"));
    };
    xmlStream::parse(zip, u"xl/_rels/workbook.xml.rels"_s, relations);  // without it, the usual name
    return result;
}

// The text of an <si> or <is>: its <t> elements, without the phonetic runs (<rPh>). Fed the
// events inside the item.
class StringItem {
public:
    void start(std::string_view name)
    {
        if (name == "rPh")
            ++m_phonetic;
        else if (name == "t" && m_phonetic == 0)
            m_inText = true;
    }
    void end(std::string_view name)
    {
        if (name == "rPh")
            --m_phonetic;
        else if (name == "t")
            m_inText = false;
    }
    void text(std::string_view chars)
    {
        if (m_inText)
            m_text += chars;
    }
    const std::string& read() const { return m_text; }
    // Starts again for the next item, keeping the room the text took.
    void reset()
    {
        m_text.clear();
        m_phonetic = 0;
        m_inText = false;
    }

private:
    std::string m_text;
    int m_phonetic = 0;
    bool m_inText = false;
};

std::optional<QStringList> readSharedStrings(const ZipEntries& zip)
{
    QStringList strings;
    if (!zip.contains(u"xl/sharedStrings.xml"_s))
        return strings;  // a workbook of numbers only has none
    StringItem item;
    bool inItem = false;
    xmlStream::Events events;
    events.onStart = [&](std::string_view name, const char**) {
        if (name == "si") {
            inItem = true;
            item.reset();
        } else if (inItem) {
            item.start(name);
        }
    };
    events.onEnd = [&](std::string_view name) {
        if (name == "si") {
            inItem = false;
            strings.append(textOf(item.read()));
        } else if (inItem) {
            item.end(name);
        }
    };
    events.onText = [&](std::string_view chars) { item.text(chars); };
    if (!xmlStream::parse(zip, u"xl/sharedStrings.xml"_s, events))
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
    QHash<int, QString> codes;
    bool inCellFormats = false;
    xmlStream::Events events;
    events.onStart = [&](std::string_view name, const char** attributes) {
        if (name == "numFmt") {
            codes.insert(integerOf(attribute(attributes, "numFmtId")).value_or(0), textOf(attribute(attributes, "formatCode")));
        } else if (name == "cellXfs") {
            inCellFormats = true;
        } else if (name == "xf" && inCellFormats) {
            const int id = integerOf(attribute(attributes, "numFmtId")).value_or(0);
            dates.append(isDateFormat(id, codes.value(id)));
        }
    };
    events.onEnd = [&](std::string_view name) {
        if (name == "cellXfs")
            inCellFormats = false;
    };
    xmlStream::parse(zip, u"xl/styles.xml"_s, events);  // what was read before a fault still holds
    return dates;
}

// "BC12" -> 54 (0-based); -1 when the reference has no letters.
int columnOf(std::string_view reference)
{
    int column = 0;
    int letters = 0;
    for (const char c : reference) {
        const char u = c >= 'a' && c <= 'z' ? char(c - 32) : c;
        if (u < 'A' || u > 'Z')
            break;
        column = column * 26 + (u - 'A' + 1);
        if (++letters > 3)
            return -1;
    }
    return letters == 0 ? -1 : column - 1;
}

struct SheetContext {
    const QStringList& strings;
    const QList<bool>& dateStyles;
    bool dates1904;
};

// The worksheet's rows, event by event.
class SheetReader : public xmlStream::Handler {
public:
    explicit SheetReader(const SheetContext& context)
        : m_context(context)
    {
    }

    sheetImport::Sheet take() { return std::move(m_sheet); }

    void start(std::string_view name, const char** attributes) override
    {
        if (m_inInline) {
            m_inline.start(name);
        } else if (name == "row") {
            // The row made ready when the last one ended, with its room; nothing read outside a row.
            const int given = integerOf(attribute(attributes, "r")).value_or(0);
            m_row.number = given > 0 ? given : m_nextRow;
            m_row.cells.clear();
            m_row.texts.truncate(0);
            m_nextRow = m_row.number + 1;
            m_nextColumn = 0;
        } else if (name == "c") {
            const int given = columnOf(attribute(attributes, "r"));
            m_column = given >= 0 ? given : m_nextColumn;
            m_nextColumn = m_column + 1;
            m_type = attribute(attributes, "t");
            m_style = integerOf(attribute(attributes, "s")).value_or(0);
            m_value.clear();
            m_inline.reset();
            m_hasInline = false;
            m_inCell = true;
        } else if (m_inCell && name == "v") {
            m_inValue = true;
        } else if (m_inCell && name == "is") {
            m_inInline = true;
            m_hasInline = true;
            m_inline.reset();
        }
    }

    void end(std::string_view name) override
    {
        if (m_inInline) {
            if (name == "is")
                m_inInline = false;
            else
                m_inline.end(name);
        } else if (name == "v") {
            m_inValue = false;
        } else if (name == "c" && m_inCell) {
            m_inCell = false;
            placeCell();
        } else if (name == "row") {
            sheetImport::Row next = sheetImport::rowLike(m_row, 0);
            sheetImport::keep(m_sheet, std::move(m_row));
            m_row = std::move(next);
        }
    }

    void text(std::string_view chars) override
    {
        if (m_inInline)
            m_inline.text(chars);
        else if (m_inValue)
            m_value += chars;
    }

private:
    // The cell just read, into the row.
    void placeCell()
    {
        if (m_type == "inlineStr")
            return sheetImport::placeUtf8(m_row, m_column, m_hasInline ? m_inline.read() : m_value);
        if (m_type == "s") {
            const std::optional<int> index = integerOf(m_value);
            if (index && *index >= 0 && *index < m_context.strings.size())
                sheetImport::placeText(m_row, m_column, m_context.strings.at(*index));
            return;
        }
        if (m_type == "str" || m_type == "e")
            return sheetImport::placeUtf8(m_row, m_column, m_value);
        if (m_type == "b") {
            if (!m_value.empty())
                sheetImport::placeBoolean(m_row, m_column, m_value == "1" || m_value == "true");
            return;
        }
        if (m_type == "d")
            return sheetImport::placeDate(m_row, m_column, QDate::fromString(textOf(m_value).left(10), Qt::ISODate));
        const std::optional<double> number = numberOf(m_value);
        if (!number)
            return sheetImport::placeUtf8(m_row, m_column, m_value);
        if (m_style >= 0 && m_style < m_context.dateStyles.size() && m_context.dateStyles.at(m_style)) {
            const QDate date = sheetImport::dateFromSerial(*number, m_context.dates1904);
            if (date.isValid())
                return sheetImport::placeDate(m_row, m_column, date);
        }
        sheetImport::placeNumber(m_row, m_column, *number);
    }

    const SheetContext& m_context;
    sheetImport::Sheet m_sheet;
    sheetImport::Row m_row;
    int m_nextRow = 1;
    int m_nextColumn = 0;
    // The cell being read.
    bool m_inCell = false;
    int m_column = 0;
    std::string m_type;
    int m_style = 0;
    std::string m_value;
    bool m_inValue = false;
    StringItem m_inline;
    bool m_inInline = false;
    bool m_hasInline = false;
};

}  // namespace

bool isWorkbook(const ZipEntries& zip) { return zip.contains(u"xl/workbook.xml"_s); }

std::optional<sheetImport::Sheet> read(const ZipEntries& zip)
{
    const std::optional<Workbook> workbook = readWorkbook(zip);
    const std::optional<QStringList> strings = readSharedStrings(zip);
    if (!workbook || !strings)
        return std::nullopt;
    const QList<bool> dateStyles = readDateStyles(zip);
    const SheetContext context{*strings, dateStyles, workbook->dates1904};
    SheetReader reader(context);
    if (!xmlStream::parse(zip, workbook->sheetPath, reader))
        return std::nullopt;
    return reader.take();
}

}  // namespace xlsxReader
