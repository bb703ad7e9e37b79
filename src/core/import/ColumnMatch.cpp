#include "import/ColumnMatch.h"

#include <algorithm>

namespace columnMatch {
namespace {

bool names(const sheetImport::Target& target, const QString& key)
{
    if (key.isEmpty())
        return false;
    // A part of a field is named only by its own label and synonyms.
    if (folded(target.label) == key || (target.part == sheetImport::Part::Whole && folded(target.field) == key))
        return true;
    return std::any_of(target.synonyms.cbegin(), target.synonyms.cend(),
                       [&key](const QString& synonym) { return folded(synonym) == key; });
}

int targetFor(const sheetImport::Archive& archive, const QString& key, sheetImport::Part part)
{
    for (int i = 0; i < archive.targets.size(); ++i) {
        if (archive.targets.at(i).part == part && names(archive.targets.at(i), key))
            return i;
    }
    return -1;
}

}  // namespace

QString folded(QStringView header)
{
    QString key;
    for (QChar c : header.toString().normalized(QString::NormalizationForm_D)) {
        if (c.isLetterOrNumber())
            key += c.toLower();
    }
    return key;
}

Mapping match(const sheetImport::Archive& archive, const sheetImport::Row& header)
{
    using sheetImport::Part;
    QStringList keys;
    for (qsizetype column = 0; column < header.cells.size(); ++column)
        keys.append(folded(header.text(column)));

    // The name in two columns only when a surname column is there to go with the given name.
    const bool twoNameColumns = std::any_of(keys.cbegin(), keys.cend(), [&](const QString& key) {
        return targetFor(archive, key, Part::Surname) >= 0;
    });
    Mapping mapping;
    QList<int> taken;
    for (const QString& key : keys) {
        int target = -1;
        if (twoNameColumns)
            target = std::max(targetFor(archive, key, Part::Surname), targetFor(archive, key, Part::GivenName));
        if (target < 0)
            target = targetFor(archive, key, Part::Whole);
        if (taken.contains(target))
            target = -1;
        if (target >= 0)
            taken.append(target);
        mapping.append(target);
    }
    return mapping;
}

bool matchesAnything(const Mapping& mapping)
{
    return std::any_of(mapping.cbegin(), mapping.cend(), [](int target) { return target >= 0; });
}

QString mandatoryLine(const sheetImport::Archive& archive)
{
    QStringList labels;
    for (const QString& field : archive.mandatory)
        labels.append(sheetImport::fieldLabel(archive, field));
    return QStringLiteral("Campi obbligatori: ") + labels.join(QStringLiteral(", "));
}

QString missingColumnsLine(const sheetImport::Archive& archive, const Mapping& mapping)
{
    QStringList given;  // the fields some column fills, in whole or in part
    for (const int target : mapping) {
        if (target >= 0 && target < archive.targets.size())
            given.append(archive.targets.at(target).field);
    }
    QStringList missing;
    for (const QString& field : archive.mandatory) {
        if (!given.contains(field) && !given.contains(archive.alsoFrom.value(field)))
            missing.append(sheetImport::fieldLabel(archive, field));
    }
    if (missing.isEmpty())
        return {};
    return QStringLiteral("Mancano le colonne obbligatorie: ") + missing.join(QStringLiteral(", "));
}

}  // namespace columnMatch
