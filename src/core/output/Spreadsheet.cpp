#include "output/Spreadsheet.h"

#include "app/Formats.h"
#include "output/ArchiveScan.h"
#include "storage/Cp1252.h"
#include "storage/WholeFile.h"
#include "text/TextRules.h"
#include "withdrawal/WithdrawalMarks.h"

#include <QFileInfo>

#include <algorithm>
#include <array>
#include <cstring>
#include <functional>
#include <vector>

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

// Whether any byte is a markup character, eight bytes at a time: most rows hold none, and then
// their cells are copied without looking at each byte.
bool containsMarkup(QByteArrayView bytes)
{
    constexpr quint64 Ones = 0x0101010101010101ULL;
    constexpr quint64 Highs = 0x8080808080808080ULL;
    // Non-zero exactly when some byte of `word` equals `c`.
    const auto has = [](quint64 word, unsigned char c) {
        const quint64 x = word ^ (Ones * c);
        return (x - Ones) & ~x & Highs;
    };
    qsizetype at = 0;
    for (; at + 8 <= bytes.size(); at += 8) {
        quint64 word;
        std::memcpy(&word, bytes.data() + at, sizeof word);
        if (has(word, '&') | has(word, '<') | has(word, '>') | has(word, '"'))
            return true;
    }
    for (; at < bytes.size(); ++at) {
        const char c = bytes[at];
        if (c == '&' || c == '<' || c == '>' || c == '"')
            return true;
    }
    return false;
}

// Fills a buffer with the document and hands it on whenever it is about a mebibyte long, so that
// a large export is never held whole in memory twice. Rows are copied with plain memcpy: this is
// the inner loop of every export.
class PieceWriter {
public:
    explicit PieceWriter(const std::function<bool(QByteArrayView)>& sink)
        : m_sink(sink)
        , m_buffer(Piece, Qt::Uninitialized)
    {
    }

    // Room for `bytes` more, handing the full part on first; false when the sink refused it.
    bool reserve(qsizetype bytes)
    {
        if (m_used + bytes <= m_buffer.size())
            return true;
        if (!flush())
            return false;
        if (bytes > m_buffer.size())
            m_buffer.resize(bytes);
        return true;
    }

    // A fixed piece of markup: its size is known here, so the copy is a few moves.
    template <std::size_t N>
    void put(const char (&markup)[N])
    {
        std::memcpy(m_buffer.data() + m_used, markup, N - 1);
        m_used += qsizetype(N - 1);
    }

    void put(QByteArrayView bytes)
    {
        std::memcpy(m_buffer.data() + m_used, bytes.data(), std::size_t(bytes.size()));
        m_used += bytes.size();
    }

    // The markup characters are ASCII, so escaping a cell's Windows-1252 bytes escapes its text.
    // Needs room for six times the bytes.
    void putEscaped(QByteArrayView bytes)
    {
        static constexpr auto markup = [] {
            std::array<bool, 256> table{};
            for (unsigned char c : {'&', '<', '>', '"'})
                table[c] = true;
            return table;
        }();
        const auto* data = reinterpret_cast<const unsigned char*>(bytes.data());
        qsizetype plain = 0;
        for (qsizetype i = 0; i < bytes.size(); ++i) {
            if (!markup[data[i]])
                continue;
            put(bytes.sliced(plain, i - plain));
            switch (data[i]) {
            case '&': put("&amp;"); break;
            case '<': put("&lt;"); break;
            case '>': put("&gt;"); break;
            default: put("&quot;"); break;
            }
            plain = i + 1;
        }
        put(bytes.sliced(plain));
    }

    bool flush()
    {
        const bool accepted = m_used == 0 || m_sink(QByteArrayView(m_buffer.constData(), m_used));
        m_used = 0;
        return accepted;
    }

private:
    static constexpr qsizetype Piece = 1 << 20;
    const std::function<bool(QByteArrayView)>& m_sink;
    QByteArray m_buffer;
    qsizetype m_used = 0;
};

// Hands each row's cells, as stored, to the function it is given, which returns false to stop.
using EachRow = std::function<void(const std::function<bool(std::span<const QByteArrayView> cells)>&)>;

// The document in pieces, one row of `columns` cells for each row `rows` hands on; false as soon
// as `sink` refuses one.
bool writeDocument(const Sheet& sheet, int columns, const EachRow& rows, const std::function<bool(QByteArrayView)>& sink)
{
    QString header = head + sheet.name.toHtmlEscaped() + options + QStringLiteral("<tr>");
    for (const Column& column : sheet.columns) {
        header += QStringLiteral("<td style=\"text-align: left; font-weight: bold;\" width=%1>").arg(column.exportWidth)
                  + column.label.toHtmlEscaped() + QStringLiteral("</td>");
    }
    header += QStringLiteral("</tr>");
    const QByteArray headerBytes = cp1252::encode(header);
    const QByteArray tailBytes = cp1252::encode(tail);
    static constexpr char rowStart[] = "<tr>";
    static constexpr char rowEnd[] = "</tr>";
    static constexpr char cellStart[] = "<td style=\"text-align: left;\">";
    // A text a spreadsheet program would run as a formula (a name typed as "=1+1" or "@SOMMA(…)")
    // is marked as text by the cell's number format "@". The mark is in the cell's style, so the
    // text itself stays byte for byte as typed; a leading apostrophe would be one byte fewer but
    // is shown as part of the text by the programs that open an HTML table.
    static constexpr char textCellStart[] = "<td style=\"text-align: left; mso-number-format:'\\@';\">";
    static constexpr char cellEnd[] = "</td>";
    const qsizetype rowMarkup = qsizetype(sizeof rowStart + sizeof rowEnd - 2)
                                + columns * qsizetype(sizeof textCellStart + sizeof cellEnd - 2);
    const auto runnable = [](QByteArrayView cell) {
        return !cell.isEmpty() && (cell.front() == '=' || cell.front() == '+' || cell.front() == '-' || cell.front() == '@');
    };

    PieceWriter out(sink);
    if (!out.reserve(headerBytes.size()))
        return false;
    out.put(headerBytes);
    bool accepted = true;
    std::vector<QByteArrayView> trimmed(static_cast<std::size_t>(columns));
    rows([&](std::span<const QByteArrayView> cells) {
        qsizetype bytes = 0;
        bool escape = false;
        for (std::size_t column = 0; column < trimmed.size(); ++column) {
            trimmed[column] = column < cells.size() ? trimControls(cells[column]) : QByteArrayView();
            bytes += trimmed[column].size();
            escape = escape || containsMarkup(trimmed[column]);
        }
        if (!out.reserve(rowMarkup + (escape ? 6 : 1) * bytes)) {
            accepted = false;
            return false;
        }
        out.put(rowStart);
        for (const QByteArrayView cell : trimmed) {
            out.put(runnable(cell) ? QByteArrayView(textCellStart) : QByteArrayView(cellStart));
            if (escape)
                out.putEscaped(cell);
            else
                out.put(cell);
            out.put(cellEnd);
        }
        out.put(rowEnd);
        return true;
    });
    if (!accepted || !out.reserve(tailBytes.size()))
        return false;
    out.put(tailBytes);
    return out.flush();
}

EachRow tableRows(const Table& rows)
{
    return [&rows](const std::function<bool(std::span<const QByteArrayView>)>& row) {
        std::vector<QByteArrayView> cells(std::size_t(rows.columns()));
        for (qsizetype at = 0; at < rows.size(); ++at) {
            for (int column = 0; column < rows.columns(); ++column)
                cells[std::size_t(column)] = rows.storedCell(at, column);
            if (!row(cells))
                return;
        }
    };
}

std::vector<int> fieldsOf(const Sheet& sheet, const RecordFormat& format)
{
    std::vector<int> fields;
    for (const Column& column : sheet.columns)
        fields.push_back(format.indexOf(column.field));
    return fields;
}

// Into the checked writer: the old file is replaced only by a whole document.
bool writeThrough(const QString& path, const std::function<bool(const std::function<bool(QByteArrayView)>&)>& document,
                  QString* error)
{
    wholeFile::Writer file(path);
    const bool written = file.open() && document([&file](QByteArrayView piece) { return file.write(piece); }) && file.commit();
    if (!written && error)
        *error = file.errorString();
    return written;
}

}  // namespace

Table read(const QString& archive, const RecordFormat& format, const Sheet& sheet)
{
    const std::vector<int> fields = fieldsOf(sheet, format);
    Table rows(int(fields.size()));
    // The stored texts are mostly shorter than their fields: a third of the record is a guess.
    const qint64 records = QFileInfo(archive).size() / std::max(1, format.size);
    rows.reserve(qsizetype(records), format.size / 3);
    std::vector<QByteArrayView> cells(fields.size());
    qsizetype withdrawnColumn = -1;
    withdrawal::Marks marks;
    for (qsizetype i = 0; i < sheet.columns.size(); ++i) {
        if (sheet.columns.at(i).field == withdrawnField) {
            withdrawnColumn = i;
            try {
                marks = withdrawal::read(archive);
            } catch (const std::exception&) {
                // Marks that cannot be read leave the column empty; the records are all there.
            }
        }
    }
    QByteArray day;
    archiveScan::visit(archive, format.size, [&](qint64 position, QByteArrayView record) {
        format.storedTexts(record, fields, cells);
        if (withdrawnColumn >= 0) {
            day = formats::dateText(marks.date(position)).toLatin1();
            cells[std::size_t(withdrawnColumn)] = day;
        }
        rows.appendStored(position, cells);
    });
    return rows;
}

QByteArray document(const Sheet& sheet, const Table& rows)
{
    QByteArray bytes;
    writeDocument(sheet, rows.columns(), tableRows(rows), [&bytes](QByteArrayView piece) {
        bytes.append(piece);
        return true;
    });
    return bytes;
}

bool write(const QString& path, const Sheet& sheet, const Table& rows, QString* error)
{
    return writeThrough(
        path, [&](const auto& sink) { return writeDocument(sheet, rows.columns(), tableRows(rows), sink); }, error);
}

bool write(const QString& path, const Sheet& sheet, const QString& archive, const RecordFormat& format, QString* error)
{
    const std::vector<int> fields = fieldsOf(sheet, format);
    QString unread;
    const EachRow records = [&](const std::function<bool(std::span<const QByteArrayView>)>& row) {
        std::vector<QByteArrayView> cells(fields.size());
        bool going = true;
        unread = archiveScan::visit(
            archive, format.size,
            [&](qint64, QByteArrayView record) {
                if (!going)
                    return;
                format.storedTexts(record, fields, cells);
                going = row(cells);
            });
    };
    const bool written = writeThrough(
        path,
        [&](const auto& sink) {
            // An archive that cannot be read to its end makes no export.
            return writeDocument(sheet, int(fields.size()), records, sink) && unread.isEmpty();
        },
        error);
    if (!unread.isEmpty() && error)
        *error = unread;
    return written;
}

}  // namespace spreadsheet
