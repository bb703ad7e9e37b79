#pragma once

// Reads back the text of a PDF file written by Qt's PDF engine, page by page: enough of the
// format to follow the page tree, inflate the content streams and map the glyph codes of each
// font through its ToUnicode table. Each text drawing operation (BT ... ET) gives one string.

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QRegularExpression>
#include <QString>
#include <QStringList>
#include <QtEndian>

namespace pdfText {

class Document {
public:
    explicit Document(QByteArray bytes) : m_bytes(std::move(bytes))
    {
        static const QRegularExpression entry(QStringLiteral("(\\d{10}) (\\d{5}) n"));
        const qsizetype xref = m_bytes.lastIndexOf("\nxref");
        if (xref < 0)
            return;
        const QString table = QString::fromLatin1(m_bytes.mid(xref, m_bytes.indexOf("trailer", xref) - xref));
        // The table starts at object 0 (free), so the n-th "in use" entry is object n.
        const QStringList lines = table.split(QLatin1Char('\n'));
        int number = -1;
        for (const QString& line : lines) {
            if (line.endsWith(QLatin1String(" f")) || line.endsWith(QLatin1String(" f "))) {
                number = 1;
                continue;
            }
            const auto match = entry.match(line);
            if (match.hasMatch() && number > 0)
                m_offsets.insert(number++, match.captured(1).toLongLong());
        }
    }

    // The texts drawn on each page, in page order.
    QList<QStringList> pages() const
    {
        QList<QStringList> result;
        const int catalog = reference(dictionary(rootNumber()), "Pages");
        const QByteArray kids = between(dictionary(catalog), "/Kids", "]");
        static const QRegularExpression ref(QStringLiteral("(\\d+) 0 R"));
        auto it = ref.globalMatch(QString::fromLatin1(kids));
        while (it.hasNext())
            result.append(pageTexts(it.next().captured(1).toInt()));
        return result;
    }

private:
    int rootNumber() const
    {
        const qsizetype trailer = m_bytes.lastIndexOf("trailer");
        return reference(m_bytes.mid(trailer), "Root");
    }

    static int reference(const QByteArray& dict, const char* key)
    {
        const QRegularExpression pattern(QStringLiteral("/%1 (\\d+) 0 R").arg(QLatin1String(key)));
        const auto match = pattern.match(QString::fromLatin1(dict));
        return match.hasMatch() ? match.captured(1).toInt() : -1;
    }

    static QByteArray between(const QByteArray& text, const char* open, const char* close)
    {
        const qsizetype start = text.indexOf(open);
        if (start < 0)
            return {};
        const qsizetype from = start + qstrlen(open);
        return text.mid(from, text.indexOf(close, from) - from);
    }

    // The object's text up to its stream or its end.
    QByteArray dictionary(int number) const
    {
        const qsizetype start = m_offsets.value(number, -1);
        if (start < 0)
            return {};
        qsizetype end = m_bytes.indexOf("endobj", start);
        const qsizetype stream = m_bytes.indexOf("stream", start);
        if (stream >= 0 && stream < end)
            end = stream;
        return m_bytes.mid(start, end - start);
    }

    QByteArray stream(int number) const
    {
        const QByteArray dict = dictionary(number);
        static const QRegularExpression lengthPattern(QStringLiteral("/Length (\\d+)( 0 R)?"));
        const auto length = lengthPattern.match(QString::fromLatin1(dict));
        if (!length.hasMatch())
            return {};
        qsizetype size = length.captured(1).toLongLong();
        if (!length.captured(2).isEmpty()) {
            const QByteArray target = dictionary(int(size));
            size = target.mid(target.indexOf("obj") + 3).trimmed().toLongLong();
        }
        qsizetype data = m_offsets.value(number) + dict.size() + qstrlen("stream");
        if (m_bytes.at(data) == '\r')
            ++data;
        if (m_bytes.at(data) == '\n')
            ++data;
        QByteArray raw = m_bytes.mid(data, size);
        if (!dict.contains("/FlateDecode"))
            return raw;
        QByteArray framed(4, '\0');
        qToBigEndian<quint32>(quint32(raw.size() * 8 + 1024), framed.data());
        return qUncompress(framed + raw);
    }

    // The glyph code to text table of a font, from its ToUnicode map.
    QHash<uint, QString> unicodeMap(int font) const
    {
        QHash<uint, QString> map;
        const QString cmap = QString::fromLatin1(stream(reference(dictionary(font), "ToUnicode")));
        const auto text = [](const QString& hex) {
            QString result;
            for (qsizetype i = 0; i + 4 <= hex.size(); i += 4)
                result += QChar(char16_t(hex.mid(i, 4).toUInt(nullptr, 16)));
            return result;
        };
        static const QRegularExpression ranges(QStringLiteral("<([0-9A-Fa-f]+)> <([0-9A-Fa-f]+)> (\\[[^\\]]*\\]|<[0-9A-Fa-f]+>)"));
        static const QRegularExpression hexes(QStringLiteral("<([0-9A-Fa-f]+)>"));
        static const QRegularExpression singles(QStringLiteral("<([0-9A-Fa-f]+)> <([0-9A-Fa-f]+)>\\s*\\n"));
        for (const QString& section : cmap.split(QStringLiteral("beginbfrange")).mid(1)) {
            auto it = ranges.globalMatch(section.left(section.indexOf(QStringLiteral("endbfrange"))));
            while (it.hasNext()) {
                const auto match = it.next();
                const uint first = match.captured(1).toUInt(nullptr, 16);
                const uint last = match.captured(2).toUInt(nullptr, 16);
                const QString target = match.captured(3);
                if (target.startsWith(QLatin1Char('['))) {
                    auto each = hexes.globalMatch(target);
                    for (uint code = first; code <= last && each.hasNext(); ++code)
                        map.insert(code, text(each.next().captured(1)));
                } else {
                    const uint base = target.mid(1, target.size() - 2).toUInt(nullptr, 16);
                    for (uint code = first; code <= last; ++code)
                        map.insert(code, QString(QChar(char16_t(base + code - first))));
                }
            }
        }
        for (const QString& section : cmap.split(QStringLiteral("beginbfchar")).mid(1)) {
            auto it = singles.globalMatch(section.left(section.indexOf(QStringLiteral("endbfchar"))));
            while (it.hasNext()) {
                const auto match = it.next();
                map.insert(match.captured(1).toUInt(nullptr, 16), text(match.captured(2)));
            }
        }
        return map;
    }

    QStringList pageTexts(int page) const
    {
        const QByteArray pageDict = dictionary(page);
        QByteArray resources = dictionary(reference(pageDict, "Resources"));
        if (resources.isEmpty())
            resources = pageDict;
        QHash<QString, QHash<uint, QString>> fonts;
        static const QRegularExpression fontRef(QStringLiteral("/(\\w+) (\\d+) 0 R"));
        auto it = fontRef.globalMatch(QString::fromLatin1(between(resources, "/Font <<", ">>")));
        while (it.hasNext()) {
            const auto match = it.next();
            fonts.insert(match.captured(1), unicodeMap(match.captured(2).toInt()));
        }

        const QString content = QString::fromLatin1(stream(reference(pageDict, "Contents")));
        static const QRegularExpression token(QStringLiteral("/(\\w+)|<([0-9A-Fa-f]*)>|([A-Za-z*']+)|(\\S)"));
        QStringList texts;
        QString current;
        QString font;
        QString lastName;
        bool inText = false;
        auto tokens = token.globalMatch(content);
        while (tokens.hasNext()) {
            const auto match = tokens.next();
            if (!match.captured(1).isEmpty()) {
                lastName = match.captured(1);
            } else if (match.capturedStart(2) >= 0 && inText) {
                const QString hex = match.captured(2);
                for (qsizetype i = 0; i + 4 <= hex.size(); i += 4) {
                    // Qt maps the blank glyph to the tab character it shares a glyph with.
                    QString glyph = fonts.value(font).value(hex.mid(i, 4).toUInt(nullptr, 16), QStringLiteral("?"));
                    current += glyph == QStringLiteral("\t") ? QStringLiteral(" ") : glyph;
                }
            } else if (match.captured(3) == QLatin1String("BT")) {
                inText = true;
                current.clear();
            } else if (match.captured(3) == QLatin1String("ET")) {
                inText = false;
                // Kept as mapped: a ligature glyph reads as its own character ("\uFB01"), as a
                // PDF viewer's search sees it.
                texts.append(current);
            } else if (match.captured(3) == QLatin1String("Tf")) {
                font = lastName;
            }
        }
        return texts;
    }

    QByteArray m_bytes;
    QHash<int, qsizetype> m_offsets;
};

}  // namespace pdfText
