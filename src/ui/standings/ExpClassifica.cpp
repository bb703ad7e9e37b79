#include "standings/ExpClassifica.h"

#include <QShowEvent>

TfrmExpClassifica::TfrmExpClassifica(QWidget* owner)
    : StandingsScreen(owner, standings::Kind::Merit, QStringLiteral("frmExpClassifica"),
                      QStringLiteral(" Golvera - Classifica di merito"))
{
}

void TfrmExpClassifica::showEvent(QShowEvent* event)
{
    StandingsScreen::showEvent(event);
    // Restoring a minimised window shows it again; only the opening builds the standings.
    if (!event->spontaneous())
        fill(tournament());
}
