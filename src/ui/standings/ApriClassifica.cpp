#include "standings/ApriClassifica.h"

#include "app/ProgramFolder.h"
#include "common/Dialogs.h"
#include "common/HelpTopics.h"
#include "common/PictureButton.h"
#include "common/Style.h"
#include "platform/Platform.h"
#include "standings/Classifica.h"
#include "standings/ClassificaCompleta.h"
#include "standings/ExpClassifica.h"
#include "tournament/Catalogue.h"
#include "tournament/TournamentList.h"

#include <QLabel>
#include <QPushButton>
#include <QShowEvent>

#include <memory>

TfrmApriClassifica::TfrmApriClassifica(Navigator& navigator)
    : WorkScreen(navigator, QStringLiteral("frmApriClassifica"), QStringLiteral(" Golvera - Visualizzazione classifiche"))
    , m_tournaments(new TournamentList(content()))
    , m_file(new QLabel(content()))
{
    QWidget* panel = content();
    const int width = WorkScreen::panelSize.width();

    (new Picture(QStringLiteral("imgTitolo"), QStringLiteral("title"), panel))->move(237, 24);

    auto* instructions = new QLabel(QStringLiteral("Selezionare il torneo nell'elenco sottostante e premere il pulsante "
                                                   "corrispondente al tipo di classifica da visualizzare."),
                                    panel);
    instructions->setObjectName(QStringLiteral("lblIstruzioni"));
    instructions->setFont(style::verdana(13, true));
    instructions->setStyleSheet(QStringLiteral("color: %1;").arg(style::navy.name()));
    instructions->setAlignment(Qt::AlignCenter);
    instructions->setWordWrap(true);
    instructions->setGeometry(80, 118, width - 160, 56);

    m_tournaments->setGeometry(97, 188, width - 194, 364);

    m_file->setObjectName(QStringLiteral("lblFile"));
    m_file->hide();

    auto* merit = new PictureButton(QStringLiteral("btnExcel"), QStringLiteral("pulsante_classifica_merito"), panel);
    auto* alphabetical = new PictureButton(QStringLiteral("btnApri"), QStringLiteral("pulsante_classifica_alfabetica"), panel);
    auto* cancel = new PictureButton(QStringLiteral("btnAnnulla"), QStringLiteral("annulla"), panel);
    constexpr int Gap = 20;
    int x = (width - merit->width() - alphabetical->width() - cancel->width() - 2 * Gap) / 2;
    for (PictureButton* button : {merit, alphabetical, cancel}) {
        button->move(x, 580);
        x += button->width() + Gap;
    }
    connect(merit, &PictureButton::clicked, this, [this] { openStandings(standings::Kind::Merit); });
    connect(alphabetical, &PictureButton::clicked, this, [this] { openStandings(standings::Kind::Alphabetical); });
    connect(cancel, &PictureButton::clicked, this, &QWidget::close);
    // From the results of the tournament's calendar: every tie settled, with its reason.
    auto* complete = new QPushButton(QStringLiteral("Classifica &completa"), panel);
    complete->setObjectName(QStringLiteral("btnCompleta"));
    complete->setFont(style::verdana(11, true));
    complete->setStyleSheet(QStringLiteral("QPushButton { color: white; background: %1; border: 2px solid %1; border-radius: 16px; }"
                                           "QPushButton:focus { border-color: #f0a020; }")
                                .arg(style::navy.name()));
    complete->setGeometry((width - 240) / 2, 580 + merit->height() + 12, 240, 34);
    connect(complete, &QPushButton::clicked, this, &TfrmApriClassifica::openCompleteStandings);
    // Enter or a double-click on a tournament opens its merit standings, the first button.
    connect(m_tournaments, &TournamentList::activated, this, [this] { openStandings(standings::Kind::Merit); });

    auto* guide = new PictureButton(QStringLiteral("imgGuida"), QStringLiteral("help"), panel);
    guide->move(width - 72, 16);
    connect(guide, &PictureButton::clicked, this, [this] { help::show(this, QStringLiteral("classifiche")); });
}

void TfrmApriClassifica::showEvent(QShowEvent* event)
{
    if (!event->spontaneous()) {
        m_file->clear();
        m_tournaments->fill();
    }
    WorkScreen::showEvent(event);
}

void TfrmApriClassifica::openStandings(standings::Kind kind)
{
    const QString name = m_tournaments->chosenFile(catalogue::standingsNoSelectionMessage);
    if (name.isEmpty())
        return;
    m_file->setTextFormat(Qt::PlainText);  // a file name, never markup
    m_file->setText(programFolder::file(name));
    const QString title = standings::title(kind, name);
    const auto prepare = [&](StandingsScreen& screen) {
        screen.setTournament(m_file->text());
        screen.setTitle(title);
    };
    if (kind == standings::Kind::Merit)
        dialogs::open<TfrmExpClassifica>(this, prepare);
    else
        dialogs::open<TfrmClassifica>(this, prepare);
}

void TfrmApriClassifica::openCompleteStandings()
{
    const QString name = m_tournaments->chosenFile(catalogue::standingsNoSelectionMessage);
    if (name.isEmpty())
        return;
    m_file->setText(programFolder::file(name));
    auto screen = std::make_unique<TfrmClassificaCompleta>(this);
    if (screen->setTournament(m_file->text()))
        platform::dialogs().run(screen.get());
}
