#include "tournament/Points.h"

#include "text/TextRules.h"

#include <QLocale>
#include <QVarLengthArray>
#include <QRegularExpression>
#include <charconv>
#include <cmath>

namespace {

// Converts a validated number text (comma already checked) to a double; empty parts count as 0.
std::optional<double> toDouble(const QString& sign, const QString& whole, const QString& fraction,
                               const QString& exponent)
{
    const QString c = sign + (whole.isEmpty() ? QStringLiteral("0") : whole) + u'.'
            + (fraction.isEmpty() ? QStringLiteral("0") : fraction) + exponent;
    bool ok = false;
    const double value = QLocale::c().toDouble(c, &ok);
    // QLocale reports overflow and underflow as failures; both mean the text is no usable number.
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return value;
}

// Shortest text with at most 15 significant digits, never with an exponent. Only used on values
// already rounded to hundredths: those are either 0, at least 0,01 (never in exponent form) or,
// from 10^15 up, whole numbers whose 15 significant digits all lie before the decimal point.
QString plainGeneralText(double value)
{
    const QString text = QString::number(value, 'g', 15);  // C locale: "1.5", "1.2e+16"
    const qsizetype e = text.indexOf(u'e');
    if (e < 0)
        return text;
    QString digits = text.left(e);
    digits.remove(u'.');
    const int exponent = text.mid(e + 1).toInt();
    return digits + QString(exponent + 1 - digits.size(), u'0');
}

}  // namespace

std::optional<double> numberFromText(const QString& text)
{
    static const QRegularExpression pattern(
            QStringLiteral("^([+-]?)([0-9]*)(?:,([0-9]*))?([eE][+-]?[0-9]+)?$"));
    const QRegularExpressionMatch m = pattern.match(trimControls(text));
    if (!m.hasMatch() || (m.captured(2).isEmpty() && m.captured(3).isEmpty()))
        return std::nullopt;
    return toDouble(m.captured(1), m.captured(2), m.captured(3), m.captured(4));
}

QString pointsNormalForm(const QString& text)
{
    const std::optional<double> value = numberFromText(text);
    if (!value)
        return QStringLiteral("0,00");

    // Round the magnitude so that -2,455 and 2,455 move the same way. From 10^15 up there are no
    // hundredths left to round (and the scaling could overflow), and the text is too long anyway.
    const double magnitude = std::fabs(*value);
    const double rounded = magnitude < 1e15 ? std::floor(magnitude * 100 + 0.5) / 100 : magnitude;

    QString result = plainGeneralText(rounded);
    qsizetype point = result.indexOf(u'.');
    if (point < 0) {
        point = result.size();
        result += u'.';
    }
    result = result.leftJustified(point + 3, u'0');
    result[point] = u',';
    if (*value < 0 && rounded != 0)
        result.prepend(u'-');
    return result;
}

bool pointsFitField(const QString& normalForm)
{
    return normalForm.size() <= pointsFieldCapacity;
}

QChar pointsKeyCharacter(QChar typed)
{
    if ((typed >= u'0' && typed <= u'9') || typed == u',')
        return typed;
    return typed == u'.' ? QChar(u',') : QChar();
}

std::optional<double> pointsValue(const QString& text)
{
    // Any character outside Latin-1 turns into '?', which is no number either.
    return pointsValue(QByteArrayView(text.toLatin1()));
}

std::optional<double> pointsValue(QByteArrayView bytes)
{
    const auto blank = [](char c) { return static_cast<unsigned char>(c) <= 32; };
    while (!bytes.isEmpty() && blank(bytes.front()))
        bytes = bytes.sliced(1);
    while (!bytes.isEmpty() && blank(bytes.back()))
        bytes.chop(1);

    // The same text with a decimal point, for a locale-independent conversion.
    QVarLengthArray<char, 32> number(bytes.begin(), bytes.end());
    const auto isDigit = [](char c) { return c >= '0' && c <= '9'; };
    qsizetype at = !number.isEmpty() && number.front() == '-' ? 1 : 0;
    const qsizetype wholeStart = at;
    while (at < number.size() && isDigit(number[at]))
        ++at;
    if (at == wholeStart)
        return std::nullopt;
    if (at < number.size() && number[at] == ',') {
        number[at++] = '.';
        const qsizetype fractionStart = at;
        while (at < number.size() && isDigit(number[at]))
            ++at;
        if (at == fractionStart)
            return std::nullopt;
    }
    if (at != number.size())
        return std::nullopt;
    double value = 0;
    const auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), value);
    if (error != std::errc() || end != number.data() + number.size() || !std::isfinite(value))
        return std::nullopt;
    return value;
}
