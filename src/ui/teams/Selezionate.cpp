#include "teams/Selezionate.h"

#include "teams/TeamRows.h"

TfrmSelezionate::TfrmSelezionate(QWidget* owner)
    : TeamList(owner,
               {ListKind::SelectedTeams, QStringLiteral("frmSelezionate"), QStringLiteral(" Elenco squadre selezionate"),
                QSize(862, 560), false, QStringLiteral("pulsante_stampa")},
               teamRows::isSelected, QStringLiteral("Elenco squadre selezionate"))
{
}
