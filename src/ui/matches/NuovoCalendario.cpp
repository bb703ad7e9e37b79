#include "matches/NuovoCalendario.h"

#include "common/Style.h"
#include "matches/CalendarModel.h"
#include "matches/WriteBack.h"
#include "platform/Platform.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>
#include <QTableView>
#include <QVBoxLayout>

using namespace matches;

TfrmNuovoCalendario::TfrmNuovoCalendario(QWidget* owner)
    : QDialog(owner)
    , m_model(new CalendarModel(this))
{
    setObjectName(QStringLiteral("frmNuovoCalendario"));
    setWindowTitle(QStringLiteral(" Golvera - Nuovo calendario"));
    resize(1180, 720);
    auto* layout = new QHBoxLayout(this);

    auto* left = new QVBoxLayout;
    auto* form = new QFormLayout;
    const auto add = [&](const QString& label, QWidget* control, const QString& name) {
        control->setObjectName(name);
        form->addRow(label, control);
    };
    m_format = new QComboBox(this);
    m_format->addItems({QStringLiteral("Girone all'italiana"), QStringLiteral("Gironi"),
                        QStringLiteral("Eliminazione diretta"), QStringLiteral("Gironi ed eliminazione diretta")});
    add(QStringLiteral("&Formula:"), m_format, QStringLiteral("cboFormula"));
    m_returnLeg = new QComboBox(this);
    m_returnLeg->addItems({QStringLiteral("Solo andata"), QStringLiteral("Andata e ritorno (speculare)"),
                           QStringLiteral("Andata e ritorno (asimmetrico)")});
    add(QStringLiteral("&Ritorno:"), m_returnLeg, QStringLiteral("cboRitorno"));
    m_groups = new QSpinBox(this);
    m_groups->setRange(1, 26);
    m_groups->setValue(2);
    add(QStringLiteral("&Gironi:"), m_groups, QStringLiteral("spnGironi"));
    m_qualifiers = new QSpinBox(this);
    m_qualifiers->setRange(1, 8);
    m_qualifiers->setValue(2);
    add(QStringLiteral("&Qualificate per girone:"), m_qualifiers, QStringLiteral("spnQualificate"));
    m_thirdPlace = new QCheckBox(QStringLiteral("Finale per il &3\u00B0 posto"), this);
    add(QString(), m_thirdPlace, QStringLiteral("chkTerzoPosto"));
    m_start = new QLineEdit(this);
    m_start->setPlaceholderText(QStringLiteral("GG/MM/AAAA"));
    add(QStringLiteral("&Prima giornata:"), m_start, QStringLiteral("txtInizio"));
    m_every = new QSpinBox(this);
    m_every->setRange(1, 60);
    m_every->setValue(7);
    add(QStringLiteral("Giorni &tra le giornate:"), m_every, QStringLiteral("spnOgni"));
    m_times = new QLineEdit(this);
    m_times->setPlaceholderText(QStringLiteral("20:30, 21:45"));
    add(QStringLiteral("&Orari:"), m_times, QStringLiteral("txtOrari"));
    m_fields = new QLineEdit(this);
    m_fields->setPlaceholderText(QStringLiteral("Campo 1; Campo 2"));
    add(QStringLiteral("Ca&mpi:"), m_fields, QStringLiteral("txtCampi"));
    left->addLayout(form);
    auto* teamsLabel = new QLabel(QStringLiteral("&Squadre (nell'ordine delle teste di serie):"), this);
    left->addWidget(teamsLabel);
    m_entries = new QListWidget(this);
    m_entries->setObjectName(QStringLiteral("lstSquadre"));
    m_entries->setDragDropMode(QAbstractItemView::InternalMove);
    teamsLabel->setBuddy(m_entries);
    left->addWidget(m_entries, 1);
    layout->addLayout(left, 1);

    auto* right = new QVBoxLayout;
    m_info = new QLabel(this);
    m_info->setObjectName(QStringLiteral("panInfo"));
    m_info->setWordWrap(true);
    m_info->setFont(style::tahoma(10));
    m_info->setStyleSheet(QStringLiteral("background-color: %1; color: white; border-radius: 8px; padding: 6px 12px;")
                              .arg(style::navy.name()));
    right->addWidget(m_info);
    auto* table = new QTableView(this);
    table->setObjectName(QStringLiteral("tblAnteprima"));
    table->setModel(m_model);
    table->verticalHeader()->hide();
    table->setColumnHidden(CalendarModel::Penalties, true);
    table->setColumnHidden(CalendarModel::HomeGoals, true);
    table->setColumnHidden(CalendarModel::AwayGoals, true);
    right->addWidget(table, 1);
    auto* buttons = new QHBoxLayout;
    auto* createButton = new QPushButton(QStringLiteral("&Crea calendario"), this);
    createButton->setObjectName(QStringLiteral("cmdCrea"));
    auto* cancel = new QPushButton(QStringLiteral("&Annulla"), this);
    cancel->setObjectName(QStringLiteral("cmdAnnulla"));
    buttons->addStretch();
    buttons->addWidget(createButton);
    buttons->addWidget(cancel);
    right->addLayout(buttons);
    layout->addLayout(right, 2);

    connect(createButton, &QPushButton::clicked, this, [this] {
        if (create())
            accept();
    });
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    for (QComboBox* box : {m_format, m_returnLeg})
        connect(box, &QComboBox::currentIndexChanged, this, &TfrmNuovoCalendario::remake);
    for (QSpinBox* box : {m_groups, m_qualifiers, m_every})
        connect(box, &QSpinBox::valueChanged, this, &TfrmNuovoCalendario::remake);
    connect(m_thirdPlace, &QCheckBox::toggled, this, &TfrmNuovoCalendario::remake);
    for (QLineEdit* line : {m_start, m_times, m_fields})
        connect(line, &QLineEdit::editingFinished, this, &TfrmNuovoCalendario::remake);
    connect(m_entries, &QListWidget::itemChanged, this, &TfrmNuovoCalendario::remake);
    connect(m_entries->model(), &QAbstractItemModel::rowsMoved, this, &TfrmNuovoCalendario::remake);
}

void TfrmNuovoCalendario::setTournament(const QString& path, const QStringList& names, const StoredCalendar& stored)
{
    m_path = path;
    m_names = names;
    m_stored = stored;
    const QSignalBlocker blocker(m_entries);
    m_entries->clear();
    for (qsizetype i = 0; i < names.size(); ++i) {
        auto* item = new QListWidgetItem(names[i], m_entries);
        item->setData(Qt::UserRole, int(i) + 1);
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable | Qt::ItemIsDragEnabled);
        item->setCheckState(Qt::Checked);
    }
    if (!stored.calendar.draw.isEmpty()) {
        QStringList groups;
        for (const GroupSlot& slot : stored.calendar.draw) {
            if (!groups.contains(slot.group))
                groups.append(slot.group);
        }
        const QSignalBlocker groupBlocker(m_groups);
        m_groups->setValue(int(groups.size()));
        const QSignalBlocker formatBlocker(m_format);
        m_format->setCurrentIndex(int(Format::Groups));
    }
    remake();
}

Plan TfrmNuovoCalendario::plan() const
{
    Plan plan;
    plan.format = Format(m_format->currentIndex());
    plan.entryCount = int(m_names.size());
    for (int row = 0; row < m_entries->count(); ++row) {
        if (m_entries->item(row)->checkState() == Qt::Checked)
            plan.entries.append(m_entries->item(row)->data(Qt::UserRole).toInt());
    }
    plan.returnLeg = ReturnLeg(m_returnLeg->currentIndex());
    plan.groupCount = m_groups->value();
    plan.qualifiers = m_qualifiers->value();
    plan.thirdPlace = m_thirdPlace->isChecked();
    plan.schedule.first = QDate::fromString(m_start->text().trimmed(), QStringLiteral("dd/MM/yyyy"));
    plan.schedule.daysBetween = m_every->value();
    plan.schedule.times = timesFromText(m_times->text()).value_or(QList<QTime>{});
    for (const QString& field : m_fields->text().split(QLatin1Char(';'), Qt::SkipEmptyParts))
        plan.schedule.fields.append(field.trimmed());
    plan.rules = m_stored.calendar.rules;
    plan.rules.pointsFromResults = true;
    return plan;
}

void TfrmNuovoCalendario::remake()
{
    const bool groups = m_format->currentIndex() == int(Format::Groups)
                        || m_format->currentIndex() == int(Format::GroupsThenKnockout);
    m_groups->setEnabled(groups);
    m_qualifiers->setEnabled(m_format->currentIndex() == int(Format::GroupsThenKnockout));
    Plan wanted = plan();
    QString problem;
    if (!m_start->text().trimmed().isEmpty() && !wanted.schedule.first.isValid())
        problem = QStringLiteral("Attenzione: la data \"%1\" non esiste (GG/MM/AAAA).").arg(m_start->text().trimmed());
    else if (!timesFromText(m_times->text()))
        problem = QStringLiteral("Attenzione: gli orari indicati non sono orari validi (HH:MM).");

    // A draw made here is kept while the teams and the number of groups stay the same.
    QList<GroupSlot> draw = m_stored.calendar.draw;
    if (draw.isEmpty() && groups && m_drawnEntries == wanted.entries && m_drawnGroups == wanted.groupCount)
        draw = m_draw;
    QRandomGenerator random(QRandomGenerator::global()->generate());
    m_made = makeCalendar(wanted, draw, random, m_stored.calendar.lastNumber);
    if (!problem.isEmpty())
        m_made = Made{{}, problem, false};
    if (m_stored.calendar.draw.isEmpty() && groups && m_made.error.isEmpty()) {
        m_draw = m_made.calendar.draw;
        m_drawnEntries = wanted.entries;
        m_drawnGroups = wanted.groupCount;
    }
    m_model->setCalendar(&m_made.calendar, m_names, false);
    if (!m_made.error.isEmpty())
        m_info->setText(m_made.error);
    else
        m_info->setText(QStringLiteral("%1 gare in %2 giornate.%3 Premere Crea calendario per scriverlo.")
                            .arg(m_made.calendar.matches.size())
                            .arg(m_made.calendar.lastRound())
                            .arg(!m_stored.calendar.draw.isEmpty()
                                     ? QStringLiteral(" Il sorteggio dei gironi gi\u00E0 fatto viene riutilizzato.")
                                 : m_made.calendar.draw.isEmpty()
                                     ? QString()
                                     : QStringLiteral(" Il sorteggio dei gironi resta questo e viene conservato con il calendario.")));
}

bool TfrmNuovoCalendario::create()
{
    if (!m_made.error.isEmpty()) {
        platform::warningBox(m_made.error, this);
        return false;
    }
    StoredCalendar next = m_stored;
    next.calendar.rules = m_made.calendar.rules;
    next.calendar.matches = m_made.calendar.matches;
    if (next.calendar.draw.isEmpty())
        next.calendar.draw = m_made.calendar.draw;
    try {
        saveAndWriteBack(m_path, next);
    } catch (const RecordChanged&) {
        platform::warningBox(QStringLiteral("Attenzione: un'altra postazione ha modificato il calendario o le schede "
                                            "del torneo nel frattempo. Il calendario non \u00E8 stato scritto."),
                             this);
        return false;
    } catch (const CalendarDamaged& damaged) {
        platform::errorBox(damaged.message(), this);
        return false;
    } catch (const ArchiveError&) {
        platform::errorBox(QStringLiteral("Attenzione: il sistema non permette di scrivere il calendario del torneo."),
                           this);
        return false;
    }
    emit written();
    return true;
}
