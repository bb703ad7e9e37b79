#include "import/HtmlTableReader.h"

#include "storage/Cp1252.h"

#include <QHash>

using namespace Qt::StringLiterals;

namespace htmlTableReader {
namespace {

QString resolveReferences(QStringView text)
{
    static const QHash<QString, QString> named = {
        {u"amp"_s, u"&"_s}, {u"lt"_s, u"<"_s}, {u"gt"_s, u">"_s}, {u"quot"_s, u"\""_s},
        {u"apos"_s, u"'"_s}, {u"nbsp"_s, u"\u00A0"_s},
    };
    QString out;
    out.reserve(text.size());
    qsizetype at = 0;
    while (at < text.size()) {
        const qsizetype amp = text.indexOf(u'&', at);
        if (amp < 0) {
            out += text.mid(at);
            break;
        }
        out += text.mid(at, amp - at);
        const qsizetype semicolon = text.indexOf(u';', amp);
        const QStringView name = semicolon > amp && semicolon - amp <= 10 ? text.mid(amp + 1, semicolon - amp - 1) : QStringView();
        QString replacement;
        if (name.startsWith(u'#')) {
            bool ok = false;
            const uint code = name.startsWith(u"#x", Qt::CaseInsensitive) ? name.mid(2).toUInt(&ok, 16)
                                                                           : name.mid(1).toUInt(&ok, 10);
            if (ok && code > 0 && code <= 0x10FFFF) {
                const char32_t unit = code;
                replacement = QString::fromUcs4(&unit, 1);
            }
        } else if (!name.isEmpty()) {
            replacement = named.value(name.toString().toLower());
        }
        if (replacement.isEmpty()) {
            out += u'&';  // a raw ampersand of an old export
            at = amp + 1;
        } else {
            out += replacement;
            at = semicolon + 1;
        }
    }
    return out;
}

}  // namespace

bool looksLikeHtml(QByteArrayView bytes)
{
    const QByteArray start = bytes.first(std::min<qsizetype>(bytes.size(), 512)).toByteArray().trimmed().toLower();
    return start.startsWith("<html") || start.startsWith("<!doctype html") || start.startsWith("<table");
}

sheetImport::Sheet read(QByteArrayView bytes)
{
    const QString text = cp1252::decode(bytes);
    sheetImport::Sheet sheet;
    int number = 0;
    qsizetype at = 0;
    constexpr auto ci = Qt::CaseInsensitive;
    while ((at = text.indexOf(u"<tr"_s, at, ci)) >= 0) {
        const qsizetype rowEnd = text.indexOf(u"</tr>"_s, at, ci);
        const qsizetype end = rowEnd < 0 ? text.size() : rowEnd;
        sheetImport::Row row{++number, {}};
        qsizetype cell = at;
        int column = 0;
        while ((cell = text.indexOf(u"<td"_s, cell, ci)) >= 0 && cell < end) {
            const qsizetype open = text.indexOf(u'>', cell);
            if (open < 0 || open > end)
                break;
            qsizetype close = text.indexOf(u"</td>"_s, open, ci);
            if (close < 0 || close > end)
                close = end;
            sheetImport::place(row, column++, sheetImport::Cell::ofText(resolveReferences(QStringView(text).mid(open + 1, close - open - 1))));
            cell = close;
        }
        sheetImport::keep(sheet, std::move(row));
        at = end;
    }
    return sheet;
}

}  // namespace htmlTableReader
