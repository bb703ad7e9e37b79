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
    const auto isCandidate = [&candidates](QChar c) { return std::find(candidates.begin(), candidates.end(), c) != candidates.end(); };
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
        if (c == u'"' && fieldStart) {
            quoted = true;
        } else if (isCandidate(c)) {
            counts[std::size_t(std::find(candidates.begin(), candidates.end(), c) - candidates.begin())] += 1;
            fieldStart = true;
            continue;
        }
        fieldStart = false;
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
    QString field;
    bool quoted = false;        // inside a quoted field
    bool fieldStarted = false;  // a field is under way, also an empty one after a separator
    const auto endField = [&] {
        if (row.cells.size() < sheetImport::MaxColumns)
            row.cells.append(sheetImport::Cell::ofText(field));
        field.clear();
    };
    const auto endRecord = [&] {
        if (fieldStarted || !field.isEmpty())
            endField();
        const int next = row.number + 1;
        sheetImport::keep(sheet, std::move(row));
        row = {next, {}};
        fieldStarted = false;
    };

    const qsizetype size = text.size();
    for (qsizetype i = 0; i < size; ++i) {
        const QChar c = text[i];
        if (quoted) {
            if (c != u'"') {
                field += c;
            } else if (i + 1 < size && text[i + 1] == u'"') {
                field += c;
                ++i;
            } else {
                quoted = false;
            }
            continue;
        }
        if (c == u'"' && field.isEmpty()) {
            quoted = true;
            fieldStarted = true;
        } else if (c == separator) {
            endField();
            fieldStarted = true;
        } else if (c == u'\r' || c == u'\n') {
            if (c == u'\r' && i + 1 < size && text[i + 1] == u'\n')
                ++i;
            endRecord();
        } else {
            // A quote inside an unquoted field, or text after a closing quote, is kept as written.
            field += c;
            fieldStarted = true;
        }
    }
    // The last record needs no line break; an unclosed quote ends with the file.
    endRecord();
    return sheet;
}

sheetImport::Sheet read(QByteArrayView bytes)
{
    const QString text = decode(bytes);
    return parse(text, separatorOf(text));
}

}  // namespace csvReader
