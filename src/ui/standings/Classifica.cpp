#include "standings/Classifica.h"

#include <QLabel>
#include <QShowEvent>

TfrmClassifica::TfrmClassifica(QWidget* owner)
    : StandingsScreen(owner, standings::Kind::Alphabetical, QStringLiteral("frmClassifica"),
                      QStringLiteral(" Golvera - Classifica alfabetica"))
    , m_file(new QLabel(panel()))
{
    m_file->setObjectName(QStringLiteral("lblFile"));
    m_file->hide();
}

void TfrmClassifica::showEvent(QShowEvent* event)
{
    StandingsScreen::showEvent(event);
    if (event->spontaneous())
        return;
    m_file->setTextFormat(Qt::PlainText);  // a file name, never markup
    m_file->setText(tournament());
    fill(tournament(), [this] { resetFind(); });
}
