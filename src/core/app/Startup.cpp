#include "app/Startup.h"

#include "app/ProgramFolder.h"
#include "storage/ArchiveError.h"
#include "storage/RecordFile.h"
#include "storage/TeamRecord.h"

namespace startup {

void prepareProgramFolder()
{
    try {
        RecordFile archive(programFolder::file(programFolder::teamArchiveName), TeamRecord::Size);
    } catch (const ArchiveError&) {
    }
}

}  // namespace startup
