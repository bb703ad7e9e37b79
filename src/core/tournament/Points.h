#pragma once

#include <QByteArrayView>
#include <QChar>
#include <QString>
#include <optional>

// A tournament entry's total points are kept as text. The entry editor gives the text one normal
// form (digits, a decimal comma, exactly two decimals, a leading minus for penalty deductions)
// because the merit standings order entries by comparing the padded texts.

// Capacity of the points field of a tournament record.
inline constexpr qsizetype pointsFieldCapacity = 15;

// Reads a number written with a decimal comma, the way the program's number fields take it:
// blanks around it, an optional sign, digits on either side of the comma ("5," and ",5" are
// numbers) and an optional exponent ("1,5E-7", which the calculator display can hold).
// No point, no digit grouping, nothing after the number.
std::optional<double> numberFromText(const QString& text);

// The text the points field gets when the user leaves it: rounded to hundredths (halves away
// from zero), written without exponent and with exactly two decimals, "0,00" for an empty text
// or one that is not a number. Very large values give texts longer than the field; see
// pointsFitField.
QString pointsNormalForm(const QString& text);

// Whether a normal form can be stored in the points field without losing characters.
bool pointsFitField(const QString& normalForm);

// The character the points field takes for a typed one: the digits 0 to 9 and the comma as they
// are, a point as the decimal comma (the number pad's key, and the habit of many), a null QChar
// for anything else.
QChar pointsKeyCharacter(QChar typed);

// The value of a stored points text: optional minus, digits, and optionally a comma followed by
// digits, with blanks around it allowed. Anything else has no value.
std::optional<double> pointsValue(const QString& text);
// The same for the points field's bytes as stored, without making a text of them.
std::optional<double> pointsValue(QByteArrayView bytes);
