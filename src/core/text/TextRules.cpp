#include "text/TextRules.h"

QString trimControls(const QString& text)
{
    qsizetype first = 0;
    qsizetype last = text.size();
    while (first < last && text.at(first).unicode() <= 32)
        ++first;
    while (last > first && text.at(last - 1).unicode() <= 32)
        --last;
    return text.mid(first, last - first);
}

QByteArrayView trimControls(QByteArrayView bytes)
{
    const auto blank = [](char c) { return static_cast<unsigned char>(c) <= 32; };
    while (!bytes.isEmpty() && blank(bytes.front()))
        bytes = bytes.sliced(1);
    while (!bytes.isEmpty() && blank(bytes.back()))
        bytes.chop(1);
    return bytes;
}

QString upperAsciiLetters(const QString& text)
{
    QString result = text;
    for (QChar& c : result) {
        if (c.unicode() >= u'a' && c.unicode() <= u'z')
            c = QChar(char16_t(c.unicode() - 32));
    }
    return result;
}

