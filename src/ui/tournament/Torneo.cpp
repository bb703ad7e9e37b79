#include "tournament/Torneo.h"

#include "common/Dialogs.h"
#include "common/EmailField.h"
#include "common/EnterChain.h"
#include "common/FocusHighlight.h"
#include "common/HelpTopics.h"
#include "common/HintLine.h"
#include "common/PictureButton.h"
#include "common/RecordEditor.h"
#include "common/Style.h"
#include "storage/TournamentRecord.h"
#include "text/TextRules.h"
#include "tools/Calcolatrice_Scientifica.h"
#include "tournament/Points.h"

#include <QCheckBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextCursor>

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

// Characters the matches take in the record, where every line break is CR LF.
qsizetype storedLength(const QString& plainText) { return plainText.size() + plainText.count(u'\n'); }

QLabel* caption(const QString& text, QWidget* panel, const QRect& geometry)
{
    auto* label = new QLabel(text, panel);
    label->setFont(style::verdana(12, true));
    label->setStyleSheet(QStringLiteral("color: %1;").arg(style::navy.name()));
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    label->setGeometry(geometry);
    return label;
}

QLineEdit* field(const QString& objectName, int maxLength, QWidget* panel, const QRect& geometry)
{
    auto* edit = new QLineEdit(panel);
    edit->setObjectName(objectName);
    edit->setFont(style::verdana(12, true));
    edit->setMaxLength(maxLength);
    edit->setGeometry(geometry);
    focusHighlight::applyFormA(edit);
    return edit;
}

}  // namespace

TfrmTorneo::TfrmTorneo(Navigator& navigator)
    : WorkScreen(navigator, QStringLiteral("frmTorneo"), QStringLiteral(" Golvera - Gestione torneo"))
{
    QWidget* panel = content();

    m_lblNome = new QLabel(QStringLiteral("Nome Torneo"), panel);
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
    hintLine::addHint(m_panInfo, m_chkCompletato, completedHint);

    const auto button = [this](const char* name) { return findChild<PictureButton*>(QLatin1String(name)); };
    RecordEditor::Buttons buttons;
    buttons.newRecord = button("cmdNuovo");
    buttons.save = button("cmdSalva");
    buttons.first = button("cmdPrimo");
    buttons.previous = button("cmdIndietro");
    buttons.next = button("cmdAvanti");
    buttons.last = button("cmdUltimo");
    buttons.search = button("cmdTrova");
    buttons.print = button("cmdStampa");
    buttons.close = button("cmdEsci");

    RecordEditor::Hooks hooks;
    hooks.archivePath = [this] { return m_path; };
    hooks.recordSize = TournamentRecord::Size;
    hooks.showRecord = [this](const QByteArray& bytes) { fillFields(TournamentRecord::fromBytes(bytes)); };
    hooks.screenRecord = [this] { return entryOnScreen().toBytes(); };
    hooks.clearScreen = [this] { clearEntry(); };
    hooks.checkBeforeSave = [this] { return checkBeforeSave(); };
    hooks.firstField = m_txtConcorrente;
    hooks.canonical = [](const QByteArray& bytes) { return TournamentRecord::fromBytes(bytes).toBytes(); };
    m_editor = new RecordEditor(this, recordEditing::Editor::Tournament, m_lblPosizione, buttons, std::move(hooks));
}

void TfrmTorneo::buildToolbar(QWidget* panel)
{
    const struct {
        const char* name;
        const char* picture;
        int x;
        const char* hint;
        bool available;  // the dialogs behind the others are not part of the program yet
    } toolbar[] = {
        {"cmdNuovo", "nuovo", 24, "Prepara la schermata per l'inserimento di una nuova scheda.", true},
        {"cmdSalva", "salva", 78, "Salva la scheda corrente in archivio.", true},
        {"cmdTrova", "trova", 132, "Trova una scheda in archivio.", false},
        {"cmdAnteprima", "anteprima", 186, "Visualizza l'anteprima di stampa della scheda corrente.", false},
        {"cmdStampa", "stampa", 240, "Stampa la scheda corrente.", false},
        {"cmdPrimo", "primo", 364, "Visualizza la prima scheda in archivio.", true},
        {"cmdIndietro", "indietro", 418, "Visualizza la scheda precedente in archivio.", true},
        {"cmdAvanti", "avanti", 554, "Visualizza la scheda successiva in archivio.", true},
        {"cmdUltimo", "ultimo", 608, "Visualizza l'ultima scheda in archivio.", true},
        {"cmdExcel", "excel", 735, "Esporta le schede in archivio in un file di Microsoft Excel.", false},
        {"cmdNonPagati", "nonpagati", 789, "Visualizza l'elenco delle squadre che hanno ancora gare da disputare.", false},
        {"cmdGuida", "help", 869, "Visualizza la pagina della guida in linea sensibile al contesto.", true},
        {"cmdEsci", "exit", 923, "Esci da questa schermata di lavoro.", true},
    };
    for (const auto& entry : toolbar) {
        auto* b = new PictureButton(QLatin1String(entry.name), QLatin1String(entry.picture), panel);
        b->setGeometry(entry.x, 62, 48, 48);
        b->setHint(QString::fromUtf8(entry.hint));
        b->setEnabled(entry.available);
        m_buttons.append(b);
    }

    m_lblPosizione = new QLabel(panel);
    m_lblPosizione->setObjectName(QStringLiteral("lblPosizione"));
    m_lblPosizione->setFont(style::verdana(14, true));
    m_lblPosizione->setAlignment(Qt::AlignCenter);
    m_lblPosizione->setStyleSheet(QStringLiteral("color: %1; background-color: white; border: 1px solid #9FB3C8;"
                                                 "border-radius: 8px;").arg(style::navy.name()));
    m_lblPosizione->setGeometry(474, 68, 72, 36);

    connect(findChild<PictureButton*>(QStringLiteral("cmdGuida")), &PictureButton::clicked, this,
            [this] { help::show(this, QStringLiteral("tornei")); });
    connect(findChild<PictureButton*>(QStringLiteral("cmdEsci")), &PictureButton::clicked, this, &QWidget::close);

    auto* rule = new QLabel(panel);
    rule->setObjectName(QStringLiteral("shpRiga"));
    rule->setStyleSheet(QStringLiteral("background-color: %1;").arg(style::pitchGreen.name()));
    rule->setGeometry(20, 118, 955, 3);
}

void TfrmTorneo::buildFields(QWidget* panel)
{
    caption(QStringLiteral("Squadra:"), panel, {24, 136, 176, 32});
    m_txtConcorrente = field(QStringLiteral("txtConcorrente"), capacity("Concorrente"), panel, {210, 136, 580, 32});
    auto* importTeam = new PictureButton(QStringLiteral("impSquadra"), QStringLiteral("importa"), panel);
    importTeam->setGeometry(798, 132, 40, 40);
    importTeam->setHint(QStringLiteral("Importa i dati dall'archivio delle squadre."));
    importTeam->setEnabled(false);

    caption(QStringLiteral("Responsabile:"), panel, {24, 178, 176, 32});
    m_txtResponsabile = field(QStringLiteral("txtResponsabile"), capacity("Responsabile"), panel, {210, 178, 580, 32});

    caption(QStringLiteral("Telefono:"), panel, {24, 220, 176, 32});
    m_txtTelefono = field(QStringLiteral("txtTelefono"), capacity("Telefono"), panel, {210, 220, 300, 32});

    caption(QStringLiteral("E-mail:"), panel, {24, 262, 176, 32});
    m_txtEmail = field(QStringLiteral("txtEmail"), capacity("Email"), panel, {210, 262, 480, 32});
    auto* email = new PictureButton(QStringLiteral("btnEmail"), QStringLiteral("email"), panel);
    email->setGeometry(698, 258, 40, 40);
    email->setHint(QStringLiteral("Invia una e-mail all'indirizzo indicato."));
    emailField::attach(m_txtEmail, email);

    auto* matchesHeading = new QLabel(QStringLiteral("Gare disputate"), panel);
    matchesHeading->setObjectName(QStringLiteral("imgGare"));
    matchesHeading->setFont(style::verdana(12, true));
    matchesHeading->setStyleSheet(QStringLiteral("background-color: %1; color: white; border-top-left-radius: 8px;"
                                                 "border-top-right-radius: 8px; padding-left: 12px;")
                                      .arg(style::pitchGreen.name()));
    matchesHeading->setGeometry(24, 310, 951, 30);

    m_txtGare = new QPlainTextEdit(panel);
    m_txtGare->setObjectName(QStringLiteral("txtGare"));
    m_txtGare->setFont(style::verdana(12, true));
    m_txtGare->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    m_txtGare->setTabChangesFocus(true);
    m_txtGare->setStyleSheet(QStringLiteral("QPlainTextEdit { background-color: white; border: 1px solid %1; }")
                                 .arg(style::pitchGreen.name()));
    m_txtGare->setGeometry(24, 340, 951, 190);
    connect(m_txtGare, &QPlainTextEdit::textChanged, this, &TfrmTorneo::txtGareChange);

    caption(QStringLiteral("Punteggio totale:"), panel, {24, 546, 176, 32});
    m_txtPunteggio = field(QStringLiteral("txtPunteggio"), capacity("Punteggio"), panel, {210, 546, 170, 32});
    m_txtPunteggio->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_txtPunteggio->setText(QStringLiteral("0,00"));
    // A normal form too long for the field is shown whole (and refused at save); once the text
    // fits again the field takes no more than its capacity.
    connect(m_txtPunteggio, &QLineEdit::textChanged, this, [this](const QString& text) {
        const int limit = capacity("Punteggio");
        if (text.size() <= limit && m_txtPunteggio->maxLength() != limit)
            m_txtPunteggio->setMaxLength(limit);
    });
    auto* calculator = new PictureButton(QStringLiteral("btnCalcolatrice"), QStringLiteral("calcolatrice"), panel);
    calculator->setGeometry(388, 542, 40, 40);
    calculator->setHint(QStringLiteral("Apri calcolatrice."));
    connect(calculator, &PictureButton::clicked, this, &TfrmTorneo::btnCalcolatriceClick);

    m_chkCompletato = new QCheckBox(QStringLiteral("Completato"), panel);
    m_chkCompletato->setObjectName(QStringLiteral("chkCompletato"));
    m_chkCompletato->setFont(style::verdana(12, true));
    m_chkCompletato->setStyleSheet(QStringLiteral("color: %1;").arg(style::navy.name()));
    m_chkCompletato->setCursor(Qt::PointingHandCursor);
    m_chkCompletato->setGeometry(470, 546, 200, 32);

    caption(QStringLiteral("Note:"), panel, {24, 588, 176, 32});
    m_txtNote = field(QStringLiteral("txtNote"), capacity("Note"), panel, {210, 588, 765, 32});

    m_buttons << importTeam << email << calculator;

    enterChain::link({m_txtConcorrente, m_txtResponsabile, m_txtTelefono, m_txtEmail}, m_txtGare);
    enterChain::link({m_txtPunteggio, m_txtNote}, m_txtConcorrente);
    // Installed after the Enter chain, so it sees the keys first and leaves Enter to the chain.
    m_txtPunteggio->installEventFilter(this);
}

void TfrmTorneo::setTournament(const QString& path, const QString& name)
{
    m_path = path;
    m_lblNome->setText(name);
}

void TfrmTorneo::showEntry(const TournamentRecord& entry, qint64 position)
{
    fillFields(entry);
    m_lblPosizione->setText(recordEditing::positionText(position));
    m_editor->remember(entry.toBytes());
}

void TfrmTorneo::setPoints(const QString& text)
{
    m_txtPunteggio->setText(text);
    m_txtPunteggio->setFocus(Qt::OtherFocusReason);
}

void TfrmTorneo::showEvent(QShowEvent* event)
{
    // Every opening starts on a new, unsaved entry; a window merely restored keeps its entry.
    if (!event->spontaneous())
        m_editor->newRecord();
    WorkScreen::showEvent(event);
}

void TfrmTorneo::clearEntry()
{
    for (QLineEdit* edit : {m_txtConcorrente, m_txtResponsabile, m_txtTelefono, m_txtEmail, m_txtNote})
        edit->clear();
    m_txtGare->clear();
    m_txtPunteggio->setText(QStringLiteral("0,00"));
    m_chkCompletato->setChecked(false);
}

void TfrmTorneo::fillFields(const TournamentRecord& entry)
{
    // As stored: no trimming and no normal form, until the user leaves a field.
    m_txtConcorrente->setText(entry.Concorrente);
    m_txtResponsabile->setText(entry.Responsabile);
    m_txtTelefono->setText(entry.Telefono);
    m_txtEmail->setText(entry.Email);
    QString matches = entry.Gare;
    matches.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(u'\r', u'\n');
    m_txtGare->setPlainText(matches);
    m_txtPunteggio->setText(entry.Punteggio);
    m_txtNote->setText(entry.Note);
    switch (entry.completato()) {
    case YesNo::Yes:
        m_chkCompletato->setChecked(true);
        break;
    case YesNo::No:
        m_chkCompletato->setChecked(false);
        break;
    case YesNo::Neither:
        break;
    }
}

TournamentRecord TfrmTorneo::entryOnScreen() const
{
    TournamentRecord entry;
    entry.Concorrente = m_txtConcorrente->text();
    entry.Responsabile = m_txtResponsabile->text();
    entry.Telefono = m_txtTelefono->text();
    entry.Email = m_txtEmail->text();
    entry.Gare = m_txtGare->toPlainText().replace(u'\n', QStringLiteral("\r\n"));
    entry.Punteggio = m_txtPunteggio->text();
    entry.Note = m_txtNote->text();
    entry.setCompletato(m_chkCompletato->isChecked());
    return entry;
}

bool TfrmTorneo::checkBeforeSave()
{
    const auto refuse = [this](const QString& message, QWidget* focus) {
        platform::warningBox(message, this);
        focus->setFocus(Qt::OtherFocusReason);
        return false;
    };
    if (trimControls(m_txtConcorrente->text()).isEmpty())
        return refuse(teamMissingMessage, m_txtConcorrente);
    if (trimControls(m_txtPunteggio->text()).isEmpty())
        return refuse(pointsMissingMessage, m_txtPunteggio);
    // Cutting the points to the field would store another number.
    if (!pointsFitField(m_txtPunteggio->text()))
        return refuse(pointsTooLongMessage, m_txtPunteggio);
    return true;
}

bool TfrmTorneo::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_txtPunteggio) {
        if (event->type() == QEvent::KeyPress)
            return txtPunteggioKeyDown(static_cast<QKeyEvent*>(event));
        // A context menu opening over the field does not leave it.
        if (event->type() == QEvent::FocusOut
            && static_cast<QFocusEvent*>(event)->reason() != Qt::PopupFocusReason)
            txtPunteggioExit();
    }
    return WorkScreen::eventFilter(watched, event);
}

// True swallows the key. Only digits, the comma and the editing keys reach the field; Enter is
// left to the Enter chain. Shortcuts are not key presses here: the editor's reach it before.
bool TfrmTorneo::txtPunteggioKeyDown(QKeyEvent* key)
{
    switch (key->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Backspace:
    case Qt::Key_Delete:
    case Qt::Key_Left:
    case Qt::Key_Right:
        return false;
    default:
        break;
    }
    const QString text = key->text();
    return !(text.size() == 1 && isPointsKeyCharacter(text.front()));
}

void TfrmTorneo::txtPunteggioExit()
{
    const QString normal = pointsNormalForm(m_txtPunteggio->text());
    m_txtPunteggio->setMaxLength(std::max(capacity("Punteggio"), int(normal.size())));
    m_txtPunteggio->setText(normal);
}

void TfrmTorneo::txtGareChange()
{
    const int limit = capacity("Gare");
    QString text = m_txtGare->toPlainText();
    qsizetype excess = storedLength(text) - limit;
    if (excess <= 0 || m_cuttingMatches)
        return;
    // Cut what was just typed or pasted: the characters before the cursor, then from the end.
    m_cuttingMatches = true;
    QTextCursor cursor = m_txtGare->textCursor();
    const int end = cursor.position();
    int start = end;
    while (excess > 0 && start > 0) {
        --start;
        excess -= text.at(start) == u'\n' ? 2 : 1;
    }
    cursor.setPosition(start);
    cursor.setPosition(end, QTextCursor::KeepAnchor);
    cursor.removeSelectedText();
    if (excess > 0) {
        text = m_txtGare->toPlainText();
        int cut = int(text.size());
        while (excess > 0 && cut > 0) {
            --cut;
            excess -= text.at(cut) == u'\n' ? 2 : 1;
        }
        cursor.setPosition(cut);
        cursor.movePosition(QTextCursor::End, QTextCursor::KeepAnchor);
        cursor.removeSelectedText();
    }
    m_txtGare->setTextCursor(cursor);
    m_cuttingMatches = false;
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
