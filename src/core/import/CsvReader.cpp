#include "import/CsvReader.h"

#include "storage/Cp1252.h"

#include <QStringDecoder>

#include <algorithm>
#include <array>
#include <future>
#include <system_error>
#include <vector>

namespace csvReader {

QString decode(QByteArrayView bytes, Encoding* found)
{
    Encoding encoding = Encoding::Utf8;
    // "Unicode text" of the spreadsheet programs: UTF-16 with its byte-order mark.
    if (bytes.startsWith("\xFF\xFE") || bytes.startsWith("\xFE\xFF")) {
        if (found)
            *found = Encoding::Utf16;
        return QStringDecoder(QStringDecoder::Utf16).decode(bytes);
    }
    if (bytes.startsWith("\xEF\xBB\xBF")) {
        bytes = bytes.sliced(3);
        encoding = Encoding::Utf8WithByteOrderMark;
    }
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(bytes);
    if (utf8.hasError()) {
        text = cp1252::decode(bytes);
        encoding = Encoding::Windows1252;
    }
    if (found)
        *found = encoding;
    return text;
}

QChar separatorOf(QStringView text)
{
    const std::array<QChar, 3> candidates = {QLatin1Char(';'), QLatin1Char('\t'), QLatin1Char(',')};
    std::array<int, 3> counts{};
    bool quoted = false;
    bool fieldStart = true;  // a quote opens a quoted field only at its start, as in parse()
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (quoted) {
            if (c == u'"' && i + 1 < text.size() && text[i + 1] == u'"')
                ++i;
            else if (c == u'"')
                quoted = false;
            continue;
        }
        if (c == u'\n' || c == u'\r')
            break;
        const auto candidate = std::find(candidates.begin(), candidates.end(), c);
        if (candidate != candidates.end())
            ++counts[std::size_t(candidate - candidates.begin())];
        else if (c == u'"' && fieldStart)
            quoted = true;
        fieldStart = candidate != candidates.end();
    }
    std::size_t best = 2;  // a comma when the first record has no separator at all
    for (std::size_t i = 0; i < candidates.size(); ++i) {
        if (counts[i] > counts[best])
            best = i;
    }
    return candidates[best];
}

namespace {

// Records read from one place of a text on.
struct Part {
    sheetImport::Sheet sheet;
    qsizetype end = 0;  // where reading stopped: after the line break of the last record, or the text's end
    int next = 1;       // the number of the record after the last
};

// Reads the records from `from`, the start of one, on, stopping after the first record whose line
// break ends at or past `stopAt`, or at the end of the text. The rows' texts are left empty.
Part records(QString& text, QChar separator, qsizetype from, qsizetype stopAt, int number)
{
    Part part;
    sheetImport::Sheet& sheet = part.sheet;
    sheetImport::Row row{number, {}, {}};
    std::vector<sheetImport::Cell> cells;  // of the record being read, a row's when it ends
    const qsizetype size = text.size();
    QChar* const chars = text.data();
    // Where the field that starts at `at` ends: the next separator or line break.
    const auto fieldEnd = [&](qsizetype at) {
        for (qsizetype i = at; i < size; ++i) {
            const QChar c = chars[i];
            if (c == separator || c == u'\r' || c == u'\n')
                return i;
        }
        return size;
    };

    // Fields stay where they are in the text, which all rows then share: a quoted one is written
    // over its own quotes, never longer than they were.
    qsizetype i = from;
    while (true) {
        qsizetype start = i;
        qsizetype length = 0;
        if (i < size && chars[i] == u'"') {
            // Quoted: separators and line breaks are text, a doubled quote is one quote.
            qsizetype written = start;
            const auto keep = [&](qsizetype at, qsizetype count) {
                std::copy(chars + at, chars + at + count, chars + written);
                written += count;
            };
            ++i;
            while (i < size) {
                const qsizetype quote = text.indexOf(u'"', i);
                if (quote < 0) {
                    keep(i, size - i);  // an unclosed quote ends with the file
                    i = size;
                    break;
                }
                keep(i, quote + 1 - i);  // with one quote, kept when it is doubled
                i = quote + 1;
                if (i < size && chars[i] == u'"') {
                    ++i;
                } else {
                    --written;
                    break;
                }
            }
            // Text after the closing quote is kept as written.
            const qsizetype end = fieldEnd(i);
            keep(i, end - i);
            i = end;
            length = written - start;
        } else {
            // Unquoted: up to the separator, a quote inside kept as written.
            i = fieldEnd(i);
            length = i - start;
        }
        if (cells.size() < sheetImport::MaxColumns) {
            sheetImport::Cell& cell = cells.emplace_back();  // an empty field too: the row is as wide as written
            if (length > 0) {
                cell.kind = sheetImport::Cell::Kind::Text;
                cell.start = start;
                cell.size = length;
            }
        }
        if (i < size && chars[i] == separator) {
            ++i;
            continue;
        }
        // A line break or the end of the text ends the record; the last needs no line break.
        row.cells = QList<sheetImport::Cell>(cells.cbegin(), cells.cend());
        cells.clear();
        const int number = row.number;
        sheetImport::keep(sheet, std::move(row));
        row = sheetImport::Row{number + 1, {}, {}};
        if (i >= size)
            break;
        i += chars[i] == u'\r' && i + 1 < size && chars[i + 1] == u'\n' ? 2 : 1;
        if (i >= size || i >= stopAt)
            break;
    }
    part.end = std::min(i, size);
    part.next = row.number;
    return part;
}

// The rows from `first` on hold their cells' texts in `text`.
void shareText(sheetImport::Sheet& sheet, qsizetype first, const QString& text)
{
    for (qsizetype row = first; row < sheet.rows.size(); ++row)
        sheet.rows[row].texts = text;
}

// Below this many characters a second thread costs more than it saves.
constexpr qsizetype TwoPartsFrom = 1 << 20;

}  // namespace

sheetImport::Sheet parse(QString text, QChar separator)
{
    Part whole = records(text, separator, 0, text.size() + 1, 1);
    shareText(whole.sheet, 0, text);
    return std::move(whole.sheet);
}

sheetImport::Sheet parseInTwo(QString text, QChar separator, qsizetype split)
{
    if (split < 0 || split >= text.size() || text.at(split) != u'\n')
        return parse(std::move(text), separator);
    // A copy of its own: quoted fields are unquoted in place, and this core may read on into it.
    QString rest = text.sliced(split + 1);
    std::future<Part> after;
    try {
        after = std::async(std::launch::async, [&rest, separator] {
            return records(rest, separator, 0, rest.size() + 1, 1);
        });
    } catch (const std::system_error&) {
        return parse(std::move(text), separator);  // no thread to be had
    }
    Part first = records(text, separator, 0, split + 1, 1);
    Part second = after.get();
    sheetImport::Sheet& sheet = first.sheet;
    shareText(sheet, 0, text);
    if (first.end == split + 1) {
        const qsizetype before = sheet.rows.size();
        sheet.rows.reserve(before + second.sheet.rows.size());
        for (sheetImport::Row& row : second.sheet.rows) {
            row.number += first.next - 1;
            sheet.rows.append(std::move(row));
        }
        shareText(sheet, before, rest);
    } else if (first.end < text.size()) {
        // The line feed was inside a quoted field: the rest is read here, on from where it ended.
        Part more = records(text, separator, first.end, text.size() + 1, first.next);
        const qsizetype before = sheet.rows.size();
        sheet.rows.append(std::move(more.sheet.rows));
        shareText(sheet, before, text);
    }
    return std::move(first.sheet);
}

sheetImport::Sheet read(QByteArrayView bytes)
{
    QString text = decode(bytes);
    const QChar separator = separatorOf(text);
    if (text.size() < TwoPartsFrom)
        return parse(std::move(text), separator);
    const qsizetype split = text.indexOf(u'\n', text.size() / 2);
    return parseInTwo(std::move(text), separator, split);
}

}  // namespace csvReader
