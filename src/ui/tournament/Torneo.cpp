#include "tournament/Torneo.h"

#include "common/ButtonTable.h"
#include "common/Dialogs.h"
#include "common/EmailField.h"
#include "common/FocusHighlight.h"
#include "common/HelpTopics.h"
#include "common/HintLine.h"
#include "common/KeyFilter.h"
#include "common/LineLimit.h"
#include "common/PictureButton.h"
#include "common/RecordEditor.h"
#include "common/RecordForm.h"
#include "common/Style.h"
#include "matches/CalendarioGare.h"
#include "matches/CalendarFile.h"
#include "matches/WriteBack.h"
#include "storage/ArchiveError.h"
#include "storage/TournamentRecord.h"
#include "text/TextRules.h"
#include "tools/Calcolatrice_Scientifica.h"
#include "tournament/EntrySheet.h"
#include "tournament/ExpTorneo.h"
#include "tournament/ImportaSquadra.h"
#include "tournament/Points.h"
#include "tournament/Segnalati.h"
#include "tournament/StampaPagina.h"
#include "tournament/TeamEntry.h"
#include "tournament/TrovaPagina.h"
#include "withdrawal/WithdrawnEntries.h"

#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>

#include <optional>

using namespace Qt::StringLiterals;

namespace {

const QString teamMissingMessage =
    QStringLiteral("Attenzione: per salvare la scheda \u00E8 necessario indicare il nome della squadra.");
const QString pointsMissingMessage =
    QStringLiteral("Attenzione: per salvare la scheda \u00E8 necessario indicare il punteggio totale.");
const QString pointsTooLongMessage = QStringLiteral(
    "Attenzione: il punteggio totale \u00E8 troppo lungo per essere salvato.\r\n\r\n"
    "Il punteggio pu\u00F2 occupare al massimo 15 caratteri, segno e virgola compresi.");
const QString completedHint = QStringLiteral(
    "Spunta questa casella per annotare che la squadra ha disputato tutte le gare del torneo.");

int capacity(std::string_view field) { return TournamentRecord::Layout.capacityOf(field); }

using Row = RecordForm::Row;
using Kind = RecordForm::Kind;

// The entry's fields, in the order the screen makes them (and Tab follows).
const QList<Row>& entryFields()
{
    static const QList<Row> rows = {
        {u"txtConcorrente"_s, u"Squadra:"_s, u"Concorrente"_s, Kind::Line, {210, 136, 580, 32}, {24, 136, 176, 32}, u"txtResponsabile"_s},
        {u"txtResponsabile"_s, u"Responsabile:"_s, u"Responsabile"_s, Kind::Line, {210, 178, 580, 32}, {24, 178, 176, 32}, u"txtTelefono"_s},
        {u"txtTelefono"_s, u"Telefono:"_s, u"Telefono"_s, Kind::Line, {210, 220, 300, 32}, {24, 220, 176, 32}, u"txtEmail"_s},
        {u"txtEmail"_s, u"E-mail:"_s, u"Email"_s, Kind::Line, {210, 262, 480, 32}, {24, 262, 176, 32}, u"txtGare"_s},
        {u"txtGare"_s, {}, u"Gare"_s, Kind::MultiLine, {24, 340, 951, 190}},
        {u"txtPunteggio"_s, u"Punteggio totale:"_s, u"Punteggio"_s, Kind::Line, {210, 546, 170, 32}, {24, 546, 176, 32}, u"txtNote"_s,
         RecordForm::TextRule::AsTyped, u"0,00"_s},
        {u"chkCompletato"_s, u"Completato"_s, u"Completato"_s, Kind::CheckBox, {470, 546, 200, 32}},
        {u"txtNote"_s, u"Note:"_s, u"Note"_s, Kind::Line, {210, 588, 765, 32}, {24, 588, 176, 32}, u"txtConcorrente"_s},
    };
    return rows;
}

const QList<buttonTable::ToolRow>& toolbarButtons()
{
    static const QList<buttonTable::ToolRow> rows = {
        {u"cmdNuovo"_s, u"nuovo"_s, 24, u"Prepara la schermata per l'inserimento di una nuova scheda."_s},
        {u"cmdSalva"_s, u"salva"_s, 78, u"Salva la scheda corrente in archivio."_s},
        {u"cmdTrova"_s, u"trova"_s, 132, u"Trova una scheda in archivio."_s},
        {u"cmdAnteprima"_s, u"anteprima"_s, 186, u"Visualizza l'anteprima di stampa della scheda corrente."_s},
        {u"cmdStampa"_s, u"stampa"_s, 240, u"Stampa la scheda corrente."_s},
        {u"cmdRitira"_s, u"ritira"_s, 302, recordEditing::withdrawHint},
        {u"cmdPrimo"_s, u"primo"_s, 364, u"Visualizza la prima scheda in archivio."_s},
        {u"cmdIndietro"_s, u"indietro"_s, 418, u"Visualizza la scheda precedente in archivio."_s},
        {u"cmdAvanti"_s, u"avanti"_s, 554, u"Visualizza la scheda successiva in archivio."_s},
        {u"cmdUltimo"_s, u"ultimo"_s, 608, u"Visualizza l'ultima scheda in archivio."_s},
        {u"cmdCalendario"_s, u"calendario"_s, 681, u"Visualizza il calendario delle gare del torneo e i loro risultati."_s},
        {u"cmdExcel"_s, u"excel"_s, 735, u"Esporta le schede in archivio in un file di Microsoft Excel."_s},
        {u"cmdNonPagati"_s, u"nonpagati"_s, 789, u"Visualizza l'elenco delle squadre che hanno ancora gare da disputare."_s},
        {u"cmdGuida"_s, u"help"_s, 869, u"Visualizza la pagina della guida in linea sensibile al contesto."_s},
        {u"cmdEsci"_s, u"exit"_s, 923, u"Esci da questa schermata di lavoro."_s},
    };
    return rows;
}

// The small buttons beside the fields.
const QList<ButtonRow>& fieldButtons()
{
    static const QList<ButtonRow> rows = {
        {u"impSquadra"_s, u"importa"_s, {798, 132, 40, 40}, u"Importa i dati dall'archivio delle squadre."_s},
        {u"btnEmail"_s, u"email"_s, {698, 258, 40, 40}, u"Invia una e-mail all'indirizzo indicato."_s},
        {u"btnCalcolatrice"_s, u"calcolatrice"_s, {388, 542, 40, 40}, u"Apri calcolatrice."_s},
    };
    return rows;
}

}  // namespace

TfrmTorneo::TfrmTorneo(Navigator& navigator)
    : WorkScreen(navigator, QStringLiteral("frmTorneo"), QStringLiteral(" Golvera - Gestione torneo"))
{
    QWidget* panel = content();

    m_lblNome = new QLabel(QStringLiteral("Nome Torneo"), panel);
    m_lblNome->setTextFormat(Qt::PlainText);  // a tournament's name, never markup
    m_lblNome->setObjectName(QStringLiteral("lblNome"));
    m_lblNome->setFont(style::verdana(12, true));
    m_lblNome->setAlignment(Qt::AlignCenter);
    m_lblNome->setStyleSheet(QStringLiteral("background-color: %1; color: #FFD21F; border-radius: 8px;")
                                 .arg(style::navy.name()));
    m_lblNome->setGeometry(20, 14, 955, 38);

    buildToolbar(panel);
    buildFields(panel);

    m_panInfo = new QLabel(QStringLiteral("Pronto per archiviare una nuova scheda..."), panel);
    m_panInfo->setObjectName(QStringLiteral("panInfo"));
    m_panInfo->setFont(style::tahoma(12));
    m_panInfo->setStyleSheet(QStringLiteral("background-color: %1; color: white; border-radius: 8px; padding-left: 14px;")
                                 .arg(style::navy.name()));
    m_panInfo->setGeometry(14, 638, 967, 40);

    hintLine::install(m_panInfo, m_buttons, {this, panel, m_lblNome});
    hintLine::addHint(m_panInfo, m_form->control(QStringLiteral("chkCompletato")), completedHint);

    RecordEditor::Hooks hooks = RecordEditor::Hooks::forForm(*m_form, [this] { return m_path; });
    hooks.checkBeforeSave = [this] { return checkBeforeSave(); };
    // A stored "12,5" is no change until the user types: leaving the field gives "12,50".
    hooks.normalForms = RecordEditor::Hooks::normalFormsOf(*m_form, {u"Punteggio"_s}, pointsNormalForm);
    // The team the entry had when shown or saved: only a new name is checked for another entry.
    const auto teamNow = [this] { return m_form->control<QLineEdit>(QStringLiteral("txtConcorrente"))->text(); };
    hooks.afterShow = [this, teamNow](qint64) {
        m_shownTeam = teamNow();
        m_acceptedTeam.clear();
    };
    hooks.afterSave = [this, teamNow](qint64) {
        m_shownTeam = teamNow();
        return true;
    };
    hooks.clearScreen = [this, clear = std::move(hooks.clearScreen)] {
        clear();
        m_shownTeam.clear();
        m_acceptedTeam.clear();
    };
    hooks.afterWithdrawal = [this] { withdrawal::recount(m_path); };
    m_editor = new RecordEditor(this, recordEditing::Editor::Tournament, m_lblPosizione,
                                RecordEditor::Buttons::named(this), std::move(hooks));
    // Beside the phone number, where the row leaves room.
    m_editor->withdrawnBand()->setGeometry(560, 220, 260, 32);
    buttonTable::bindKeys(this, findChild<PictureButton*>(QStringLiteral("cmdCalendario")), calendarKeys());
}

QKeySequence TfrmTorneo::calendarKeys() { return QKeySequence(Qt::CTRL | Qt::Key_G); }

void TfrmTorneo::cmdCalendarioClick()
{
    dialogs::open<TfrmCalendarioGare>(this, [this](TfrmCalendarioGare& calendar) {
        calendar.setTournament(m_path, m_lblNome->text());
        connect(&calendar, &TfrmCalendarioGare::saved, this, [this] {
            // The results wrote the entries: the one on screen is shown as it now is, unless it was being changed.
            if (const qint64 position = m_lblPosizione->text().toLongLong(); position > 0 && !m_editor->hasChanges())
                m_editor->show(position);
        });
    });
    showComputedState();
}

void TfrmTorneo::showComputedState()
{
    bool computed = false;
    try {
        computed = matches::hasCalendar(m_path) && matches::readCalendar(m_path).calendar.rules.pointsFromResults;
    } catch (...) {
        // A calendar that does not read computes nothing; the calendar screen says why.
    }
    m_txtPunteggio->setReadOnly(computed);
    m_form->control<QPlainTextEdit>(QStringLiteral("txtGare"))->setReadOnly(computed);
    m_form->control(QStringLiteral("chkCompletato"))->setEnabled(!computed);
    findChild<PictureButton*>(QStringLiteral("btnCalcolatrice"))->setEnabled(!computed);
    m_lblCalcolati->setVisible(computed);
}

void TfrmTorneo::buildToolbar(QWidget* panel)
{
    m_buttons = buttonTable::toolbar(panel, toolbarButtons());

    m_lblPosizione = new QLabel(panel);
    m_lblPosizione->setObjectName(QStringLiteral("lblPosizione"));
    m_lblPosizione->setFont(style::verdana(14, true));
    m_lblPosizione->setAlignment(Qt::AlignCenter);
    m_lblPosizione->setStyleSheet(QStringLiteral("color: %1; background-color: white; border: 1px solid #9FB3C8;"
                                                 "border-radius: 8px;").arg(style::navy.name()));
    m_lblPosizione->setGeometry(474, 68, 72, 36);

    connectDialogs();
    connect(findChild<PictureButton*>(QStringLiteral("cmdGuida")), &PictureButton::clicked, this,
            [this] { help::show(this, QStringLiteral("tornei")); });
    connect(findChild<PictureButton*>(QStringLiteral("cmdEsci")), &PictureButton::clicked, this, &QWidget::close);

    auto* rule = new QLabel(panel);
    rule->setObjectName(QStringLiteral("shpRiga"));
    rule->setStyleSheet(QStringLiteral("background-color: %1;").arg(style::pitchGreen.name()));
    rule->setGeometry(20, 118, 955, 3);
}

// The search and the list hand back the position of the entry to show; the sheets take what is
// on screen; the export reads the tournament file.
void TfrmTorneo::connectDialogs()
{
    const auto onClick = [this](const char* name, auto action) {
        connect(findChild<PictureButton*>(QLatin1String(name)), &PictureButton::clicked, this, action);
    };
    const auto opening = [this](auto& list) {
        list.setTournament(m_path);
        list.openWith([this](qint64 position) { return showRecord(position); });
    };
    onClick("cmdTrova", [this, opening] { dialogs::open<TfrmTrovaPagina>(this, opening); });
    onClick("cmdNonPagati", [this, opening] { dialogs::open<TfrmSegnalati>(this, opening); });
    onClick("cmdCalendario", [this] { cmdCalendarioClick(); });
    onClick("cmdExcel", [this] {
        dialogs::open<TfrmExpTorneo>(this, [this](TfrmExpTorneo& screen) { screen.setTournament(m_path); });
    });
    const auto sheet = [this](entrySheet::Copy copy) {
        return [this, copy] { return entrySheet::make(m_lblNome->text(), m_lblPosizione->text(), m_form->values(), copy); };
    };
    onClick("cmdAnteprima", [this, sheet] {
        dialogs::open<TfrmAnteprimaPagina>(this, [&](SheetDialog& d) { d.setSheet(sheet(entrySheet::Copy::Preview)); });
    });
    onClick("cmdStampa", [this, sheet] {
        dialogs::open<TfrmStampaPagina>(this, [&](SheetDialog& d) { d.setSheet(sheet(entrySheet::Copy::Print)); });
    });
}

void TfrmTorneo::buildFields(QWidget* panel)
{
    auto* matchesHeading = new QLabel(QStringLiteral("Gare disputate"), panel);
    matchesHeading->setObjectName(QStringLiteral("imgGare"));
    matchesHeading->setFont(style::verdana(12, true));
    matchesHeading->setStyleSheet(QStringLiteral("background-color: %1; color: white; border-top-left-radius: 8px;"
                                                 "border-top-right-radius: 8px; padding-left: 12px;")
                                      .arg(style::pitchGreen.name()));
    matchesHeading->setGeometry(24, 310, 951, 30);

    const RecordForm::Look look{style::verdana(12, true), style::verdana(12, true),
                                QStringLiteral("color: %1;").arg(style::navy.name())};
    m_form = new RecordForm(panel, recordFormat(TournamentRecord::Layout), entryFields(), look);
    m_buttons += buttonTable::create(panel, fieldButtons());

    m_form->control(QStringLiteral("txtGare"))
        ->setStyleSheet(QStringLiteral("QPlainTextEdit { background-color: white; border: 1px solid %1; }")
                            .arg(style::pitchGreen.name()));
    m_form->control(QStringLiteral("chkCompletato"))
        ->setStyleSheet(QStringLiteral("color: %1;").arg(style::navy.name()));

    m_txtPunteggio = m_form->control<QLineEdit>(QStringLiteral("txtPunteggio"));
    m_txtPunteggio->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    // A normal form too long for the field is shown whole, and refused at save.
    lineLimit::keep(m_txtPunteggio, capacity("Punteggio"));
    // A click into "0,00" followed by a digit replaces the points instead of adding to them.
    focusHighlight::selectAllOnFocus(m_txtPunteggio);
    // Installed after the Enter chain, so it sees the keys first and leaves Enter to the chain.
    m_txtPunteggio->installEventFilter(this);

    m_lblCalcolati = style::label(panel, QStringLiteral("lblCalcolati"), matches::computedFieldsNote(), style::verdana(8, true), style::crimson);
    m_lblCalcolati->setWordWrap(true);
    m_lblCalcolati->setGeometry(676, 536, 299, 52);
    m_lblCalcolati->hide();

    emailField::attach(m_form->control<QLineEdit>(QStringLiteral("txtEmail")),
                       findChild<PictureButton*>(QStringLiteral("btnEmail")));
    connect(findChild<PictureButton*>(QStringLiteral("btnCalcolatrice")), &PictureButton::clicked, this,
            &TfrmTorneo::btnCalcolatriceClick);
    connect(findChild<PictureButton*>(QStringLiteral("impSquadra")), &PictureButton::clicked, this,
            &TfrmTorneo::impSquadraClick);
}

void TfrmTorneo::setTournament(const QString& path, const QString& name)
{
    m_path = path;
    m_lblNome->setText(name);
    // A station that stopped between a result's calendar record and the entries left them one
    // result behind: they are written again from the calendar before anything shows them.
    try {
        withdrawal::recount(path);
    } catch (const ArchiveError&) {
        // A folder that may only be read, or a tournament another station is writing: the entries
        // stay as they are until the next result; the calendar screen says what is wrong with it.
    }
    showComputedState();
}

bool TfrmTorneo::showRecord(qint64 position) { return m_editor->show(position); }

void TfrmTorneo::setPoints(const QString& text)
{
    m_txtPunteggio->setText(text);
    m_txtPunteggio->setFocus(Qt::OtherFocusReason);
}

void TfrmTorneo::importTeam(const QString& name, const QString& contact, const QString& phone, const QString& email)
{
    m_form->control<QLineEdit>(QStringLiteral("txtConcorrente"))->setText(trimControls(name));
    m_form->control<QLineEdit>(QStringLiteral("txtResponsabile"))->setText(trimControls(contact));
    m_form->control<QLineEdit>(QStringLiteral("txtTelefono"))->setText(trimControls(phone));
    m_form->control<QLineEdit>(QStringLiteral("txtEmail"))->setText(trimControls(email));
}

void TfrmTorneo::impSquadraClick()
{
    std::optional<TeamRecord> chosen;
    dialogs::open<TfrmImportaSquadra>(this, [&chosen](TfrmImportaSquadra& import) {
        connect(&import, &TfrmImportaSquadra::teamChosen, &import, [&chosen](const TeamRecord& team) { chosen = team; });
    });
    if (!chosen)
        return;
    // The entry on screen is not left: its fields are filled and saved when the user saves.
    if (!acceptTeam(chosen->Squadra, teamEntry::Action::Import))
        return;
    importTeam(chosen->Squadra, chosen->Responsabile, chosen->Telefono, chosen->Email);
}

bool TfrmTorneo::acceptTeam(const QString& team, teamEntry::Action action)
{
    // One entry per team: a second one would list the team twice in the standings. A name already
    // accepted for this entry is not asked about again.
    const QString name = upperAsciiLetters(trimControls(team));
    if (name == upperAsciiLetters(trimControls(m_shownTeam)) || name == m_acceptedTeam)
        return true;
    const qint64 existing = teamEntry::find(m_path, team, m_lblPosizione->text().toLongLong());
    if (existing != 0
        && !platform::questionBox(teamEntry::duplicateQuestion(team, existing, action), this, platform::Answer::No))
        return false;
    m_acceptedTeam = name;
    return true;
}

void TfrmTorneo::showEvent(QShowEvent* event)
{
    // Every opening starts on a new, unsaved entry; a window merely restored keeps its entry.
    if (!event->spontaneous())
        m_editor->startEmpty();
    WorkScreen::showEvent(event);
}

bool TfrmTorneo::checkBeforeSave()
{
    const auto refuse = [this](const QString& message, QWidget* focus) {
        platform::warningBox(message, this);
        focus->setFocus(Qt::OtherFocusReason);
        return false;
    };
    auto* team = m_form->control<QLineEdit>(QStringLiteral("txtConcorrente"));
    if (trimControls(team->text()).isEmpty())
        return refuse(teamMissingMessage, team);
    if (trimControls(m_txtPunteggio->text()).isEmpty())
        return refuse(pointsMissingMessage, m_txtPunteggio);
    // Cutting the points to the field would store another number.
    if (!pointsFitField(m_txtPunteggio->text()))
        return refuse(pointsTooLongMessage, m_txtPunteggio);
    if (!acceptTeam(team->text(), teamEntry::Action::Save)) {
        team->setFocus(Qt::OtherFocusReason);
        return false;
    }
    return true;
}

bool TfrmTorneo::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_txtPunteggio) {
        if (event->type() == QEvent::KeyPress)
            return keyFilter::filter(m_txtPunteggio, static_cast<QKeyEvent*>(event), pointsKeyCharacter);
        // A context menu opening over the field does not leave it.
        if (event->type() == QEvent::FocusOut
            && static_cast<QFocusEvent*>(event)->reason() != Qt::PopupFocusReason)
            txtPunteggioExit();
    }
    return WorkScreen::eventFilter(watched, event);
}

void TfrmTorneo::txtPunteggioExit()
{
    lineLimit::showWhole(m_txtPunteggio, pointsNormalForm(m_txtPunteggio->text()));
}

void TfrmTorneo::btnCalcolatriceClick()
{
    bool imported = false;
    dialogs::open<TfrmCalcolatrice_Scientifica>(this, [this, &imported](TfrmCalcolatrice_Scientifica& calculator) {
        calculator.setImportTarget([this, &imported](const QString& number) {
            setPoints(number);
            imported = true;
        });
    });
    // The focus was given while the calculator was the active window; give it again now that
    // the editor is, so the field shows that it has it.
    if (imported) {
        activateWindow();
        m_txtPunteggio->setFocus(Qt::OtherFocusReason);
    }
}
