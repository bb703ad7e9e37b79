#include "teams/Squadre.h"

#include "app/ProgramFolder.h"
#include "common/AllegaCartella.h"
#include "common/ButtonTable.h"
#include "common/Dialogs.h"
#include "common/EmailField.h"
#include "common/FormAttachments.h"
#include "common/HelpTopics.h"
#include "common/HintLine.h"
#include "common/ImportaFoglio.h"
#include "common/PictureButton.h"
#include "common/RecordEditor.h"
#include "common/RecordForm.h"
#include "common/Style.h"
#include "storage/TeamRecord.h"
#include "teams/ExpSquadre.h"
#include "teams/Selezionate.h"
#include "teams/StampaSquadra.h"
#include "teams/TeamImport.h"
#include "teams/TrovaSquadre.h"
#include "text/TextRules.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QShowEvent>

using namespace Qt::StringLiterals;

namespace {

const QString teamMissingMessage =
    QStringLiteral("Attenzione: per salvare la scheda \u00E8 necessario indicare il nome della squadra.");
const QString selectedHint =
    QStringLiteral("Spunta questa casella per includere la scheda nell'elenco di squadre selezionate.");

constexpr QSize PanelSize{994, 692};
const style::Background background{QColor(0x42, 0x7A, 0xA8), Qt::white};
const QColor brown{0x8B, 0x45, 0x13};

using Row = RecordForm::Row;
using Kind = RecordForm::Kind;

// A one-line field with its caption just above it.
Row line(const QString& name, const QString& caption, const QString& field, int x, int y, int width,
         const QString& next)
{
    return {name, caption, field, Kind::Line, {x, y, width, 28}, {x, y - 22, width, 20}, next};
}


// The team's fields in Enter order, then the mark and the attachments kept with the record.
const QList<Row>& teamFields()
{
    static const QList<Row> rows = QList<Row>{
        // The team name's caption is drawn apart, in its own colour.
        {u"txtSquadra"_s, {}, u"Squadra"_s, Kind::Line, {82, 116, 240, 28}, {}, u"txtColori"_s},
        line(u"txtColori"_s, u"Colori:"_s, u"Colori"_s, 328, 116, 240, u"txtSede"_s),
        line(u"txtSede"_s, u"Sede:"_s, u"Sede"_s, 574, 116, 190, u"txtCampo"_s),
        line(u"txtCampo"_s, u"Campo:"_s, u"Campo"_s, 770, 116, 190, u"txtPresidente"_s),
        line(u"txtPresidente"_s, u"Presidente:"_s, u"Presidente"_s, 34, 188, 220, u"txtAllenatore"_s),
        line(u"txtAllenatore"_s, u"Allenatore:"_s, u"Allenatore"_s, 260, 188, 220, u"txtCapitano"_s),
        line(u"txtCapitano"_s, u"Capitano:"_s, u"Capitano"_s, 486, 188, 190, u"txtCapocannoniere"_s),
        line(u"txtCapocannoniere"_s, u"Capocannoniere di squadra:"_s, u"Capocannoniere"_s, 752, 188, 208,
             u"txtPortieri"_s),
        line(u"txtPortieri"_s, u"Portieri:"_s, u"Portieri"_s, 312, 258, 648, u"txtDifensori"_s),
        line(u"txtDifensori"_s, u"Difensori:"_s, u"Difensori"_s, 312, 306, 648, u"txtCentrocampisti"_s),
        line(u"txtCentrocampisti"_s, u"Centrocampisti:"_s, u"Centrocampisti"_s, 312, 354, 648, u"txtAttaccanti"_s),
        line(u"txtAttaccanti"_s, u"Attaccanti:"_s, u"Attaccanti"_s, 312, 402, 648, u"txtFondazione"_s),
        line(u"txtFondazione"_s, u"Data fondazione:"_s, u"Fondazione"_s, 34, 474, 140, u"txtFondatore"_s),
        line(u"txtFondatore"_s, u"Fondatore:"_s, u"Fondatore"_s, 180, 474, 178, u"txtResponsabile"_s),
        line(u"txtResponsabile"_s, u"Responsabile:"_s, u"Responsabile"_s, 364, 474, 200, u"txtTelefono"_s),
        line(u"txtTelefono"_s, u"Telefono:"_s, u"Telefono"_s, 570, 474, 140, u"txtEmail"_s),
        line(u"txtEmail"_s, u"E-mail:"_s, u"Email"_s, 716, 474, 216, u"txtPalmares"_s),
        line(u"txtPalmares"_s, u"Palmar\u00E8s:"_s, u"Palmares"_s, 114, 544, 687, u"txtNote"_s),
        line(u"txtNote"_s, u"Note:"_s, u"Note"_s, 114, 592, 846, u"txtSquadra"_s),
        {u"chkSelezionata"_s, u"Selezionata"_s, u"Selezionata"_s, Kind::CheckBox, {858, 540, 108, 28}},
    } + FormAttachments::rows();
    return rows;
}

QRect small(int x) { return {x, 16, 37, 39}; }
QRect wide(int x) { return {x, 20, 148, 32}; }

const QList<ButtonRow>& toolbarButtons()
{
    static const QList<ButtonRow> rows = {
        // The first two bands are packed closer than they were to make room for the import.
        {u"cmdNuovo"_s, u"nuovo"_s, small(20), u"Prepara la schermata per la registrazione di una nuova scheda."_s},
        {u"cmdDuplica"_s, u"duplica"_s, small(58),
         u"Prepara la schermata per la registrazione di una nuova scheda duplicando i dati correnti."_s},
        {u"cmdSalva"_s, u"salva"_s, small(96), u"Salva la scheda corrente in archivio."_s},
        {u"cmdTrova"_s, u"trova"_s, small(134), u"Trova una scheda in archivio."_s},
        {u"cmdImporta"_s, u"importa_foglio"_s, small(172), TfrmImportaFoglio::hint},
        {u"cmdFile"_s, u"allega_file"_s, wide(222), u"Allega file alla scheda."_s},
        {u"cmdStampa"_s, u"stampa_scheda"_s, wide(376), u"Stampa la scheda."_s},
        {u"cmdPrimo"_s, u"primo"_s, small(538), u"Visualizza la prima scheda in archivio."_s},
        {u"cmdIndietro"_s, u"indietro"_s, small(580), u"Visualizza la scheda precedente in archivio."_s},
        {u"cmdAvanti"_s, u"avanti"_s, small(696), u"Visualizza la scheda successiva in archivio."_s},
        {u"cmdUltimo"_s, u"ultimo"_s, small(738), u"Visualizza l'ultima scheda in archivio."_s},
        {u"cmdEsporta"_s, u"excel"_s, small(795), u"Esporta l'archivio in un file di Microsoft Excel."_s},
        {u"cmdSelezionate"_s, u"selezionate"_s, small(835), u"Visualizza l'elenco delle squadre selezionate."_s},
        {u"cmdGuida"_s, u"help"_s, small(892), u"Visualizza la guida in linea."_s},
        {u"cmdEsci"_s, u"exit"_s, small(934), u"Esci da questa schermata di lavoro."_s},
        {u"btnEmail"_s, u"email"_s, {938, 474, 22, 22}, u"Invia una e-mail all'indirizzo indicato."_s},
        // The toolbar is full: Ritira / Riammetti stands just under its end, its band beside it.
        {u"cmdRitira"_s, u"ritira"_s, {944, 60, 28, 28}, recordEditing::withdrawHint},
    };
    return rows;
}

QString archivePath() { return programFolder::file(programFolder::teamArchiveName); }

}  // namespace

TfrmSquadre::TfrmSquadre(Navigator& navigator)
    : WorkScreen(navigator, QStringLiteral("frmSquadre"), QStringLiteral(" Golvera - Archivio Squadre"), PanelSize,
                 background)
{
    QWidget* panel = content();
    buildDecoration(panel);
    buildToolbar(panel);
    buildFields(panel);

    m_panInfo = style::label(panel, QStringLiteral("panInfo"), QStringLiteral("Pronto per archiviare una nuova scheda..."),
                             style::tahoma(12), Qt::white);
    m_panInfo->setStyleSheet(QStringLiteral("background-color: #3030DD; color: white; border-radius: 6px; padding-left: 12px;"));
    m_panInfo->setGeometry(16, 646, 962, 32);

    m_background += {this, panel};
    hintLine::install(m_panInfo, m_buttons, m_background);
    hintLine::addHint(m_panInfo, m_form->control(QStringLiteral("chkSelezionata")), selectedHint);

    RecordEditor::Hooks hooks = RecordEditor::Hooks::forForm(*m_form, [] { return archivePath(); });
    hooks.checkBeforeSave = [this] { return checkBeforeSave(); };
    hooks.resetForDuplicate = [this] { resetForDuplicate(); };
    m_attachments = std::make_unique<FormAttachments>(*m_form);
    m_editor = new RecordEditor(this, recordEditing::Editor::Team, m_lblPosizione, RecordEditor::Buttons::named(this),
                                std::move(hooks));
    m_editor->withdrawnBand()->setGeometry(684, 60, 254, 27);
}

TfrmSquadre::~TfrmSquadre() = default;

void TfrmSquadre::buildDecoration(QWidget* panel)
{
    const auto band = [&](const char* name, int x, int y, int width, int height) {
        auto* shape = new QWidget(panel);
        shape->setObjectName(QLatin1String(name));
        shape->setAttribute(Qt::WA_StyledBackground);
        shape->setStyleSheet(QStringLiteral("background-color: white; border-radius: 10px;"));
        shape->setGeometry(x, y, width, height);
        m_background.append(shape);
    };
    // The toolbar's bands, then the five bands the fields are grouped on.
    band("shpComandi1", 16, 12, 198, 47);
    band("shpComandi2", 218, 12, 308, 47);
    band("shpComandi3", 530, 12, 253, 47);
    band("shpComandi4", 788, 12, 94, 47);
    band("shpComandi5", 886, 12, 92, 47);
    band("shpBanda1", 24, 88, 946, 68);
    band("shpBanda2", 24, 160, 946, 68);
    band("shpBanda3", 24, 232, 946, 210);
    band("shpBanda4", 24, 446, 946, 66);
    band("shpBanda5", 24, 516, 946, 116);

    const auto picture = [&](const char* name, const char* resource, QRect geometry) {
        auto* shown = new Picture(QLatin1String(name), QLatin1String(resource), panel);
        shown->setGeometry(geometry);
        m_background.append(shown);
    };
    picture("imgFormazione", "formazione", {40, 262, 258, 164});
    picture("imgSquadra", "scudetto", {36, 108, 40, 40});
    picture("imgCapocannoniere", "football", {702, 182, 42, 42});
    picture("imgPalmares", "info_trophy", {44, 540, 60, 45});
    picture("imgSelezionata", "stella", {818, 540, 32, 32});
}

void TfrmSquadre::buildToolbar(QWidget* panel)
{
    m_buttons = buttonTable::create(panel, toolbarButtons());

    m_lblPosizione = style::label(panel, QStringLiteral("lblPosizione"), QString(), style::verdana(12, true), style::navy);
    m_lblPosizione->setAlignment(Qt::AlignCenter);
    m_lblPosizione->setStyleSheet(QStringLiteral("color: %1; background-color: white; border: 1px solid #9FB3C8;"
                                                 "border-radius: 6px;").arg(style::navy.name()));
    m_lblPosizione->setGeometry(619, 20, 74, 32);

    const auto button = [this](const char* name) { return findChild<PictureButton*>(QLatin1String(name)); };
    connect(button("cmdTrova"), &PictureButton::clicked, this, &TfrmSquadre::cmdTrovaClick);
    connect(button("cmdSelezionate"), &PictureButton::clicked, this, &TfrmSquadre::cmdSelezionateClick);
    connect(button("cmdStampa"), &PictureButton::clicked, this, &TfrmSquadre::cmdStampaClick);
    connect(button("cmdImporta"), &PictureButton::clicked, this, &TfrmSquadre::cmdImportaClick);
    connect(button("cmdFile"), &PictureButton::clicked, this, [this] { TfrmAllegaCartella::edit(this, *m_attachments); });
    connect(button("cmdEsporta"), &PictureButton::clicked, this, [this] { dialogs::open<TfrmExpSquadre>(this); });
    connect(button("cmdGuida"), &PictureButton::clicked, this, [this] { help::show(this, QStringLiteral("squadre")); });
    connect(button("cmdEsci"), &PictureButton::clicked, this, &QWidget::close);
}

void TfrmSquadre::buildFields(QWidget* panel)
{
    const RecordForm::Look look{style::verdana(12, true), style::verdana(9, true),
                                QStringLiteral("color: %1;").arg(style::navy.name()), Qt::AlignLeft | Qt::AlignBottom};
    m_form = new RecordForm(panel, recordFormat(TeamRecord::Layout), teamFields(), look);
    style::label(panel, QStringLiteral("lblSquadra"), QStringLiteral("Squadra:"), style::verdana(9, true), brown)
        ->setGeometry(82, 94, 240, 20);
    QWidget* selected = m_form->control(QStringLiteral("chkSelezionata"));
    selected->setFont(style::verdana(10, true));
    selected->setStyleSheet(QStringLiteral("color: %1;").arg(style::navy.name()));
    emailField::attach(m_form->control<QLineEdit>(QStringLiteral("txtEmail")),
                       findChild<PictureButton*>(QStringLiteral("btnEmail")));
}

bool TfrmSquadre::showRecord(qint64 position) { return m_editor->show(position); }

QString TfrmSquadre::attachment(const QString& field) const { return m_form->hidden(field); }

void TfrmSquadre::showEvent(QShowEvent* event)
{
    // Every opening starts on a new, unsaved record; a window merely restored keeps its record.
    if (!event->spontaneous())
        m_editor->startEmpty();
    WorkScreen::showEvent(event);
}

bool TfrmSquadre::checkBeforeSave()
{
    auto* team = m_form->control<QLineEdit>(QStringLiteral("txtSquadra"));
    if (!trimControls(team->text()).isEmpty())
        return true;
    platform::warningBox(teamMissingMessage, this);
    team->setFocus(Qt::OtherFocusReason);
    return false;
}

// A copy starts as not selected and without attachments.
void TfrmSquadre::resetForDuplicate()
{
    m_form->control<QCheckBox>(QStringLiteral("chkSelezionata"))->setChecked(false);
    m_attachments->setAttachments({});
}

void TfrmSquadre::cmdTrovaClick()
{
    dialogs::open<TfrmTrovaSquadre>(this, [this](TfrmTrovaSquadre& search) {
        search.openWith([this](qint64 position) { return showRecord(position); });
    });
}

void TfrmSquadre::cmdSelezionateClick()
{
    dialogs::open<TfrmSelezionate>(this, [this](TfrmSelezionate& list) {
        list.openWith([this](qint64 position) { return showRecord(position); });
    });
}

void TfrmSquadre::cmdImportaClick()
{
    m_editor->showPicked([this] { return TfrmImportaFoglio::run(this, teamImport::archive()); });
}

void TfrmSquadre::cmdStampaClick()
{
    QHash<QString, QString> texts;
    for (QLineEdit* field : content()->findChildren<QLineEdit*>())
        texts.insert(field->objectName(), field->text());
    dialogs::open<TfrmStampaSquadra>(this, [&texts](TfrmStampaSquadra& print) { print.setTexts(texts); });
}
