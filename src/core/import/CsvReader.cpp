#include "import/CsvReader.h"

#include "storage/Cp1252.h"

#include <QStringDecoder>

#include <algorithm>
#include <array>

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

sheetImport::Sheet parse(QString text, QChar separator)
{
    sheetImport::Sheet sheet;
    sheetImport::Row row{1, {}, {}};
    const qsizetype size = text.size();
    QChar* const chars = text.data();
    // Where the field that starts at `from` ends: the next separator or line break.
    const auto fieldEnd = [&](qsizetype from) {
        for (qsizetype i = from; i < size; ++i) {
            const QChar c = chars[i];
            if (c == separator || c == u'\r' || c == u'\n')
                return i;
        }
        return size;
    };

    // Fields stay where they are in the text, which all rows then share: a quoted one is written
    // over its own quotes, never longer than they were.
    qsizetype i = 0;
    while (true) {
        qsizetype start = i;
        qsizetype length = 0;
        if (i < size && chars[i] == u'"') {
            // Quoted: separators and line breaks are text, a doubled quote is one quote.
            qsizetype written = start;
            const auto keep = [&](qsizetype from, qsizetype count) {
                std::copy(chars + from, chars + from + count, chars + written);
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
        if (row.cells.size() < sheetImport::MaxColumns) {
            sheetImport::Cell cell;
            if (length > 0) {
                cell.kind = sheetImport::Cell::Kind::Text;
                cell.start = start;
                cell.size = length;
            }
            row.cells.append(cell);  // an empty field too, so that the row is as wide as written
        }
        if (i < size && chars[i] == separator) {
            ++i;
            continue;
        }
        // A line break or the end of the text ends the record; the last needs no line break.
        sheetImport::Row next = sheetImport::rowLike(row, row.number + 1);
        sheetImport::keep(sheet, std::move(row));
        row = std::move(next);
        if (i >= size)
            break;
        i += chars[i] == u'\r' && i + 1 < size && chars[i + 1] == u'\n' ? 2 : 1;
        if (i >= size)
            break;
    }
    for (sheetImport::Row& kept : sheet.rows)
        kept.texts = text;
    return sheet;
}

sheetImport::Sheet read(QByteArrayView bytes)
{
    QString text = decode(bytes);
    const QChar separator = separatorOf(text);
    return parse(std::move(text), separator);
}

}  // namespace csvReader
