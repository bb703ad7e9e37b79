#include "teams/ExpSquadre.h"

#include "storage/TeamRecord.h"
#include "teams/TeamExport.h"
#include "teams/TeamList.h"

using namespace Qt::StringLiterals;

TfrmExpSquadre::TfrmExpSquadre(QWidget* owner)
    : ExportScreen(owner, {u"frmExpSquadre"_s, u" Esporta archivio squadre in Microsoft Excel"_s, teamExport::sheet(),
                           recordFormat(TeamRecord::Layout), &TeamList::archivePath, u"esporta_squadre"_s})
{
}
