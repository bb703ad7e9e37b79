#include "matches/NuovoCalendario.h"

#include "app/Formats.h"
#include "common/ButtonTable.h"
#include "common/HelpTopics.h"
#include "common/HintLine.h"
#include "common/PictureButton.h"
#include "common/Style.h"
#include "editor/RecordEditing.h"
#include "matches/CalendarFile.h"
#include "matches/MatchTableModel.h"
#include "matches/MatchWindow.h"
#include "matches/WriteBack.h"
#include "platform/Platform.h"
#include "storage/ArchiveError.h"
#include "withdrawal/WithdrawnEntries.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QSpinBox>
#include <QTableView>

using namespace Qt::StringLiterals;
using namespace matches;

namespace {

const QList<buttonTable::ToolRow>& toolbarButtons()
{
    static const QList<buttonTable::ToolRow> rows = {
        {u"cmdAnteprima"_s, u"anteprima"_s, 24, u"Mostra il calendario che verr\u00E0 creato, senza scriverlo."_s},
        {u"cmdConferma"_s, u"salva"_s, 78, u"Scrive nel torneo il calendario mostrato."_s},
        {u"cmdGuida"_s, u"help"_s, 869, u"Visualizza la pagina della guida in linea sensibile al contesto."_s},
        {u"cmdEsci"_s, u"exit"_s, 923, u"Esci da questa schermata senza creare il calendario."_s},
    };
    return rows;
}

const QList<std::pair<Format, QString>>& formatChoices()
{
    static const QList<std::pair<Format, QString>> list = {
        {Format::RoundRobin, u"Girone all'italiana"_s},
        {Format::Groups, u"Gironi"_s},
        {Format::Knockout, u"Eliminazione diretta"_s},
        {Format::GroupsThenKnockout, u"Gironi, poi eliminazione diretta"_s},
    };
    return list;
}

const QList<std::pair<ReturnLeg, QString>>& returnLegs()
{
    static const QList<std::pair<ReturnLeg, QString>> list = {
        {ReturnLeg::None, u"Solo andata"_s},
        {ReturnLeg::Mirrored, u"Andata e ritorno, ritorno speculare"_s},
        {ReturnLeg::Asymmetric, u"Andata e ritorno, ritorno asimmetrico"_s},
    };
    return list;
}

}  // namespace

const QString TfrmNuovoCalendario::previewFirstMessage = QStringLiteral(
    "Ecco il calendario che verr\u00E0 scritto: controllarlo e premere di nuovo Conferma per scriverlo.");

QString TfrmNuovoCalendario::replaceQuestion(int matches)
{
    return QStringLiteral("Attenzione: il torneo ha gi\u00E0 un calendario di %1 gare, che verr\u00E0 sostituito da "
                          "quello mostrato.\r\n\r\nSi desidera proseguire?")
        .arg(matches);
}

QString TfrmNuovoCalendario::writtenMessage(int matches)
{
    return QStringLiteral("Il calendario di %1 gare \u00E8 stato scritto nel torneo.").arg(matches);
}

TfrmNuovoCalendario::TfrmNuovoCalendario(QWidget* owner)
    : QDialog(owner)
    , m_model(new MatchTableModel(this))
{
    const matchWindow::Parts parts = matchWindow::place(this, owner, QStringLiteral("frmNuovoCalendario"),
                                                        QStringLiteral(" Golvera - Nuovo calendario"));
    QWidget* panel = parts.panel;
    m_title = parts.title;
    m_info = parts.info;

    buildForm(panel);
    buildButtons(panel);
}

void TfrmNuovoCalendario::buildForm(QWidget* panel)
{
    int y = 124;
    const auto row = [&](const QString& name, const QString& caption, QWidget* control, int height = 28) {
        QLabel* label = style::label(panel, name + QStringLiteral("Etichetta"), caption, style::verdana(9, true), style::navy);
        label->setGeometry(20, y, 166, 28);
        label->setBuddy(control);
        control->setObjectName(name);
        control->setFont(style::verdana(9));
        control->setGeometry(188, y, 232, height);
        y += height + 6;
    };
    m_format = new QComboBox(panel);
    for (const auto& [format, text] : formatChoices())
        m_format->addItem(text, int(format));
    row(QStringLiteral("cboFormato"), QStringLiteral("&Formato:"), m_format);
    m_returnLeg = new QComboBox(panel);
    for (const auto& [leg, text] : returnLegs())
        m_returnLeg->addItem(text, int(leg));
    row(QStringLiteral("cboRitorno"), QStringLiteral("&Ritorno:"), m_returnLeg);
    m_groups = new QSpinBox(panel);
    m_groups->setRange(2, 16);
    row(QStringLiteral("spnGironi"), QStringLiteral("&Gironi:"), m_groups);
    m_qualifiers = new QSpinBox(panel);
    m_qualifiers->setRange(1, 8);
    m_qualifiers->setValue(2);
    row(QStringLiteral("spnQualificate"), QStringLiteral("&Qualificate per girone:"), m_qualifiers);
    m_thirdPlace = new QCheckBox(QStringLiteral("Finale per il &3\u00B0 posto"), panel);
    row(QStringLiteral("chkTerzoPosto"), QString(), m_thirdPlace);
    m_start = new QLineEdit(panel);
    m_start->setPlaceholderText(QStringLiteral("GG/MM/AAAA"));
    row(QStringLiteral("txtInizio"), QStringLiteral("&Primo giorno:"), m_start);
    m_every = new QSpinBox(panel);
    m_every->setRange(1, 60);
    m_every->setValue(7);
    row(QStringLiteral("spnOgni"), QStringLiteral("Giorni &tra le giornate:"), m_every);
    m_times = new QLineEdit(panel);
    m_times->setPlaceholderText(QStringLiteral("20:30, 21:45"));
    row(QStringLiteral("txtOrari"), QStringLiteral("&Orari:"), m_times);
    m_fields = new QLineEdit(panel);
    m_fields->setPlaceholderText(QStringLiteral("Comunale; Oratorio"));
    row(QStringLiteral("txtCampi"), QStringLiteral("C&ampi:"), m_fields);
    m_entries = new QListWidget(panel);
    row(QStringLiteral("lstSquadre"), QStringLiteral("S&quadre:"), m_entries, 628 - y - 4);

    auto* table = new QTableView(panel);
    table->setObjectName(QStringLiteral("lstAnteprima"));
    table->setModel(m_model);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setFont(style::verdana(9));
    table->horizontalHeader()->setFont(style::verdana(9, true));
    table->verticalHeader()->hide();
    table->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    table->verticalHeader()->setDefaultSectionSize(QFontMetrics(table->font()).height() + 6);
    table->horizontalHeader()->setStretchLastSection(true);
    table->setAlternatingRowColors(true);
    table->setGeometry(436, 124, 539, 472);
    const QList<int> widths = {36, 74, 46, 80, 44, 0, 120, 120, 0};
    for (int column = 0; column < widths.size(); ++column) {
        if (widths.at(column) == 0)
            table->hideColumn(column);
        else
            table->horizontalHeader()->resizeSection(column, widths.at(column));
    }
    table->hideColumn(MatchTableModel::Status);
    table->setStyleSheet(QStringLiteral("QTableView { background-color: white; border: 1px solid %1; }").arg(style::pitchGreen.name()));
    m_summary = style::label(panel, QStringLiteral("lblRiepilogo"), QString(), style::verdana(10, true), style::navy);
    m_summary->setGeometry(436, 600, 539, 28);

    connect(m_format, &QComboBox::currentIndexChanged, this, &TfrmNuovoCalendario::dropPreview);
    connect(m_returnLeg, &QComboBox::currentIndexChanged, this, &TfrmNuovoCalendario::dropPreview);
    for (QSpinBox* box : {m_groups, m_qualifiers, m_every})
        connect(box, &QSpinBox::valueChanged, this, &TfrmNuovoCalendario::dropPreview);
    connect(m_thirdPlace, &QCheckBox::toggled, this, &TfrmNuovoCalendario::dropPreview);
    for (QLineEdit* line : {m_start, m_times, m_fields})
        connect(line, &QLineEdit::textEdited, this, &TfrmNuovoCalendario::dropPreview);
    connect(m_entries, &QListWidget::itemChanged, this, &TfrmNuovoCalendario::dropPreview);
}

void TfrmNuovoCalendario::buildButtons(QWidget* panel)
{
    const QList<PictureButton*> buttons = buttonTable::toolbar(panel, toolbarButtons());
    const auto command = [this](const char* name, const QKeySequence& keys, auto action) {
        PictureButton* button = findChild<PictureButton*>(QLatin1String(name));
        connect(button, &PictureButton::clicked, this, action);
        buttonTable::bindKeys(this, button, keys);
    };
    command("cmdAnteprima", QKeySequence(Qt::Key_F5), [this] { preview(); });
    command("cmdConferma", QKeySequence(Qt::CTRL | Qt::Key_S), [this] { confirm(); });
    command("cmdGuida", QKeySequence(Qt::Key_F1), [this] { help::show(this, QStringLiteral("tornei")); });
    auto* exit = findChild<PictureButton*>(QStringLiteral("cmdEsci"));
    connect(exit, &PictureButton::clicked, this, &QDialog::reject);
    exit->setToolTip(exit->hint() + QStringLiteral("\nScorciatoia da tastiera: Esc"));
    hintLine::install(m_info, buttons, {this, m_title});
}

void TfrmNuovoCalendario::setTournament(const QString& path, const QString& name)
{
    m_path = path;
    m_title->setText(QStringLiteral("Nuovo calendario - %1").arg(name));
    m_names = entryNames(path);
    try {
        const StoredCalendar stored = readCalendar(path);
        m_draw = stored.calendar.draw;
        m_lastNumber = stored.calendar.lastNumber;
        m_rules = stored.calendar.rules;
    } catch (const CalendarDamaged& damaged) {
        platform::errorBox(damaged.message(), this);
    } catch (...) {
        platform::errorBox(recordEditing::archiveFailureMessage, this);
    }
    const QSignalBlocker block(m_entries);
    m_entries->clear();
    for (int i = 0; i < m_names.size(); ++i) {
        auto* item = new QListWidgetItem(QStringLiteral("%1. %2").arg(i + 1).arg(m_names.at(i)), m_entries);
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(Qt::Checked);
        item->setData(Qt::UserRole, i + 1);
    }
    dropPreview();
    m_info->setText(QStringLiteral("Scegliere il formato e premere Anteprima (F5): nulla viene scritto prima di Conferma."));
}

std::optional<Plan> TfrmNuovoCalendario::plan()
{
    Plan plan;
    plan.format = Format(m_format->currentData().toInt());
    plan.returnLeg = ReturnLeg(m_returnLeg->currentData().toInt());
    plan.entryCount = int(m_names.size());
    for (int row = 0; row < m_entries->count(); ++row) {
        if (m_entries->item(row)->checkState() == Qt::Checked)
            plan.entries.append(m_entries->item(row)->data(Qt::UserRole).toInt());
    }
    plan.groupCount = m_groups->value();
    plan.qualifiers = m_qualifiers->value();
    plan.thirdPlace = m_thirdPlace->isChecked();
    plan.rules = m_rules;
    if (const QString start = m_start->text().trimmed(); !start.isEmpty()) {
        plan.schedule.first = formats::dateFromText(start);
        if (!plan.schedule.first.isValid()) {
            platform::warningBox(MatchTableModel::dateMessage, this);
            m_start->setFocus(Qt::OtherFocusReason);
            return std::nullopt;
        }
    }
    plan.schedule.daysBetween = m_every->value();
    if (const QString times = m_times->text().trimmed(); !times.isEmpty()) {
        const auto parsed = timesFromText(times);
        if (!parsed) {
            platform::warningBox(MatchTableModel::timeMessage, this);
            m_times->setFocus(Qt::OtherFocusReason);
            return std::nullopt;
        }
        plan.schedule.times = *parsed;
    }
    for (const QString& field : m_fields->text().split(QLatin1Char(';'), Qt::SkipEmptyParts))
        plan.schedule.fields.append(field.trimmed());
    return plan;
}

bool TfrmNuovoCalendario::preview()
{
    const std::optional<Plan> chosen = plan();
    if (!chosen)
        return false;
    QRandomGenerator random(QRandomGenerator::global()->generate());
    const Made made = makeCalendar(*chosen, m_draw, random, m_lastNumber);
    if (!made.error.isEmpty()) {
        platform::warningBox(made.error, this);
        return false;
    }
    // The draw shown is the one a later preview and the confirmation keep.
    if (m_draw.isEmpty())
        m_draw = made.calendar.draw;
    m_made = made.calendar;
    StoredCalendar shown;
    shown.calendar = made.calendar;
    m_model->setCalendar(std::move(shown), m_names);
    m_summary->setText(QStringLiteral("Gare: %1   Giornate: %2%3")
                           .arg(made.calendar.matches.size())
                           .arg(made.calendar.lastRound())
                           .arg(made.drawReused ? QStringLiteral("   (sorteggio dei gironi gi\u00E0 fatto)") : QString()));
    return true;
}

bool TfrmNuovoCalendario::confirm()
{
    if (!m_made) {
        if (preview())
            platform::informationBox(previewFirstMessage, this);
        return false;
    }
    try {
        StoredCalendar stored = readCalendar(m_path);
        if (!stored.calendar.matches.isEmpty()
            && !platform::questionBox(replaceQuestion(int(stored.calendar.matches.size())), this, platform::Answer::No))
            return false;
        stored.calendar.rules = m_made->rules;
        stored.calendar.matches = m_made->matches;
        stored.calendar.draw = m_draw;
        saveAndWriteBack(m_path, stored, withdrawal::entries(m_path));
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
    platform::informationBox(writtenMessage(int(m_made->matches.size())), this);
    accept();
    return true;
}

void TfrmNuovoCalendario::dropPreview()
{
    m_made.reset();
    m_model->setCalendar({}, m_names);
    m_summary->setText(QStringLiteral("Nessuna anteprima: premere Anteprima (F5)."));
}

void TfrmNuovoCalendario::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    style::paintBackground(painter, rect());
}
