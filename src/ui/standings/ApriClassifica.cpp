#include "standings/ApriClassifica.h"

#include "app/ProgramFolder.h"
#include "common/Dialogs.h"
#include "common/HelpTopics.h"
#include "common/PictureButton.h"
#include "common/Style.h"
#include "platform/Platform.h"
#include "standings/Classifica.h"
#include "standings/ExpClassifica.h"
#include "tournament/Catalogue.h"

#include <QLabel>
#include <QListWidget>
#include <QShowEvent>

TfrmApriClassifica::TfrmApriClassifica(Navigator& navigator)
    : WorkScreen(navigator, QStringLiteral("frmApriClassifica"), QStringLiteral(" Golvera - Visualizzazione classifiche"))
    , m_files(new QListWidget(content()))
    , m_count(new QLabel(QStringLiteral("Sono stati creati 0 tornei."), content()))
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

    m_files->setObjectName(QStringLiteral("lstFiles"));
    m_files->setSelectionMode(QAbstractItemView::SingleSelection);
    m_files->setGeometry(160, 186, width - 320, 326);

    m_count->setObjectName(QStringLiteral("lblCreati"));
    m_count->setFont(style::verdana(12, true));
    m_count->setStyleSheet(QStringLiteral("color: %1;").arg(style::pitchGreen.name()));
    m_count->setGeometry(160, 518, width - 320, 30);

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

    auto* guide = new PictureButton(QStringLiteral("imgGuida"), QStringLiteral("help"), panel);
    guide->move(width - 72, 16);
    connect(guide, &PictureButton::clicked, this, [this] { help::show(this, QStringLiteral("classifiche")); });
}

void TfrmApriClassifica::showEvent(QShowEvent* event)
{
    if (!event->spontaneous())
        fillList();
    WorkScreen::showEvent(event);
}

void TfrmApriClassifica::fillList()
{
    m_file->clear();
    m_files->clear();
    const QFont font = style::courierNew(14);
    for (const QString& name : catalogue::tournamentFiles()) {
        auto* item = new QListWidgetItem(name, m_files);
        item->setFont(font);
        item->setForeground(Qt::black);
    }
    m_count->setText(QStringLiteral("Sono stati creati %1 tornei.").arg(m_files->count()));
}

void TfrmApriClassifica::openStandings(standings::Kind kind)
{
    if (m_files->count() == 0) {
        platform::warningBox(QStringLiteral("Attenzione: l'elenco non contiene nessun torneo."), this);
        return;
    }
    const QList<QListWidgetItem*> selected = m_files->selectedItems();
    if (selected.isEmpty()) {
        platform::warningBox(QStringLiteral("Attenzione: selezionare il torneo dall'elenco prima di premere il pulsante "
                                            "per visualizzare la classifica corrispondente."),
                             this);
        return;
    }
    const QString name = selected.first()->text();
    m_file->setText(programFolder::file(name));
    const QString title = standings::title(kind, name);
    if (kind == standings::Kind::Merit) {
        dialogs::open<TfrmExpClassifica>(this, [&](TfrmExpClassifica& screen) {
            screen.setTournament(m_file->text());
            screen.setTitle(title);
        });
    } else {
        dialogs::open<TfrmClassifica>(this, [&](TfrmClassifica& screen) {
            screen.setTournament(m_file->text());
            screen.setTitle(title);
        });
    }
}
