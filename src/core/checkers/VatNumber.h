#pragma once

#include <QString>

// The control digit of an Italian VAT number (partita IVA) and the office that issued it.
namespace vatNumber {

struct Result {
    enum class Verdict { WrongLength, Valid, Wrong };
    Verdict verdict = Verdict::Wrong;
    QString office;  // Valid only: the issuing office, empty when its code is not in the table
};

Result check(const QString& number);

// The office of a three-digit code ("058" is Roma 1); empty when the table has no such code.
QString office(const QString& code);

// The box text for a result: the length warning, the verdict, and for a valid number its office.
QString message(const Result& result);

}  // namespace vatNumber
