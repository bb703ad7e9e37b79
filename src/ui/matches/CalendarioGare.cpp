#include "matches/CalendarioGare.h"

#include "common/ButtonTable.h"
#include "common/Dialogs.h"
#include "common/HelpTopics.h"
#include "common/HintLine.h"
#include "common/PictureButton.h"
#include "common/Style.h"
#include "editor/RecordEditing.h"
#include "matches/CalendarFile.h"
#include "matches/MatchDelegate.h"
#include "matches/MatchTableModel.h"
#include "matches/MatchWindow.h"
#include "matches/NuovoCalendario.h"
#include "matches/WriteBack.h"
#include "platform/Platform.h"
#include "storage/ArchiveError.h"
#include "withdrawal/WithdrawnEntries.h"

#include <QComboBox>
#include <QHeaderView>
#include <QKeySequence>
#include <QLabel>
#include <QPainter>
#include <QMap>
#include <QTableView>
#include <QThread>

#include <memory>

using namespace Qt::StringLiterals;
using namespace matches;

namespace {

const QList<buttonTable::ToolRow>& toolbarButtons()
{
    static const QList<buttonTable::ToolRow> rows = {
        {u"cmdSalva"_s, u"salva"_s, 24, u"Salva nel calendario i risultati e le modifiche."_s},
        {u"cmdAggiungi"_s, u"nuovo"_s, 78, u"Aggiunge una gara alla giornata della gara selezionata."_s},
        {u"cmdScambia"_s, u"scambia"_s, 132, u"Scambia la squadra di casa con quella ospite nella gara selezionata."_s},
        {u"cmdElimina"_s, u"cestino"_s, 186, u"Elimina dal calendario la gara selezionata."_s},
        {u"cmdNuovoCalendario"_s, u"calendario"_s, 290, u"Crea un nuovo calendario per il torneo, mostrandolo prima di scriverlo."_s},
        {u"cmdGuida"_s, u"help"_s, 869, u"Visualizza la pagina della guida in linea sensibile al contesto."_s},
        {u"cmdEsci"_s, u"exit"_s, 923, u"Esci da questa schermata di lavoro."_s},
    };
    return rows;
}

const QString allTeams = QStringLiteral("Tutte");

// What the reading hands back.
struct Read {
    StoredCalendar calendar;
    QStringList names;
    QString failure;  // empty when read
};

}  // namespace

const QString TfrmCalendarioGare::leaveQuestion = QStringLiteral("Salvare le modifiche al calendario?");
const QString TfrmCalendarioGare::conflictQuestion = QStringLiteral(
    "Attenzione: un'altra postazione ha modificato il calendario dopo che \u00E8 stato visualizzato, "
    "pertanto le modifiche non sono state salvate.\n\r\n\rSi desidera visualizzare il calendario cos\u00EC come "
    "\u00E8 ora in archivio?");

QString TfrmCalendarioGare::removePlayedQuestion(int number)
{
    return QStringLiteral("Attenzione: la gara n. %1 ha gi\u00E0 un risultato.\r\n\r\n"
                          "Si desidera eliminarla comunque dal calendario?")
        .arg(number);
}

TfrmCalendarioGare::TfrmCalendarioGare(QWidget* owner)
    : QDialog(owner)
    , m_model(new MatchTableModel(this))
{
    const matchWindow::Parts parts =
        matchWindow::place(this, owner, QStringLiteral("frmCalendario"), QStringLiteral(" Golvera - Calendario"));
    QWidget* panel = parts.panel;
    m_title = parts.title;
    m_info = parts.info;

    buildFilters(panel);

    m_table = new QTableView(panel);
    m_table->setObjectName(QStringLiteral("lstGare"));
    m_table->setModel(m_model);
    m_table->setItemDelegate(new MatchDelegate(m_table));
    m_table->setFont(style::verdana(10));
    m_table->horizontalHeader()->setFont(style::verdana(10, true));
    m_table->setGeometry(20, 166, 955, 462);
    m_table->setSelectionBehavior(QAbstractItemView::SelectItems);
    m_table->setSelectionMode(QAbstractItemView::SingleSelection);
    m_table->setAlternatingRowColors(true);
    m_table->setEditTriggers(QAbstractItemView::AnyKeyPressed | QAbstractItemView::EditKeyPressed
                             | QAbstractItemView::DoubleClicked);
    m_table->setTabKeyNavigation(false);
    // One height for every row: a long calendar stays quick.
    m_table->verticalHeader()->hide();
    m_table->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_table->verticalHeader()->setDefaultSectionSize(QFontMetrics(m_table->font()).height() + 8);
    m_table->horizontalHeader()->setStretchLastSection(true);
    m_table->horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    const QList<int> widths = {40, 80, 52, 88, 50, 92, 136, 136, 118};
    for (int column = 0; column < widths.size(); ++column)
        m_table->horizontalHeader()->resizeSection(column, widths.at(column));
    m_table->setStyleSheet(QStringLiteral("QTableView { background-color: white; border: 1px solid %1; }")
                               .arg(style::pitchGreen.name()));

    m_reading_label = style::label(panel, QStringLiteral("lblLettura"), QStringLiteral("Lettura del calendario in corso..."),
                                   style::verdana(12, true), style::navy);
    m_reading_label->setGeometry(36, 206, 900, 30);
    m_reading_label->hide();

    buildToolbar(panel);

    // Enter on a cell opens it for typing, as F2 does.
    connect(m_model, &QAbstractItemModel::modelReset, this, &TfrmCalendarioGare::showCount);
    connect(m_model, &QAbstractItemModel::rowsInserted, this, &TfrmCalendarioGare::showCount);
    connect(m_model, &QAbstractItemModel::rowsRemoved, this, &TfrmCalendarioGare::showCount);
}

TfrmCalendarioGare::~TfrmCalendarioGare() { stopReading(); }

void TfrmCalendarioGare::buildToolbar(QWidget* panel)
{
    const QList<PictureButton*> buttons = buttonTable::toolbar(panel, toolbarButtons());
    const auto button = [this](const char* name) { return findChild<PictureButton*>(QLatin1String(name)); };
    const auto command = [this, button](const char* name, const QKeySequence& keys, auto action) {
        PictureButton* b = button(name);
        connect(b, &PictureButton::clicked, this, action);
        buttonTable::bindKeys(this, b, keys);
    };
    command("cmdSalva", QKeySequence(Qt::CTRL | Qt::Key_S), [this] { save(); });
    command("cmdAggiungi", QKeySequence(Qt::CTRL | Qt::Key_N), [this] { addMatch(); });
    command("cmdScambia", QKeySequence(Qt::CTRL | Qt::Key_E), [this] { swapMatch(); });
    command("cmdElimina", QKeySequence(Qt::CTRL | Qt::Key_Delete), [this] { removeMatch(); });
    command("cmdNuovoCalendario", QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_N), [this] { newCalendar(); });
    command("cmdGuida", QKeySequence(Qt::Key_F1), [this] { help::show(this, QStringLiteral("tornei")); });
    // Esc closes the dialog by itself once no cell is being typed in.
    connect(button("cmdEsci"), &PictureButton::clicked, this, &QDialog::reject);
    button("cmdEsci")->setToolTip(button("cmdEsci")->hint() + QStringLiteral("\nScorciatoia da tastiera: Esc"));
    hintLine::install(m_info, buttons, {this, panel, m_title});
}

void TfrmCalendarioGare::buildFilters(QWidget* panel)
{
    const auto filter = [&](const QString& name, const QString& caption, int x, int labelWidth, int width) {
        QLabel* label = style::label(panel, name + QStringLiteral("Etichetta"), caption, style::verdana(10, true), style::navy);
        label->setGeometry(x, 124, labelWidth, 30);
        auto* box = new QComboBox(panel);
        box->setObjectName(name);
        box->setFont(style::verdana(10));
        box->setGeometry(x + labelWidth, 124, width, 30);
        label->setBuddy(box);
        connect(box, &QComboBox::currentIndexChanged, this, &TfrmCalendarioGare::applyFilter);
        return box;
    };
    m_round = filter(QStringLiteral("cboGiornata"), QStringLiteral("&Giornata:"), 20, 86, 130);
    m_team = filter(QStringLiteral("cboSquadra"), QStringLiteral("S&quadra:"), 248, 80, 250);
    m_group = filter(QStringLiteral("cboGirone"), QStringLiteral("Gi&rone:"), 590, 66, 80);
    m_status = filter(QStringLiteral("cboStato"), QStringLiteral("S&tato:"), 748, 58, 169);
}

void TfrmCalendarioGare::setTournament(const QString& path, const QString& name)
{
    m_path = path;
    m_name = name;
    m_title->setText(QStringLiteral("Calendario - %1").arg(name));
    read();
}

void TfrmCalendarioGare::read()
{
    stopReading();
    m_reading_label->show();
    m_reading_label->raise();
    auto result = std::make_shared<Read>();
    m_reading = QThread::create([path = m_path, result] {
        try {
            result->calendar = readCalendar(path);
            result->names = entryNames(path);
        } catch (const CalendarDamaged& damaged) {
            result->failure = damaged.message();
        } catch (...) {
            result->failure = recordEditing::archiveFailureMessage;
        }
    });
    m_reading->setParent(this);
    // Queued to this window: one closed before the end never hears of it.
    connect(m_reading, &QThread::finished, this, [this, reading = m_reading, result] {
        reading->deleteLater();
        if (reading != m_reading)
            return;
        m_reading = nullptr;
        m_reading_label->hide();
        if (!result->failure.isEmpty()) {
            platform::errorBox(result->failure, this);
            return;
        }
        m_model->setCalendar(std::move(result->calendar), std::move(result->names));
        if (m_model->stored().calendar.matches.isEmpty())
            m_info->setText(QStringLiteral("Il torneo non ha ancora un calendario: premere Nuovo calendario (Ctrl+Maiusc+N)."));
        fillFilters();
        if (m_model->rowCount() > 0)
            m_table->setCurrentIndex(m_model->index(0, MatchTableModel::Result));
        m_table->setFocus(Qt::OtherFocusReason);
    });
    m_reading->start();
}

void TfrmCalendarioGare::stopReading()
{
    if (!m_reading)
        return;
    QThread* reading = m_reading;
    m_reading = nullptr;
    reading->wait();
}

void TfrmCalendarioGare::fillFilters()
{
    const Calendar& calendar = m_model->stored().calendar;
    const QSignalBlocker blockRound(m_round), blockTeam(m_team), blockGroup(m_group), blockStatus(m_status);
    m_round->clear();
    m_round->addItem(allTeams, 0);
    // Each round once, in order, named by its first match.
    QMap<int, QString> rounds;
    for (const Match& match : calendar.matches) {
        if (!rounds.contains(match.round))
            rounds.insert(match.round, match.isKnockout() ? QStringLiteral("%1 - %2").arg(match.round).arg(roundText(match))
                                                          : roundText(match));
    }
    for (auto round = rounds.cbegin(); round != rounds.cend(); ++round)
        m_round->addItem(round.value(), round.key());
    m_team->clear();
    m_team->addItem(allTeams, 0);
    const QStringList& names = m_model->names();
    for (int i = 0; i < names.size(); ++i)
        m_team->addItem(names.at(i).isEmpty() ? QStringLiteral("squadra n. %1").arg(i + 1) : names.at(i), i + 1);
    m_group->clear();
    m_group->addItem(QStringLiteral("Tutti"));
    for (const QString& group : calendar.groups())
        m_group->addItem(group.isEmpty() ? QStringLiteral("nessuno") : group, group);
    m_status->clear();
    m_status->addItem(QStringLiteral("Tutti"), -1);
    for (int status = 0; status < statusCount; ++status)
        m_status->addItem(statusWord(Status(status)), status);
}

void TfrmCalendarioGare::applyFilter()
{
    Filter filter;
    filter.round = m_round->currentData().toInt();
    filter.team = m_team->currentData().toInt();
    if (m_group->currentIndex() > 0)
        filter.group = m_group->currentData().toString();
    if (const int status = m_status->currentData().toInt(); m_status->currentIndex() > 0 && status >= 0)
        filter.status = Status(status);
    const int number = currentRow() >= 0 ? m_model->matchAt(currentRow()).number : 0;
    m_model->setFilter(filter);
    const int row = std::max(0, m_model->rowOf(number));
    if (row < m_model->rowCount())
        m_table->setCurrentIndex(m_model->index(row, MatchTableModel::Result));
}

void TfrmCalendarioGare::showCount()
{
    m_info->setText(QStringLiteral("Gare mostrate: %1. Per il risultato: gol di casa, Tab, gol ospiti, Invio.")
                        .arg(m_model->rowCount()));
}

int TfrmCalendarioGare::currentRow() const
{
    const QModelIndex current = m_table->currentIndex();
    return current.isValid() ? current.row() : -1;
}

bool TfrmCalendarioGare::save()
{
    // Leaving the cell being typed in takes what it holds first.
    m_table->setFocus(Qt::OtherFocusReason);
    if (!m_model->hasChanges())
        return true;
    const int number = currentRow() >= 0 ? m_model->matchAt(currentRow()).number : 0;
    try {
        saveAndWriteBack(m_path, m_model->stored(), withdrawal::entries(m_path));
    } catch (const RecordChanged&) {
        if (platform::questionBox(conflictQuestion, this))
            read();
        return false;
    } catch (const CalendarDamaged& damaged) {
        platform::errorBox(damaged.message(), this);
        return false;
    } catch (const ArchiveBusy& busy) {
        platform::errorBox(recordEditing::busyMessage(busy.station()), this);
        return false;
    } catch (...) {
        platform::errorBox(recordEditing::archiveFailureMessage, this);
        return false;
    }
    m_model->markSaved();
    m_model->setFilter(m_model->filter());
    if (const int row = m_model->rowOf(number); row >= 0)
        m_table->setCurrentIndex(m_model->index(row, MatchTableModel::Result));
    Q_EMIT saved();
    platform::informationBox(QStringLiteral("Le modifiche al calendario sono state salvate."), this);
    return true;
}

void TfrmCalendarioGare::addMatch()
{
    if (isReading())
        return;
    const int row = m_model->add(currentRow());
    m_table->setCurrentIndex(m_model->index(row, MatchTableModel::Home));
    m_table->setFocus(Qt::OtherFocusReason);
}

void TfrmCalendarioGare::swapMatch()
{
    if (const int row = currentRow(); row >= 0)
        m_model->swap(row);
}

void TfrmCalendarioGare::removeMatch()
{
    const int row = currentRow();
    if (row < 0)
        return;
    const Match& match = m_model->matchAt(row);
    if (match.hasResult() && !platform::questionBox(removePlayedQuestion(match.number), this, platform::Answer::No))
        return;
    m_model->remove(row);
    if (m_model->rowCount() > 0)
        m_table->setCurrentIndex(m_model->index(std::min(row, m_model->rowCount() - 1), MatchTableModel::Result));
}

void TfrmCalendarioGare::newCalendar()
{
    // The new calendar replaces what is on screen: unsaved changes are asked about first.
    if (!confirmLeave())
        return;
    const int written = dialogs::open<TfrmNuovoCalendario>(this, [this](TfrmNuovoCalendario& screen) {
        screen.setTournament(m_path, m_name);
    });
    if (written == QDialog::Accepted) {
        Q_EMIT saved();
        read();
    }
}

bool TfrmCalendarioGare::confirmLeave()
{
    if (!m_model->hasChanges())
        return true;
    switch (platform::askBox(leaveQuestion, {true, platform::Answer::Yes}, this)) {
    case platform::Answer::Yes:
        return save();
    case platform::Answer::No:
        return true;
    case platform::Answer::Cancel:
        break;
    }
    return false;
}

void TfrmCalendarioGare::done(int result)
{
    if (isVisible() && !confirmLeave())
        return;
    stopReading();
    QDialog::done(result);
}

void TfrmCalendarioGare::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    style::paintBackground(painter, rect());
}
