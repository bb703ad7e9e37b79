#include "import/ImportTarget.h"

namespace sheetImport {

Archive resolved(Archive archive)
{
    for (Target& target : archive.targets) {
        target.index = archive.format.indexOf(target.field);
        target.capacity = archive.format.capacityOf(target.field);
    }
    return archive;
}

const Target* wholeTarget(const Archive& archive, const QString& field)
{
    for (const Target& target : archive.targets) {
        if (target.field == field && target.part == Part::Whole)
            return &target;
    }
    return nullptr;
}

QString fieldLabel(const Archive& archive, const QString& field)
{
    const Target* whole = wholeTarget(archive, field);
    return whole ? whole->label : field;
}

}  // namespace sheetImport
