#include "matches/CalendarioTorneo.h"

#include "common/Dialogs.h"
#include "common/Style.h"
#include "matches/CalendarModel.h"
#include "matches/Knockout.h"
#include "matches/NuovoCalendario.h"
#include "matches/Plan.h"
#include "matches/Results.h"
#include "matches/Tabellone.h"
#include "matches/WriteBack.h"
#include "output/ListSummary.h"
#include "output/PrintChoices.h"
#include "output/ReportLayout.h"
#include "platform/Platform.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QShortcut>
#include <QSpinBox>
#include <QTableView>
#include <QTabWidget>
#include <QTimer>
#include <QVBoxLayout>

#include <map>

using namespace matches;

namespace {

QPushButton* button(const QString& name, const QString& text, QWidget* parent)
{
    auto* b = new QPushButton(text, parent);
    b->setObjectName(name);
    b->setFont(style::verdana(10, true));
    return b;
}

QLabel* caption(const QString& text, QWidget* parent)
{
    auto* label = new QLabel(text, parent);
    label->setFont(style::verdana(10, true));
    label->setStyleSheet(QStringLiteral("color: %1;").arg(style::navy.name()));
    return label;
}

}  // namespace

QString TfrmCalendarioTorneo::conflictQuestion()
{
    return QStringLiteral(
        "Attenzione: un'altra postazione ha modificato il calendario o le schede del torneo dopo che sono stati "
        "visualizzati, pertanto le modifiche non sono state salvate.\n\r\n\rSi desidera visualizzare il "
        "calendario cos\u00EC come \u00E8 ora in archivio?");
}

QString TfrmCalendarioTorneo::saveQuestion()
{
    return QStringLiteral("Salvare le modifiche al calendario?");
}

TfrmCalendarioTorneo::TfrmCalendarioTorneo(QWidget* owner)
    : QDialog(owner)
    , m_model(new CalendarModel(this))
{
    setObjectName(QStringLiteral("frmCalendarioTorneo"));
    setWindowTitle(QStringLiteral(" Golvera - Calendario"));
    resize(1180, 760);
    auto* layout = new QVBoxLayout(this);

    m_title = new QLabel(this);
    m_title->setObjectName(QStringLiteral("lblNome"));
    m_title->setFont(style::verdana(12, true));
    m_title->setAlignment(Qt::AlignCenter);
    m_title->setMinimumHeight(36);
    m_title->setStyleSheet(
        QStringLiteral("background-color: %1; color: #FFD21F; border-radius: 8px;").arg(style::navy.name()));
    layout->addWidget(m_title);

    buildFilters(this);
    buildRules(this);

    m_tabs = new QTabWidget(this);
    m_tabs->setObjectName(QStringLiteral("tabCalendario"));
    m_table = new QTableView(m_tabs);
    m_table->setObjectName(QStringLiteral("tblGare"));
    m_table->setModel(m_model);
    m_table->setFont(style::verdana(10));
    m_table->setSelectionBehavior(QAbstractItemView::SelectItems);
    m_table->setEditTriggers(QAbstractItemView::AnyKeyPressed | QAbstractItemView::DoubleClicked
                             | QAbstractItemView::EditKeyPressed);
    m_table->verticalHeader()->hide();
    m_table->verticalHeader()->setDefaultSectionSize(24);
    m_table->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    const QList<int> widths{44, 110, 52, 88, 50, 100, 160, 160, 66, 76, 60, 90};
    for (int i = 0; i < widths.size(); ++i)
        m_table->setColumnWidth(i, widths[i]);
    m_tabs->addTab(m_table, QStringLiteral("&Gare"));
    auto* scroll = new QScrollArea(m_tabs);
    m_bracket = new TfrmTabellone(scroll);
    scroll->setWidget(m_bracket);
    scroll->setWidgetResizable(false);
    m_tabs->addTab(scroll, QStringLiteral("&Tabellone"));
    layout->addWidget(m_tabs, 1);

    m_info = new QLabel(this);
    m_info->setObjectName(QStringLiteral("panInfo"));
    m_info->setFont(style::tahoma(10));
    m_info->setWordWrap(true);
    m_info->setStyleSheet(QStringLiteral("background-color: %1; color: white; border-radius: 8px; padding: 6px 12px;")
                              .arg(style::navy.name()));
    layout->addWidget(m_info);

    auto* buttons = new QHBoxLayout;
    QPushButton* saveButton = button(QStringLiteral("cmdSalva"), QStringLiteral("&Salva (Ctrl+S)"), this);
    QPushButton* newButton = button(QStringLiteral("cmdNuovoCalendario"), QStringLiteral("&Nuovo calendario..."), this);
    QPushButton* printAll = button(QStringLiteral("cmdStampa"), QStringLiteral("Stampa &calendario"), this);
    QPushButton* printRound = button(QStringLiteral("cmdStampaGiornata"), QStringLiteral("Stampa &risultati giornata"), this);
    QPushButton* printBracket = button(QStringLiteral("cmdStampaTabellone"), QStringLiteral("Stampa ta&bellone"), this);
    QPushButton* quit = button(QStringLiteral("cmdEsci"), QStringLiteral("&Esci"), this);
    QPushButton* swap = button(QStringLiteral("cmdInverti"), QStringLiteral("In&verti casa/ospiti"), this);
    QPushButton* remove = button(QStringLiteral("cmdElimina"), QStringLiteral("Eli&mina gara"), this);
    buttons->addWidget(swap);
    buttons->addWidget(remove);
    swap->setAutoDefault(false);
    remove->setAutoDefault(false);
    connect(swap, &QPushButton::clicked, this, [this] {
        if (!m_model->swapSides(m_table->currentIndex().row()))
            platform::warningBox(QStringLiteral("Attenzione: selezionare nella tabella la gara di cui invertire le squadre."), this);
    });
    connect(remove, &QPushButton::clicked, this, &TfrmCalendarioTorneo::removeMatch);
    for (QPushButton* b : {saveButton, newButton, printAll, printRound, printBracket})
        buttons->addWidget(b);
    buttons->addStretch();
    buttons->addWidget(quit);
    layout->addLayout(buttons);
    for (QPushButton* b : {saveButton, newButton, printAll, printRound, printBracket, quit})
        b->setAutoDefault(false);

    connect(saveButton, &QPushButton::clicked, this, [this] { save(); });
    connect(new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_S), this), &QShortcut::activated, this, [this] { save(); });
    connect(newButton, &QPushButton::clicked, this, &TfrmCalendarioTorneo::newCalendar);
    connect(printAll, &QPushButton::clicked, this, [this] { print(0); });
    connect(printRound, &QPushButton::clicked, this, [this] { print(1); });
    connect(printBracket, &QPushButton::clicked, this, [this] { print(2); });
    connect(quit, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_model, &CalendarModel::refused, this, [this](const QString& message) { platform::warningBox(message, this); });
    connect(m_model, &CalendarModel::edited, this,
            [this] { m_info->setText(QStringLiteral("Modifiche non salvate: premere Salva per scriverle.")); });
}

void TfrmCalendarioTorneo::buildFilters(QWidget* panel)
{
    auto* row = new QHBoxLayout;
    const auto combo = [&](const QString& name, const QString& label) {
        auto* box = new QComboBox(panel);
        box->setObjectName(name);
        box->setFont(style::verdana(10));
        box->setMinimumWidth(150);
        QLabel* text = caption(label, panel);
        text->setBuddy(box);
        row->addWidget(text);
        row->addWidget(box);
        connect(box, &QComboBox::currentIndexChanged, this, &TfrmCalendarioTorneo::applyFilter);
        return box;
    };
    m_round = combo(QStringLiteral("cboGiornata"), QStringLiteral("Gi&ornata:"));
    m_team = combo(QStringLiteral("cboSquadra"), QStringLiteral("S&quadra:"));
    m_group = combo(QStringLiteral("cboGirone"), QStringLiteral("G&irone:"));
    m_status = combo(QStringLiteral("cboStato"), QStringLiteral("St&ato:"));
    row->addStretch();
    static_cast<QVBoxLayout*>(layout())->addLayout(row);
}

void TfrmCalendarioTorneo::buildRules(QWidget* panel)
{
    auto* row = new QHBoxLayout;
    m_fromResults = new QCheckBox(QStringLiteral("&Punteggio delle squadre dai risultati"), panel);
    m_fromResults->setObjectName(QStringLiteral("chkPuntiDaRisultati"));
    m_fromResults->setFont(style::verdana(10, true));
    row->addWidget(m_fromResults);
    const auto spin = [&](const QString& name, const QString& label, int minimum, int maximum) {
        auto* box = new QSpinBox(panel);
        box->setObjectName(name);
        box->setRange(minimum, maximum);
        QLabel* text = caption(label, panel);
        text->setBuddy(box);
        row->addWidget(text);
        row->addWidget(box);
        connect(box, &QSpinBox::valueChanged, this, [this] {
            if (!m_showingRules)
                m_rulesChanged = true;
        });
        return box;
    };
    m_win = spin(QStringLiteral("spnVittoria"), QStringLiteral("&Vittoria"), -9, 99);
    m_draw = spin(QStringLiteral("spnPareggio"), QStringLiteral("Pa&reggio"), -9, 99);
    m_loss = spin(QStringLiteral("spnSconfitta"), QStringLiteral("Scon&fitta"), -9, 99);
    m_forfeitGoals = spin(QStringLiteral("spnTavolino"), QStringLiteral("Reti a ta&volino"), 1, 20);
    m_deduction = new QCheckBox(QStringLiteral("Penali&zzazione di un punto a tavolino"), panel);
    m_deduction->setObjectName(QStringLiteral("chkPenalizzazione"));
    row->addWidget(m_deduction);
    row->addStretch();
    for (QCheckBox* box : {m_fromResults, m_deduction}) {
        connect(box, &QCheckBox::toggled, this, [this] {
            if (!m_showingRules)
                m_rulesChanged = true;
        });
    }
    static_cast<QVBoxLayout*>(layout())->addLayout(row);
}

void TfrmCalendarioTorneo::setTournament(const QString& path, const QString& name)
{
    m_path = path;
    m_name = name;
    m_title->setText(QStringLiteral("Calendario - %1").arg(name));
}

void TfrmCalendarioTorneo::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    // The window is on screen before a long calendar is read.
    if (!m_loaded) {
        m_loaded = true;
        m_info->setText(QStringLiteral("Lettura del calendario in corso..."));
        QTimer::singleShot(0, this, &TfrmCalendarioTorneo::reload);
    }
}

void TfrmCalendarioTorneo::reload()
{
    m_damaged = false;
    try {
        refreshEntries(m_path);
    } catch (const ArchiveError&) {
        // Shown below when the calendar itself cannot be read; a read-only folder keeps the entries.
    }
    try {
        m_stored = readCalendar(m_path);
        m_names = entryNames(m_path);
    } catch (const CalendarDamaged& damaged) {
        m_stored = {};
        m_damaged = true;
        platform::errorBox(damaged.message(), this);
    } catch (const ArchiveError&) {
        m_stored = {};
        m_damaged = true;
        platform::errorBox(QStringLiteral("Attenzione: il sistema non permette di accedere al calendario del torneo."),
                           this);
    }
    m_model->setCalendar(&m_stored.calendar, m_names, !m_damaged);
    m_bracket->setCalendar(m_stored.calendar, m_names);
    rulesToControls();
    fillFilters();
    if (m_damaged)
        m_info->setText(QStringLiteral("Il calendario non pu\u00F2 essere letto."));
    else if (m_stored.calendar.matches.isEmpty())
        m_info->setText(QStringLiteral("Il torneo non ha ancora un calendario: premere Nuovo calendario per crearlo."));
    else
        m_info->setText(QStringLiteral("%1 gare. Scrivere i risultati nella tabella (Tab passa alle reti degli ospiti, "
                                       "Invio conferma), poi premere Salva.")
                            .arg(m_stored.calendar.matches.size()));
}

void TfrmCalendarioTorneo::rulesToControls()
{
    m_showingRules = true;
    const Rules& rules = m_stored.calendar.rules;
    m_fromResults->setChecked(rules.pointsFromResults);
    m_deduction->setChecked(rules.forfeitDeduction);
    m_win->setValue(rules.winPoints);
    m_draw->setValue(rules.drawPoints);
    m_loss->setValue(rules.lossPoints);
    m_forfeitGoals->setValue(rules.forfeitWinnerGoals);
    m_rulesChanged = false;
    m_showingRules = false;
}

void TfrmCalendarioTorneo::controlsToRules()
{
    Rules& rules = m_stored.calendar.rules;
    rules.pointsFromResults = m_fromResults->isChecked();
    rules.forfeitDeduction = m_deduction->isChecked();
    rules.winPoints = m_win->value();
    rules.drawPoints = m_draw->value();
    rules.lossPoints = m_loss->value();
    rules.forfeitWinnerGoals = m_forfeitGoals->value();
}

void TfrmCalendarioTorneo::fillFilters()
{
    const Calendar& calendar = m_stored.calendar;
    for (QComboBox* box : {m_round, m_team, m_group, m_status}) {
        const QSignalBlocker blocker(box);
        box->clear();
        box->addItem(QStringLiteral("(tutte)"), 0);
    }
    // Each round by the title of its first match, in one pass.
    std::map<int, const Match*> rounds;
    for (const Match& match : calendar.matches)
        rounds.try_emplace(match.round, &match);
    const QSignalBlocker blockRounds(m_round), blockTeams(m_team), blockGroups(m_group), blockStatus(m_status);
    for (const auto& [round, first] : rounds)
        m_round->addItem(roundTitle(*first), round);
    for (qsizetype i = 0; i < m_names.size(); ++i)
        m_team->addItem(m_names[i], int(i) + 1);
    for (const QString& group : calendar.groups())
        m_group->addItem(QStringLiteral("Girone ") + group, group);
    for (int i = 0; i < statusCount; ++i)
        m_status->addItem(statusWord(Status(i)), i + 1);
}

void TfrmCalendarioTorneo::applyFilter()
{
    Filter filter;
    filter.round = m_round->currentData().toInt();
    filter.team = m_team->currentData().toInt();
    filter.group = m_group->currentIndex() > 0 ? m_group->currentData().toString() : QString();
    if (const int status = m_status->currentData().toInt(); status > 0)
        filter.status = Status(status - 1);
    m_model->setFilter(filter);
}

bool TfrmCalendarioTorneo::isModified() const
{
    return !m_model->changed().isEmpty() || m_rulesChanged;
}

bool TfrmCalendarioTorneo::save()
{
    if (m_damaged)
        return false;
    m_table->setFocus();  // an editor still open gives its text first
    if (m_table->currentIndex().isValid())
        m_table->closePersistentEditor(m_table->currentIndex());
    Calendar& calendar = m_stored.calendar;
    for (int number : m_model->changed()) {
        if (const Match* match = calendar.match(number)) {
            if (const QString problem = checkResult(*match); !problem.isEmpty()) {
                platform::warningBox(QStringLiteral("Gara %1: ").arg(number) + problem, this);
                return false;
            }
        }
    }
    Calendar next = calendar;
    fillFromGroups(next, int(m_names.size()));
    if (const QList<int> refused = advanceWinners(next); !refused.isEmpty()) {
        platform::warningBox(laterMatchPlayedMessage(refused.first()), this);
        return false;
    }
    const StoredCalendar before = m_stored;
    calendar = next;
    controlsToRules();
    try {
        saveAndWriteBack(m_path, m_stored);
    } catch (const RecordChanged&) {
        m_stored = before;
        if (platform::questionBox(conflictQuestion(), this))
            reload();
        return false;
    } catch (const CalendarDamaged& damaged) {
        m_stored = before;
        platform::errorBox(damaged.message(), this);
        return false;
    } catch (const ArchiveError&) {
        m_stored = before;
        platform::errorBox(QStringLiteral("Attenzione: il sistema non permette di accedere all'archivio.\n\r\n\r"
                                          "Accertarsi di possedere i privilegi di scrittura nella cartella di "
                                          "installazione del programma."),
                           this);
        return false;
    }
    m_model->clearChanged();
    m_rulesChanged = false;
    m_model->setCalendar(&m_stored.calendar, m_names, true);
    applyFilter();
    m_bracket->setCalendar(m_stored.calendar, m_names);
    m_info->setText(QStringLiteral("Calendario salvato."));
    return true;
}

bool TfrmCalendarioTorneo::confirmLeave()
{
    if (!isModified())
        return true;
    switch (platform::askBox(saveQuestion(), {true, platform::Answer::Yes}, this)) {
    case platform::Answer::Yes:
        return save();
    case platform::Answer::No:
        return true;
    case platform::Answer::Cancel:
        break;
    }
    return false;
}

void TfrmCalendarioTorneo::done(int result)
{
    if (!confirmLeave())
        return;
    QDialog::done(result);
}

void TfrmCalendarioTorneo::closeEvent(QCloseEvent* event)
{
    if (!confirmLeave()) {
        event->ignore();
        return;
    }
    QDialog::closeEvent(event);
}

QString TfrmCalendarioTorneo::removePlayedQuestion(int number)
{
    return QStringLiteral("Attenzione: la gara numero %1 \u00E8 gi\u00E0 stata giocata e il suo risultato andr\u00E0 "
                          "perso.\n\r\n\rSi conferma l'eliminazione della gara?")
        .arg(number);
}

void TfrmCalendarioTorneo::removeMatch()
{
    const int row = m_table->currentIndex().row();
    const Match* match = m_model->matchAt(row);
    if (!match || m_damaged) {
        platform::warningBox(QStringLiteral("Attenzione: selezionare nella tabella la gara da eliminare."), this);
        return;
    }
    const QString question = match->hasResult()
                                 ? removePlayedQuestion(match->number)
                                 : QStringLiteral("Si conferma l'eliminazione della gara numero %1?").arg(match->number);
    if (!platform::questionBox(question, this, platform::Answer::No))
        return;
    m_model->removeMatch(row);
}

void TfrmCalendarioTorneo::newCalendar()
{
    if (m_damaged || !confirmLeave())
        return;
    for (const Match& match : std::as_const(m_stored.calendar.matches)) {
        if (match.hasResult()) {
            platform::warningBox(QStringLiteral("Attenzione: il calendario contiene gi\u00E0 dei risultati e non pu\u00F2 "
                                                "essere sostituito."),
                                 this);
            return;
        }
    }
    bool written = false;
    dialogs::open<TfrmNuovoCalendario>(this, [&](TfrmNuovoCalendario& screen) {
        screen.setTournament(m_path, m_names, m_stored);
        connect(&screen, &TfrmNuovoCalendario::written, this, [&written] { written = true; });
    });
    if (written)
        reload();
}

void TfrmCalendarioTorneo::print(int which)
{
    const Calendar& calendar = m_stored.calendar;
    QList<const Match*> shown;
    for (int row = 0; row < m_model->rowCount(); ++row)
        shown.append(m_model->matchAt(row));
    QString title;
    QStringList lines;
    if (which == 2) {
        title = QStringLiteral("Tabellone - %1").arg(m_name);
        lines = bracketLines(calendar, m_names);
    } else if (which == 1) {
        const int round = m_round->currentData().toInt();
        if (round == 0) {
            platform::warningBox(QStringLiteral("Attenzione: scegliere la giornata di cui stampare i risultati."), this);
            m_round->setFocus();
            return;
        }
        title = QStringLiteral("Risultati %1 - %2").arg(m_round->currentText(), m_name);
        lines = printLines(calendar, shown, m_names);
    } else {
        title = QStringLiteral("Calendario - %1").arg(m_name);
        lines = printLines(calendar, shown, m_names);
    }
    if (lines.isEmpty()) {
        platform::warningBox(QStringLiteral("Attenzione: non ci sono gare da stampare."), this);
        return;
    }
    platform::printReportingFailure({report::prepare(listSummary::make(title, title, lines)), report::pdfFileName(title)},
                                    this);
}
