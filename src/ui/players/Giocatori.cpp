#include "players/Giocatori.h"

#include "app/ProgramFolder.h"
#include "common/AllegaCartella.h"
#include "common/ButtonTable.h"
#include "common/Dialogs.h"
#include "common/EmailField.h"
#include "common/FormAttachments.h"
#include "common/KeyFilter.h"
#include "common/HelpTopics.h"
#include "common/HintLine.h"
#include "common/ImportaFoglio.h"
#include "common/PictureButton.h"
#include "common/RecordEditor.h"
#include "common/RecordForm.h"
#include "common/Style.h"
#include "players/Calendario.h"
#include "players/ExpGiocatori.h"
#include "players/PhotoFiles.h"
#include "players/PlayerImport.h"
#include "players/PhotoStore.h"
#include "players/PictureBox.h"
#include "players/PlayerPhoto.h"
#include "players/PlayerSheet.h"
#include "players/PlayerRules.h"
#include "players/Scadute.h"
#include "players/StampaGiocatore.h"
#include "players/TrovaGiocatori.h"
#include "players/WebCam.h"
#include "players/Zoom.h"
#include "storage/PlayerRecord.h"
#include "text/TextRules.h"
#include "tools/CodFisc.h"
#include "tools/PartitaIva.h"

#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>

#include <type_traits>

using namespace Qt::StringLiterals;

namespace {

using Row = RecordForm::Row;
using Kind = RecordForm::Kind;
using Rule = RecordForm::TextRule;

const QColor mandatoryBrown{0x8B, 0x45, 0x13};

const QString photoNotStoredMessage = u"Attenzione: la scheda \u00E8 stata salvata, ma non \u00E8 stato possibile "
                                      u"salvare la foto del giocatore.\r\n\r\nAccertarsi di possedere i privilegi di "
                                      u"scrittura nella cartella Anagrafica del programma."_s;

// Two columns of fields left of the photo, one line every 30 pixels from the top of the form.
int line(int row) { return 128 + 30 * row; }
QRect leftCaption(int row) { return {16, line(row), 136, 26}; }
QRect leftField(int row, int width) { return {156, line(row), width, 26}; }
QRect rightCaption(int row) { return {368, line(row), 164, 26}; }
QRect rightField(int row, int width) { return {536, line(row), width, 26}; }
constexpr int fullWidth = 664 - 156;

// The fields in record order, which Tab and Enter follow; Enter in the notes goes back to the name.
const QList<Row>& playerFields()
{
    static const QList<Row> rows = [] {
        QList<Row> table = {
            {u"txtGiocatore"_s, u"Cognome e nome:"_s, u"Giocatore"_s, Kind::Line, leftField(0, 210), leftCaption(0), u"txtSesso"_s},
            {u"txtSesso"_s, u"Sesso:"_s, u"Sesso"_s, Kind::Line, rightField(0, 40), rightCaption(0), u"txtDataNasc"_s, Rule::Capitals},
            {u"txtDataNasc"_s, u"Data nascita:"_s, u"DataNasc"_s, Kind::Line, leftField(1, 110), leftCaption(1), u"txtCittadinanza"_s},
            {u"txtCittadinanza"_s, u"Cittadinanza:"_s, u"Cittadinanza"_s, Kind::Line, rightField(1, 128), rightCaption(1), u"txtLuogoNasc"_s},
            {u"txtLuogoNasc"_s, u"Luogo nascita:"_s, u"LuogoNasc"_s, Kind::Line, leftField(2, fullWidth), leftCaption(2), u"txtIndirizzo"_s},
            {u"txtIndirizzo"_s, u"Indirizzo residenza:"_s, u"Indirizzo"_s, Kind::Line, leftField(3, fullWidth), leftCaption(3), u"txtCitta"_s},
            {u"txtCitta"_s, u"Citt\u00E0:"_s, u"Citta"_s, Kind::Line, leftField(4, 210), leftCaption(4), u"txtCap"_s},
            {u"txtCap"_s, u"CAP:"_s, u"Cap"_s, Kind::Line, rightField(4, 80), rightCaption(4), u"txtNazione"_s},
            {u"txtNazione"_s, u"Nazione:"_s, u"Nazione"_s, Kind::Line, rightField(5, 128), rightCaption(5), u"txtCodFisc"_s},
            {u"txtCodFisc"_s, u"Codice fiscale:"_s, u"CodFisc"_s, Kind::Line, leftField(5, 176), leftCaption(5), u"txtSquadra"_s, Rule::Capitals},
            {u"txtSquadra"_s, u"Squadra:"_s, u"Squadra"_s, Kind::Line, leftField(6, 210), leftCaption(6), u"txtMaglia"_s},
            {u"txtMaglia"_s, u"Maglia n."_s, u"Maglia"_s, Kind::Line, rightField(6, 60), rightCaption(6), u"txtRuolo"_s},
            {u"txtRuolo"_s, u"Ruolo:"_s, u"Ruolo"_s, Kind::Line, leftField(7, 210), leftCaption(7), u"txtAltezza"_s},
            {u"txtAltezza"_s, u"Altezza:"_s, u"Altezza"_s, Kind::Line, rightField(7, 128), rightCaption(7), u"txtPeso"_s},
            {u"txtPeso"_s, u"Peso:"_s, u"Peso"_s, Kind::Line, leftField(8, 110), leftCaption(8), u"txtPiede"_s},
            {u"txtPiede"_s, u"Piede:"_s, u"Piede"_s, Kind::Line, rightField(8, 128), rightCaption(8), u"txtEmail"_s},
            {u"txtEmail"_s, u"E-mail:"_s, u"Email"_s, Kind::Line, leftField(9, 176), leftCaption(9), u"txtTel"_s},
            {u"txtTel"_s, u"Tel. casa:"_s, u"Tel"_s, Kind::Line, rightField(9, 128), rightCaption(9), u"txtCel"_s},
            {u"txtCel"_s, u"Tel. cellulare:"_s, u"Cel"_s, Kind::Line, leftField(10, 210), leftCaption(10), u"txtTessera"_s},
            {u"txtTessera"_s, u"Tessera n."_s, u"Tessera"_s, Kind::Line, rightField(10, 128), rightCaption(10), u"txtInizioTes"_s},
            {u"txtInizioTes"_s, u"Scadenza tessera:"_s, u"ScadTessera"_s, Kind::ReadOnly, leftField(11, 110), leftCaption(11), u"txtFineTes"_s},
            {u"txtFineTes"_s, u"Scadenza cert. medico:"_s, u"ScadCertificato"_s, Kind::ReadOnly, rightField(11, 110), rightCaption(11), u"txtPresenze"_s},
            {u"txtPresenze"_s, u"Presenze:"_s, u"Presenze"_s, Kind::Line, leftField(12, 70), leftCaption(12), u"txtReti"_s, Rule::Digits, u"0"_s},
            {u"txtReti"_s, u"Reti:"_s, u"Reti"_s, Kind::Line, rightField(12, 70), rightCaption(12), u"txtRiconoscimenti"_s, Rule::Digits, u"0"_s},
            {u"txtRiconoscimenti"_s, u"Riconoscimenti:"_s, u"Riconoscimenti"_s, Kind::Line, leftField(14, fullWidth), leftCaption(14), u"txtAmmonizioni"_s},
            {u"txtAmmonizioni"_s, u"Ammonizioni:"_s, u"Ammonizioni"_s, Kind::Line, leftField(13, 70), leftCaption(13), u"txtEspulsioni"_s, Rule::Digits, u"0"_s},
            {u"txtEspulsioni"_s, u"Espulsioni:"_s, u"Espulsioni"_s, Kind::Line, rightField(13, 70), rightCaption(13), u"txtInfortuni"_s, Rule::Digits, u"0"_s},
            {u"txtInfortuni"_s, u"Infortuni:"_s, u"Infortuni"_s, Kind::Line, leftField(15, fullWidth), leftCaption(15), u"txtNote"_s},
            {u"txtNote"_s, u"Note:"_s, u"Note"_s, Kind::Line, leftField(16, fullWidth), leftCaption(16), u"txtGiocatore"_s},
        };
        table += FormAttachments::rows();
        return table;
    }();
    return rows;
}

const QStringList countFields = {u"txtPresenze"_s, u"txtReti"_s, u"txtAmmonizioni"_s, u"txtEspulsioni"_s};
const QStringList centredFields = {u"txtSesso"_s, u"txtMaglia"_s, u"txtInizioTes"_s, u"txtFineTes"_s};

const QList<buttonTable::ToolRow>& toolbarButtons()
{
    static const QList<buttonTable::ToolRow> rows = {
        // Fifty pixels apart, so that the import fits beside the export.
        {u"cmdNuovo"_s, u"nuovo"_s, 16, u"Prepara la schermata per l'inserimento di una nuova scheda."_s},
        {u"cmdDuplica"_s, u"duplica"_s, 66, u"Prepara la schermata per l'inserimento di una nuova scheda duplicando i dati correnti."_s},
        {u"cmdSalva"_s, u"salva"_s, 116, u"Salva la scheda in archivio."_s},
        {u"cmdTrova"_s, u"trova"_s, 166, u"Trova una scheda in archivio."_s},
        {u"cmdFile"_s, u"allega"_s, 216, u"Allega file alla scheda."_s},
        {u"cmdAnteprima"_s, u"anteprima"_s, 266, u"Visualizza l'anteprima di stampa della scheda."_s},
        {u"cmdStampa"_s, u"stampa"_s, 316, u"Stampa la scheda."_s},
        {u"cmdPrimo"_s, u"primo"_s, 380, u"Visualizza la prima scheda in archivio."_s},
        {u"cmdIndietro"_s, u"indietro"_s, 430, u"Visualizza la scheda precedente in archivio."_s},
        {u"cmdAvanti"_s, u"avanti"_s, 562, u"Visualizza la scheda successiva in archivio."_s},
        {u"cmdUltimo"_s, u"ultimo"_s, 612, u"Visualizza l'ultima scheda in archivio."_s},
        {u"cmdScadTessere"_s, u"scadtessere"_s, 680, u"Visualizza il riepilogo delle tessere scadute."_s},
        {u"cmdScadCertificati"_s, u"scadcertificati"_s, 730, u"Visualizza il riepilogo dei certificati medici scaduti."_s},
        {u"cmdEsporta"_s, u"excel"_s, 780, u"Esporta l'archivio in un file di Microsoft Excel."_s},
        {u"cmdImporta"_s, u"importa_foglio"_s, 830, TfrmImportaFoglio::hint},
        {u"cmdGuida"_s, u"help"_s, 887, u"Visualizza la guida in linea."_s},
        {u"cmdEsci"_s, u"exit"_s, 937, u"Esci da questa schermata di lavoro."_s},
    };
    return rows;
}

// The small buttons beside the fields and under the photo.
const QList<ButtonRow>& fieldButtons()
{
    constexpr int photoButtons = 530;
    static const QList<ButtonRow> rows = {
        {u"btnCodFisc"_s, u"codfisc"_s, {336, line(5) - 3, 32, 32}, u"Controlla il codice fiscale."_s},
        {u"btnEmail"_s, u"email"_s, {336, line(9) - 3, 32, 32}, u"Invia una e-mail all'indirizzo indicato."_s},
        {u"btnCaricaFoto"_s, u"carica_foto"_s, {676, photoButtons, 48, 48}, u"Carica una foto esistente."_s},
        {u"btnWebcam"_s, u"webcam_piccola"_s, {740, photoButtons, 48, 48}, u"Cattura la foto con una webcam."_s},
        {u"btnSalvaFoto"_s, u"salva"_s, {804, photoButtons, 48, 48}, u"Salva la foto su disco."_s},
        {u"btnCancFoto"_s, u"cestino"_s, {868, photoButtons, 48, 48}, u"Cancella la foto."_s},
        {u"btnZoomFoto"_s, u"zoom"_s, {932, photoButtons, 48, 48}, u"Visualizza la foto nelle sue dimensioni reali."_s},
        // The toolbar is full: Ritira / Riammetti stands under the photo's buttons, its band beside it.
        {u"cmdRitira"_s, u"ritira"_s, {676, photoButtons + 56, 48, 48}, recordEditing::withdrawHint},
    };
    return rows;
}

// A list that leads back to the editor: the chosen row's player comes up with the photo.
template <typename List>
void openList(TfrmGiocatori* editor, int horizonDays = 0)
{
    dialogs::open<List>(editor, [editor, horizonDays](List& list) {
        list.openWith([editor](qint64 position) { return editor->showRecord(position); });
        if constexpr (std::is_base_of_v<ExpiryListScreen, List>)
            list.setHorizon(horizonDays);
    });
}

}  // namespace

TfrmGiocatori::TfrmGiocatori(Navigator& navigator)
    : WorkScreen(navigator, u"frmGiocatori"_s, u" Golvera - Archivio Giocatori"_s)
{
    QWidget* panel = content();
    buildToolbar(panel);

    const RecordForm::Look look{style::verdana(9, true), style::verdana(9, true), u"color: %1;"_s.arg(style::navy.name())};
    m_form = new RecordForm(panel, recordFormat(PlayerRecord::Layout), playerFields(), look);
    m_attachments = std::make_unique<FormAttachments>(*m_form);
    for (const playerRules::MandatoryField& field : playerRules::mandatoryFields()) {
        // The sex is mandatory too, but its caption keeps the ordinary colour.
        if (field.control != u"txtSesso"_s)
            m_form->caption(field.control)->setStyleSheet(u"color: %1;"_s.arg(mandatoryBrown.name()));
    }
    for (const QString& name : centredFields + countFields)
        m_form->control<QLineEdit>(name)->setAlignment(Qt::AlignCenter);
    // Installed after the Enter chain, so they see the keys first and leave Enter to the chain.
    for (const QString& name : countFields) {
        m_counts.append(m_form->control<QLineEdit>(name));
        m_counts.back()->installEventFilter(this);
    }
    for (const QString& name : {u"txtInizioTes"_s, u"txtFineTes"_s}) {
        m_dates.append(m_form->control<QLineEdit>(name));
        m_dates.back()->installEventFilter(this);
    }

    m_buttons += buttonTable::create(panel, fieldButtons());
    buildPhoto(panel);

    m_panInfo = new QLabel(u"Pronto per archiviare una nuova scheda..."_s, panel);
    m_panInfo->setObjectName(u"panInfo"_s);
    m_panInfo->setFont(style::tahoma(12));
    m_panInfo->setStyleSheet(u"background-color: %1; color: white; border-radius: 8px; padding-left: 14px;"_s
                                 .arg(style::navy.name()));
    m_panInfo->setGeometry(14, 646, 967, 38);
    hintLine::install(m_panInfo, m_buttons, {this, panel});

    emailField::attach(m_form->control<QLineEdit>(u"txtEmail"_s), findChild<PictureButton*>(u"btnEmail"_s));
    const auto onClick = [this](const QString& name, auto action) {
        connect(findChild<PictureButton*>(name), &PictureButton::clicked, this, action);
    };
    onClick(u"btnCodFisc"_s, &TfrmGiocatori::btnCodFiscClick);
    onClick(u"btnCaricaFoto"_s, &TfrmGiocatori::btnCaricaFotoClick);
    onClick(u"btnWebcam"_s, &TfrmGiocatori::btnWebcamClick);
    onClick(u"btnZoomFoto"_s, &TfrmGiocatori::btnZoomFotoClick);
    onClick(u"btnCancFoto"_s, [this] { m_photoState->clear(); });
    onClick(u"btnSalvaFoto"_s, [this] { photoFiles::saveCopy(this, photo()); });
    onClick(u"cmdTrova"_s, [this] { openList<TfrmTrovaGiocatori>(this); });
    onClick(u"cmdScadTessere"_s, [this] { openList<TfrmTessereScadute>(this); });
    onClick(u"cmdScadCertificati"_s, [this] { openList<TfrmCertificatiScaduti>(this); });
    onClick(u"cmdFile"_s, [this] { TfrmAllegaCartella::edit(this, *m_attachments); });
    onClick(u"cmdAnteprima"_s, [this] { dialogs::open<TfrmAnteprimaGiocatore>(this, [this](auto& d) { prepareSheet(d); }); });
    onClick(u"cmdStampa"_s, [this] { dialogs::open<TfrmStampaGiocatore>(this, [this](auto& d) { prepareSheet(d); }); });
    onClick(u"cmdEsporta"_s, [this] { dialogs::open<TfrmExpGiocatori>(this); });
    onClick(u"cmdImporta"_s, [this] {
        m_editor->showPicked([this] { return TfrmImportaFoglio::run(this, playerImport::archive()); });
    });
    onClick(u"cmdGuida"_s, [this] { help::show(this, u"giocatori"_s); });
    onClick(u"cmdEsci"_s, &QWidget::close);

    RecordEditor::Hooks hooks = RecordEditor::Hooks::forForm(
        *m_form, [] { return programFolder::file(programFolder::playerArchiveName); });
    hooks.clearScreen = [this] { clearScreen(); };
    hooks.checkBeforeSave = [this] { return checkBeforeSave(); };
    // The photo is the saved record's only: a duplicate starts without it, and without attachments.
    hooks.resetForDuplicate = [this] {
        m_attachments->setAttachments({});
        m_photoState->reset();
    };
    hooks.afterShow = [this](qint64 position) { m_photoState->load(position); };
    hooks.afterSave = [this](qint64 position) { return storePhoto(position); };
    hooks.normalForms = RecordEditor::Hooks::normalFormsOf(
        *m_form, {u"Presenze"_s, u"Reti"_s, u"Ammonizioni"_s, u"Espulsioni"_s}, playerRules::countNormalForm);
    // The photo is saved with the record: one put in by the user is a change too, and one another
    // station wrote since the record was shown stops the save as a changed record does.
    hooks.changedBeside = [this] { return m_photoState->changed(); };
    hooks.besideUnchanged = [this](qint64 position) { return m_photoState->unchangedOnDisk(position); };
    m_editor = new RecordEditor(this, recordEditing::Editor::Player, m_lblPosizione,
                                RecordEditor::Buttons::named(this), std::move(hooks));
    m_editor->withdrawnBand()->setGeometry(736, 594, 244, 32);
}

TfrmGiocatori::~TfrmGiocatori() = default;

void TfrmGiocatori::buildToolbar(QWidget* panel)
{
    m_buttons = buttonTable::toolbar(panel, toolbarButtons(), 52);

    m_lblPosizione = new QLabel(panel);
    m_lblPosizione->setObjectName(u"lblPosizione"_s);
    m_lblPosizione->setFont(style::verdana(14, true));
    m_lblPosizione->setAlignment(Qt::AlignCenter);
    m_lblPosizione->setStyleSheet(u"color: %1; background-color: white; border: 1px solid #9FB3C8;"
                                  "border-radius: 8px;"_s.arg(style::navy.name()));
    m_lblPosizione->setGeometry(484, 58, 72, 36);

    QLabel* title = style::label(panel, u"lblTitolo"_s, u"Archivio Giocatori"_s, style::verdana(12, true), Qt::white);
    title->setAlignment(Qt::AlignCenter);
    title->setStyleSheet(u"background-color: %1; color: #FFD21F; border-radius: 8px;"_s.arg(style::navy.name()));
    title->setGeometry(16, 10, 963, 34);

    auto* rule = new QLabel(panel);
    rule->setObjectName(u"shpRiga"_s);
    rule->setStyleSheet(u"background-color: %1;"_s.arg(style::pitchGreen.name()));
    rule->setGeometry(16, 112, 963, 3);
}

void TfrmGiocatori::buildPhoto(QWidget* panel)
{
    auto* box = new PictureBox(u"imgFoto"_s, panel);
    box->setGeometry(QRect(QPoint(672, 128), PlayerPhoto::boxSize));
    box->setStyleSheet(u"background-color: white;"_s);
    m_photoState = std::make_unique<PlayerPhoto>(box);
    auto* frame = new QLabel(panel);
    frame->setObjectName(u"shpFoto"_s);
    frame->setStyleSheet(u"border: 1px solid #9FB3C8; background: transparent;"_s);
    frame->setGeometry(box->geometry().adjusted(-1, -1, 1, 1));
    frame->setAttribute(Qt::WA_TransparentForMouseEvents);
}

QImage TfrmGiocatori::photo() const { return m_photoState->picture(); }

void TfrmGiocatori::setPhoto(const QImage& picture) { m_photoState->put(picture); }

bool TfrmGiocatori::showRecord(qint64 position) { return m_editor->show(position); }

void TfrmGiocatori::openExpiryList(expiryList::Kind kind, int horizonDays)
{
    if (kind == expiryList::Kind::Cards)
        openList<TfrmTessereScadute>(this, horizonDays);
    else
        openList<TfrmCertificatiScaduti>(this, horizonDays);
}

void TfrmGiocatori::setExpiry(const QString& control, const QString& date)
{
    if (auto* field = m_form->control<QLineEdit>(control))
        field->setText(date);
}

void TfrmGiocatori::showEvent(QShowEvent* event)
{
    // Every opening starts on a new, unsaved record; a window merely restored keeps its record.
    if (!event->spontaneous())
        m_editor->startEmpty();
    WorkScreen::showEvent(event);
}

void TfrmGiocatori::clearScreen()
{
    m_form->clear();
    m_photoState->reset();
}

bool TfrmGiocatori::checkBeforeSave()
{
    const playerRules::MandatoryField* missing =
        playerRules::firstMissing([this](const QString& field) { return m_form->values().value(field); });
    if (!missing)
        return true;
    platform::warningBox(missing->message, this);
    m_form->control(missing->control)->setFocus(Qt::OtherFocusReason);
    return false;
}

bool TfrmGiocatori::storePhoto(qint64 position)
{
    // The record is saved whatever happens here; the picture stays on screen to be saved again.
    if (m_photoState->store(position))
        return true;
    platform::warningBox(photoNotStoredMessage, this);
    return false;
}

bool TfrmGiocatori::eventFilter(QObject* watched, QEvent* event)
{
    if (auto* count = qobject_cast<QLineEdit*>(watched); count && m_counts.contains(count)) {
        if (event->type() == QEvent::KeyPress)
            return keyFilter::refuses(static_cast<QKeyEvent*>(event), keyFilter::isDigit);
        // A context menu opening over the field does not leave it.
        if (event->type() == QEvent::FocusOut && static_cast<QFocusEvent*>(event)->reason() != Qt::PopupFocusReason)
            count->setText(playerRules::countNormalForm(count->text()));
    }
    if (auto* date = qobject_cast<QLineEdit*>(watched); date && m_dates.contains(date)) {
        if (event->type() == QEvent::KeyPress)
            return dateKeyDown(date, static_cast<QKeyEvent*>(event));
        // A click, too, opens the calendar: the field cannot be typed into.
        if (event->type() == QEvent::MouseButtonRelease && static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton
            && date->rect().contains(static_cast<QMouseEvent*>(event)->position().toPoint())) {
            openCalendar(date);
            return true;
        }
    }
    return WorkScreen::eventFilter(watched, event);
}

// A date is never typed: Backspace or Delete empties it, Enter moves on, Tab leaves it, and any
// other key opens the calendar, which takes that key as the start of a typed date.
bool TfrmGiocatori::dateKeyDown(QLineEdit* field, QKeyEvent* key)
{
    switch (key->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
    case Qt::Key_Shift:
    case Qt::Key_Control:
    case Qt::Key_Alt:
    case Qt::Key_Meta:
        return false;
    case Qt::Key_Backspace:
    case Qt::Key_Delete:
        field->clear();
        return true;
    default:
        openCalendar(field, key);
        return true;
    }
}

void TfrmGiocatori::openCalendar(QLineEdit* field, const QKeyEvent* key)
{
    const QString target = field->objectName();
    dialogs::open<TfrmCalendario>(this, [this, field, target, key](TfrmCalendario& calendar) {
        calendar.setTarget([this, target](const QString& date) { setExpiry(target, date); });
        calendar.setDate(field->text());
        if (key)
            calendar.typeAhead(*key);
    });
}

void TfrmGiocatori::btnCodFiscClick()
{
    const QString code = trimControls(m_form->control<QLineEdit>(u"txtCodFisc"_s)->text());
    const bool digitsOnly = !code.isEmpty() && std::all_of(code.begin(), code.end(), [](QChar c) {
        return c >= u'0' && c <= u'9';
    });
    // An all-digit code is a company's VAT number.
    if (digitsOnly)
        dialogs::open<TfrmPartitaIva>(this, [&code](TfrmPartitaIva& dialog) { dialog.setText(code); });
    else
        dialogs::open<TfrmCodFisc>(this, [this, &code](TfrmCodFisc& dialog) {
            dialog.setText(code);
            dialog.setHolder(m_form->control<QLineEdit>(u"txtDataNasc"_s)->text(),
                             m_form->control<QLineEdit>(u"txtSesso"_s)->text());
        });
}

void TfrmGiocatori::btnCaricaFotoClick()
{
    photoFiles::load(this, *m_photoState);
}

void TfrmGiocatori::btnWebcamClick()
{
    dialogs::open<TfrmWebCam>(this, [this](TfrmWebCam& webcam) {
        webcam.setImportTarget([this](const QImage& picture) { setPhoto(picture); });
    });
}

// The sheet shows the screen as it is, saved or not, with the picture in the photo box.
void TfrmGiocatori::prepareSheet(PlayerSheetDialog& dialog) const
{
    QHash<QString, QString> texts;
    for (const QString& name : playerSheet::valueNames()) {
        if (const auto* field = m_form->control<QLineEdit>(name))
            texts.insert(name, field->text());
    }
    dialog.setTexts(texts);
    dialog.setPhoto(photo());
}

void TfrmGiocatori::btnZoomFotoClick()
{
    dialogs::open<TfrmZoom>(this, [this](TfrmZoom& zoom) { zoom.setPicture(photo()); });
}
