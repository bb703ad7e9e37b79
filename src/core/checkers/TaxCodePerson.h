#pragma once

#include <QDate>
#include <QString>

#include <optional>

// What a tax code says of its holder: the birth date and the sex, as the 7th to 11th characters
// encode them (year, month letter, day plus 40 for women), letters standing for digits where a
// code was changed to tell two people apart read as those digits.
namespace taxCodePerson {

struct Holder {
    int yearOfCentury = 0;  // 0..99: the century is not in the code
    int month = 0;
    int day = 0;
    bool woman = false;
};

// Nothing for a code whose date part cannot be read.
std::optional<Holder> read(const QString& code);

// The sentence for the player editor when the record's birth date ("dd/mm/yyyy") or sex ("M" or
// "F") disagree with a valid code; nothing when they agree or the record says nothing to compare.
// The century comes from the record's own year.
std::optional<QString> disagreement(const QString& code, const QString& birthDate, const QString& sex);

}  // namespace taxCodePerson
