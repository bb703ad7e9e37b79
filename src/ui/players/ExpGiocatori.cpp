#include "players/ExpGiocatori.h"

#include "app/ProgramFolder.h"
#include "players/PlayerExport.h"
#include "storage/PlayerRecord.h"

using namespace Qt::StringLiterals;

TfrmExpGiocatori::TfrmExpGiocatori(QWidget* owner)
    : ExportScreen(owner, {u"frmExpGiocatori"_s, u" Esportazione archivio giocatori in Microsoft Excel"_s,
                           playerExport::sheet(), recordFormat(PlayerRecord::Layout),
                           [] { return programFolder::file(programFolder::playerArchiveName); },
                           u"esporta_giocatori"_s})
{
}
