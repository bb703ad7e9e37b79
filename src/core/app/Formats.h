#pragma once

#include <QByteArrayView>
#include <QDate>
#include <QString>

// The process-wide text formats: dates are dd/mm/yyyy and numbers use a decimal comma, whatever
// the system locale says. Every conversion between a date and its text goes through here.
namespace formats {

inline constexpr QChar decimalSeparator = QLatin1Char(',');
inline const QString dateFormat = QStringLiteral("dd/MM/yyyy");

// Sets the default locale used by Qt's locale-aware conversions to Italian with the two
// fixed settings above; called once at start-up, before any screen exists.
void install();

QString dateText(const QDate& date);          // "05/03/2024"; empty for an invalid date
// The same into `out`, for readers of large sheets where every date cell passes: false for an
// invalid date or one outside years 1 to 9999.
bool writeDate(const QDate& date, char16_t (&out)[10]);
QDate dateFromText(const QString& text);      // strict dd/mm/yyyy after trimming; invalid otherwise
QDate dateFromText(QByteArrayView stored);    // the same, from a field's stored bytes

}  // namespace formats
