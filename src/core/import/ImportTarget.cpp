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

}  // namespace sheetImport
