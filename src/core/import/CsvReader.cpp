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

sheetImport::Sheet parse(QStringView text, QChar separator)
{
    sheetImport::Sheet sheet;
    sheetImport::Row row{1, {}};
    const qsizetype size = text.size();
    // Where the field that starts at `from` ends: the next separator or line break.
    const auto fieldEnd = [&](qsizetype from) {
        for (qsizetype i = from; i < size; ++i) {
            const QChar c = text[i];
            if (c == separator || c == u'\r' || c == u'\n')
                return i;
        }
        return size;
    };

    qsizetype i = 0;
    while (true) {
        QString field;
        if (i < size && text[i] == u'"') {
            // Quoted: separators and line breaks are text, a doubled quote is one quote.
            ++i;
            while (i < size) {
                const qsizetype quote = text.indexOf(u'"', i);
                if (quote < 0) {
                    field += text.mid(i);  // an unclosed quote ends with the file
                    i = size;
                    break;
                }
                field += text.mid(i, quote - i);
                i = quote + 1;
                if (i < size && text[i] == u'"') {
                    field += u'"';
                    ++i;
                } else {
                    break;
                }
            }
            // Text after the closing quote is kept as written.
            const qsizetype end = fieldEnd(i);
            field += text.mid(i, end - i);
            i = end;
        } else {
            // Unquoted: up to the separator, a quote inside kept as written.
            const qsizetype end = fieldEnd(i);
            field = text.mid(i, end - i).toString();
            i = end;
        }
        if (row.cells.size() < sheetImport::MaxColumns)
            row.cells.append(sheetImport::Cell::ofText(std::move(field)));
        if (i < size && text[i] == separator) {
            ++i;
            continue;
        }
        // A line break or the end of the text ends the record; the last needs no line break.
        const int next = row.number + 1;
        const qsizetype columns = row.cells.size();
        sheetImport::keep(sheet, std::move(row));
        row = {next, {}};
        row.cells.reserve(columns);  // rows are mostly as wide as the one before
        if (i >= size)
            break;
        i += text[i] == u'\r' && i + 1 < size && text[i + 1] == u'\n' ? 2 : 1;
        if (i >= size)
            break;
    }
    return sheet;
}

sheetImport::Sheet read(QByteArrayView bytes)
{
    const QString text = decode(bytes);
    return parse(text, separatorOf(text));
}

}  // namespace csvReader
