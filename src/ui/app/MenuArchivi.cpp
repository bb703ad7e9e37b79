#include "app/MenuArchivi.h"

#include "common/HelpTopics.h"
#include "common/Navigator.h"
#include "common/PictureButton.h"
#include "common/Style.h"

#include <QLabel>

TfrmMenuArchivi::TfrmMenuArchivi(Navigator& navigator)
    : WorkScreen(navigator, QStringLiteral("frmMenuArchivi"), QStringLiteral(" Golvera - Squadre e Giocatori"))
{
    QWidget* panel = content();

    (new Picture(QStringLiteral("imgTitolo"), QStringLiteral("title"), panel))->move(237, 60);
    (new Picture(QStringLiteral("imgSottotitolo"), QStringLiteral("subtitle"), panel))->move(237, 142);

    auto* instructions = new QLabel(QStringLiteral("Premere il pulsante relativo al tipo di archivio da gestire."), panel);
    instructions->setObjectName(QStringLiteral("lblIstruzioni"));
    instructions->setFont(style::verdana(14, true));
    instructions->setStyleSheet(QStringLiteral("color: %1;").arg(style::navy.name()));
    instructions->setAlignment(Qt::AlignCenter);
    instructions->setGeometry(40, 250, WorkScreen::panelSize.width() - 80, 40);

    m_teams = new PictureButton(QStringLiteral("btnSquadre"), QStringLiteral("menu_squadre"), panel);
    m_teams->move(97, 340);
    connect(m_teams, &PictureButton::clicked, this, [this] {
        m_route = Screen::TeamArchive;
        close();
    });

    m_players = new PictureButton(QStringLiteral("btnGiocatori"), QStringLiteral("menu_giocatori"), panel);
    m_players->move(517, 340);
    connect(m_players, &PictureButton::clicked, this, [this] {
        m_route = Screen::PlayerArchive;
        close();
    });

    auto* guide = new PictureButton(QStringLiteral("imgGuida"), QStringLiteral("help"), panel);
    guide->move(WorkScreen::panelSize.width() - 72, 16);
    connect(guide, &PictureButton::clicked, this, [this] { help::show(this, QStringLiteral("menu")); });

    auto* exit = new PictureButton(QStringLiteral("imgEsci"), QStringLiteral("exit"), panel);
    exit->move(WorkScreen::panelSize.width() - 72, WorkScreen::panelSize.height() - 72);
    connect(exit, &PictureButton::clicked, this, &QWidget::close);
}

void TfrmMenuArchivi::showEvent(QShowEvent* event)
{
    m_route = Screen::Launcher;
    m_teams->setEnabled(navigator().has(Screen::TeamArchive));
    m_players->setEnabled(navigator().has(Screen::PlayerArchive));
    WorkScreen::showEvent(event);
}

void TfrmMenuArchivi::leave()
{
    navigator().go(m_route, this);
}
