#include "import/OdsReader.h"

#include "import/XmlStream.h"
#include "import/ZipEntries.h"

#include <QDate>

#include <algorithm>
#include <charconv>

using namespace Qt::StringLiterals;

namespace odsReader {
namespace {

using sheetImport::Content;
using xmlStream::attribute;

// Repeats larger than this are the "rest of the sheet" filler the programs write; only empty
// rows and cells are repeated that often, and those are skipped, not unfolded.
constexpr int MaxRepeat = 10000;

int repeat(const char** attributes, std::string_view name)
{
    const std::string_view text = attribute(attributes, name);
    int count = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), count);
    return error == std::errc() && end == text.data() + text.size() && count > 0 ? count : 1;
}

QString textOf(std::string_view utf8) { return QString::fromUtf8(utf8.data(), qsizetype(utf8.size())); }

// The first table's rows, event by event. A cell's text is its paragraphs (<text:p>) one per
// line, spans and links unfolded, <text:s text:c="n"/> as n blanks, tabs and line breaks as
// themselves; annotations and drawings in a cell are left out.
class TableReader : public xmlStream::Handler {
public:
    sheetImport::Sheet take() { return std::move(m_sheet); }

    void start(std::string_view name, const char** attributes) override
    {
        if (m_skipping > 0) {
            ++m_skipping;
        } else if (name == "table") {
            if (++m_tables > 1)
                m_done = true;
        } else if (m_done || m_tables != 1) {
        } else if (m_paragraph) {
            ++m_paragraph;
            if (name == "s") {
                const int blanks = repeat(attributes, "c");
                m_text.append(std::size_t(blanks > MaxRepeat ? 1 : blanks), ' ');
            } else if (name == "tab") {
                m_text += '\t';
            } else if (name == "line-break") {
                m_text += '\n';
            } else if (name == "annotation") {
                --m_paragraph;
                m_skipping = 1;
            }
        } else if (m_inCell) {
            if (name == "p")
                m_paragraph = 1;
            else
                m_skipping = 1;  // annotations, drawings
        } else if (m_inRow && (name == "table-cell" || name == "covered-table-cell")) {
            m_inCell = true;
            m_columns = repeat(attributes, "number-columns-repeated");
            m_type = attribute(attributes, "value-type");
            m_value = attribute(attributes, "value");
            m_dateValue = attribute(attributes, "date-value");
            m_booleanValue = attribute(attributes, "boolean-value");
            m_paragraphs.clear();
        } else if (name == "table-row") {
            m_inRow = true;
            m_rows = repeat(attributes, "number-rows-repeated");
            m_row = sheetImport::Row{m_nextRow, {}, {}};
            m_column = 0;
        }
    }

    void end(std::string_view name) override
    {
        if (m_skipping > 0) {
            --m_skipping;
        } else if (m_paragraph > 0) {
            if (--m_paragraph == 0) {
                m_paragraphs.append(textOf(m_text));
                m_text.clear();
            }
        } else if (m_inCell) {
            m_inCell = false;
            const Content cell = content();
            for (int i = 0; !cell.isEmpty() && i < std::min(m_columns, sheetImport::MaxColumns); ++i)
                sheetImport::place(m_row, m_column + i, cell);
            m_column = int(std::min<qint64>(qint64(m_column) + m_columns, sheetImport::MaxColumns));
        } else if (m_inRow && name == "table-row") {
            m_inRow = false;
            const bool empty = m_row.cells.isEmpty();
            for (int i = 0; !empty && i < std::min(m_rows, MaxRepeat); ++i) {
                m_row.number = m_nextRow + i;
                sheetImport::keep(m_sheet, m_row);
            }
            m_nextRow = int(std::min<qint64>(qint64(m_nextRow) + m_rows, qint64(1) << 30));
        }
    }

    void text(std::string_view chars) override
    {
        if (m_paragraph > 0 && m_skipping == 0)
            m_text.append(chars);
    }

private:
    Content content() const
    {
        if (m_type == "float" || m_type == "percentage" || m_type == "currency") {
            bool ok = false;
            const double number = textOf(m_value).toDouble(&ok);
            if (ok)
                return Content::ofNumber(number);
        } else if (m_type == "date") {
            const QDate date = QDate::fromString(textOf(m_dateValue).left(10), Qt::ISODate);
            if (date.isValid())
                return Content::ofDate(date);
        } else if (m_type == "boolean") {
            return Content::ofBoolean(m_booleanValue == "true" || m_booleanValue == "1");
        }
        return Content::ofText(m_paragraphs.join(u'\n'));
    }

    sheetImport::Sheet m_sheet;
    int m_tables = 0;
    bool m_done = false;  // past the first table
    int m_skipping = 0;   // depth inside an element left out
    bool m_inRow = false;
    sheetImport::Row m_row;
    int m_rows = 1;
    int m_nextRow = 1;
    int m_column = 0;
    bool m_inCell = false;
    int m_columns = 1;
    std::string m_type, m_value, m_dateValue, m_booleanValue;
    int m_paragraph = 0;  // depth inside a <text:p>
    std::string m_text;   // the paragraph's text so far, UTF-8
    QStringList m_paragraphs;
};

}  // namespace

bool isSpreadsheet(const ZipEntries& zip)
{
    const std::optional<QByteArray> mime = zip.read(u"mimetype"_s, 1024);
    return mime && mime->trimmed() == "application/vnd.oasis.opendocument.spreadsheet";
}

std::optional<sheetImport::Sheet> read(const ZipEntries& zip)
{
    // Through the same streaming parser as the .xlsx sheets: no input makes it work more than in
    // proportion to its size (one attribute of many megabytes included).
    TableReader table;
    if (!xmlStream::parse(zip, u"content.xml"_s, table))
        return std::nullopt;
    return table.take();
}

}  // namespace odsReader
