#include "tournament/ExpTorneo.h"

#include "storage/TournamentRecord.h"
#include "text/TextRules.h"
#include "tournament/TournamentExport.h"

using namespace Qt::StringLiterals;

TfrmExpTorneo::TfrmExpTorneo(QWidget* owner)
    : ExportScreen(owner, {u"frmExpTorneo"_s, u" Esporta archivio torneo in Microsoft Excel"_s, tournamentExport::sheet(),
                           recordFormat(TournamentRecord::Layout), [this] { return trimControls(m_path); },
                           u"esporta_torneo"_s})
{
}
