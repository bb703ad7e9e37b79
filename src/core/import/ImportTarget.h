#pragma once

#include "storage/RecordValues.h"

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

// What an archive takes from a spreadsheet: the fields a column can fill, with the labels and
// synonyms its header is matched by and the rule each value follows, the fields a record cannot
// do without, and what tells a record that is already in the archive. The team and player
// archives each give one (teamImport, playerImport).
namespace sheetImport {

// How a value is checked and normalised, as the editor's field does it.
enum class Rule {
    Text,          // trimmed
    Capitals,      // trimmed, letters a to z in capitals
    Sex,           // capitals; "maschio"/"femmina" and the like as M or F
    TaxCode,       // capitals, checked by the tax code (or, all digits, VAT number) checker
    Date,          // dd/mm/yyyy when it reads as a date, otherwise kept as written (a free text field)
    RequiredDate,  // dd/mm/yyyy; a text that is no date rejects the row
    Count,         // a whole number, as the count fields keep it
    YesNo,         // "Sì" or "No"
};

// Which part of the field a column gives: the player's name may come as two columns.
enum class Part { Whole, Surname, GivenName };

struct Target {
    QString field;         // the record field
    QString label;         // shown in the column's choice; matched against headers
    QStringList synonyms;  // other headers that mean it
    Rule rule = Rule::Text;
    Part part = Part::Whole;
    int index = -1;     // of the field in the archive's format (resolve() fills it)
    int capacity = -1;  // of the field
};

// A record's texts in the order of its format's fields.
using Texts = QList<QString>;

struct Archive {
    QString fileName;  // in the data folder
    RecordFormat format;
    QList<Target> targets;
    // The fields a record cannot be saved without, in the editor's order.
    QStringList mandatory;
    // A mandatory field that a row can also fill from another (the player's sex from a valid tax
    // code): a column of that other field provides it too.
    QHash<QString, QString> alsoFrom;
    // Fills what a row leaves out as a new record of the editor would have it (the counts' "0"),
    // or as the rest of the row tells it (the player's sex from the tax code).
    std::function<void(Texts& texts)> complete;
    // A warning about fields that disagree with one another; empty when they agree.
    std::function<QString(const Texts& texts)> checkTogether;
    QStringList key;         // fields equal in a record already in the archive
    QString keyDescription;  // how the screen says it ("stesso nome")
};

// The archive with every target's field index and capacity filled from its format.
Archive resolved(Archive archive);

// The target that fills `field` whole; null when a column cannot fill it whole.
const Target* wholeTarget(const Archive& archive, const QString& field);
// How the screens name `field`: its whole target's label, or the field's own name.
QString fieldLabel(const Archive& archive, const QString& field);

}  // namespace sheetImport
