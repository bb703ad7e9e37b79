#include "tournament/ApriArchivio.h"

#include "app/ProgramFolder.h"
#include "common/HelpTopics.h"
#include "common/PictureButton.h"
#include "common/Style.h"
#include "platform/Platform.h"
#include "tournament/Catalogue.h"
#include "tournament/Torneo.h"

#include <QLabel>
#include <QListWidget>
#include <QShowEvent>

TfrmApriArchivio::TfrmApriArchivio(Navigator& navigator)
    : WorkScreen(navigator, QStringLiteral("frmApriArchivio"), QStringLiteral(" Golvera - Apertura torneo"))
    , m_lstFiles(new QListWidget(content()))
    , m_lblCreati(new QLabel(catalogue::countLine(0), content()))
{
    QWidget* panel = content();
    const int width = WorkScreen::panelSize.width();

    (new Picture(QStringLiteral("imgTitolo"), QStringLiteral("title"), panel))->move(237, 40);

    auto* instructions = new QLabel(
        QStringLiteral("Selezionare il torneo nell'elenco e premere Apri archivio, oppure il cestino per eliminarlo."), panel);
    instructions->setObjectName(QStringLiteral("lblIstruzioni"));
    instructions->setFont(style::verdana(12, true));
    instructions->setStyleSheet(QStringLiteral("color: %1;").arg(style::navy.name()));
    instructions->setAlignment(Qt::AlignCenter);
    instructions->setGeometry(40, 150, width - 80, 28);

    m_lstFiles->setObjectName(QStringLiteral("lstFiles"));
    m_lstFiles->setFont(style::courierNew(14));
    m_lstFiles->setSelectionMode(QAbstractItemView::SingleSelection);
    m_lstFiles->setStyleSheet(QStringLiteral(
        "QListWidget { background-color: white; color: black; border: 1px solid %1; border-radius: 6px; outline: 0; }"
        "QListWidget::item { padding: 3px 6px; border: 1px solid transparent; }"
        "QListWidget::item:selected { background-color: %1; color: white; }"
        // The row the keyboard is on is only outlined: it must not look chosen.
        "QListWidget::item:focus:!selected { background-color: white; border: 1px dotted %1; }").arg(style::navy.name()));
    m_lstFiles->setGeometry(97, 188, width - 194, 330);
    // A double-click does what selecting and pressing "Apri archivio" does.
    connect(m_lstFiles, &QListWidget::itemDoubleClicked, this, &TfrmApriArchivio::btnApriClick);

    m_lblCreati->setObjectName(QStringLiteral("lblCreati"));
    m_lblCreati->setFont(style::verdana(12, true));
    m_lblCreati->setStyleSheet(QStringLiteral("color: %1;").arg(style::pitchGreen.name()));
    m_lblCreati->setGeometry(97, 524, width - 194, 28);

    auto* open = new PictureButton(QStringLiteral("btnApri"), QStringLiteral("apri_archivio"), panel);
    open->move(width / 2 - 262, 584);
    connect(open, &PictureButton::clicked, this, &TfrmApriArchivio::btnApriClick);

    auto* remove = new PictureButton(QStringLiteral("btnElimina"), QStringLiteral("cestino"), panel);
    remove->move(width / 2 - 24, 583);
    connect(remove, &PictureButton::clicked, this, &TfrmApriArchivio::btnEliminaClick);

    auto* cancel = new PictureButton(QStringLiteral("btnAnnulla"), QStringLiteral("annulla"), panel);
    cancel->move(width / 2 + 42, 584);
    connect(cancel, &PictureButton::clicked, this, &QWidget::close);

    auto* guide = new PictureButton(QStringLiteral("imgGuida"), QStringLiteral("help"), panel);
    guide->move(width - 72, 16);
    connect(guide, &PictureButton::clicked, this, [this] { help::show(this, QStringLiteral("tornei")); });
}

void TfrmApriArchivio::showEvent(QShowEvent* event)
{
    if (!event->spontaneous()) {
        m_route = Route::Launcher;
        fillList();
    }
    WorkScreen::showEvent(event);
}

void TfrmApriArchivio::fillList()
{
    m_lstFiles->clear();
    m_lstFiles->addItems(catalogue::tournamentFiles());
    m_lblCreati->setText(catalogue::countLine(m_lstFiles->count()));
}

QString TfrmApriArchivio::selectedFile() const
{
    const QList<QListWidgetItem*> selected = m_lstFiles->selectedItems();
    return selected.isEmpty() ? QString() : selected.front()->text();
}

void TfrmApriArchivio::btnApriClick()
{
    if (m_lstFiles->count() == 0)
        return platform::warningBox(catalogue::emptyListMessage, this);
    if (selectedFile().isEmpty())
        return platform::warningBox(catalogue::openNoSelectionMessage, this);
    m_route = Route::Editor;
    close();
}

void TfrmApriArchivio::btnEliminaClick()
{
    if (m_lstFiles->count() == 0)
        return platform::warningBox(catalogue::emptyListMessage, this);
    const QString file = selectedFile();
    if (file.isEmpty())
        return platform::warningBox(catalogue::deleteNoSelectionMessage, this);
    if (!platform::questionBox(catalogue::deleteQuestion, this))
        return;
    m_route = Route::Launcher;
    // A file that stays is still a tournament: it stays listed and selected.
    if (!catalogue::remove(programFolder::file(file)))
        return platform::warningBox(catalogue::deleteFailedMessage, this);
    platform::informationBox(catalogue::deletedMessage, this);
    fillList();
}

void TfrmApriArchivio::leave()
{
    const QString file = selectedFile();
    auto* editor = qobject_cast<TfrmTorneo*>(navigator().screen(Screen::TournamentEditor));
    if (m_route == Route::Editor && editor && !file.isEmpty()) {
        m_route = Route::Launcher;
        editor->setTournament(programFolder::file(file), catalogue::displayName(file));
        navigator().go(Screen::TournamentEditor, this);
        return;
    }
    m_route = Route::Launcher;
    navigator().go(Screen::Launcher, this);
}
