#include "standings/ClassificaCompleta.h"

#include "common/Dialogs.h"
#include "output/ListSummary.h"
#include "output/Report.h"
#include "platform/Platform.h"
#include "publish/TournamentPage.h"
#include "standings/CalendarStandings.h"
#include "standings/CompleteStandingsText.h"
#include "storage/ArchiveError.h"
#include "withdrawal/WithdrawnEntries.h"

#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QSortFilterProxyModel>
#include <QStandardItemModel>
#include <QTableView>
#include <QVBoxLayout>

namespace {

enum View { Overall, Home, Away, Cross };

QString tournamentName(const QString& path)
{
    const QString name = QFileInfo(path).fileName();
    return name.endsWith(QStringLiteral(".vai"), Qt::CaseInsensitive) ? name.chopped(4) : name;
}

QStandardItem* numberItem(int value, const QString& shown = QString())
{
    auto* item = new QStandardItem(shown.isEmpty() ? QString::number(value) : shown);
    item->setData(value, Qt::UserRole);  // sorted by value, not by text
    item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return item;
}

}  // namespace

TfrmClassificaCompleta::TfrmClassificaCompleta(QWidget* owner)
    : QDialog(owner)
    , m_group(new QComboBox(this))
    , m_view(new QComboBox(this))
    , m_title(new QLabel(this))
    , m_reasons(new QLabel(this))
    , m_table(new QTableView(this))
    , m_model(new QStandardItemModel(this))
    , m_sorted(new QSortFilterProxyModel(this))
{
    setObjectName(QStringLiteral("frmClassificaCompleta"));
    setWindowTitle(QStringLiteral(" Golvera - Classifica completa"));
    m_group->setObjectName(QStringLiteral("cmbGirone"));
    m_view->setObjectName(QStringLiteral("cmbVista"));
    m_view->addItems({QStringLiteral("Classifica"), QStringLiteral("Solo gare in casa"), QStringLiteral("Solo gare in trasferta"),
                      QStringLiteral("Tabellone dei risultati")});
    m_title->setObjectName(QStringLiteral("lblTitolo"));
    QFont titleFont = m_title->font();
    titleFont.setBold(true);
    titleFont.setPointSize(titleFont.pointSize() + 3);
    m_title->setFont(titleFont);
    m_reasons->setObjectName(QStringLiteral("lblMotivi"));
    m_reasons->setWordWrap(true);
    // Names are shown as typed, never read as markup.
    m_reasons->setTextFormat(Qt::PlainText);
    m_title->setTextFormat(Qt::PlainText);
    m_reasons->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_table->setObjectName(QStringLiteral("tblClassifica"));
    m_sorted->setSourceModel(m_model);
    m_sorted->setSortRole(Qt::UserRole);
    m_table->setModel(m_sorted);
    m_table->setSortingEnabled(true);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->verticalHeader()->hide();

    auto* print = new QPushButton(QStringLiteral("&Stampa"), this);
    print->setObjectName(QStringLiteral("cmdStampa"));
    auto* publish = new QPushButton(QStringLiteral("&Pubblica"), this);
    publish->setObjectName(QStringLiteral("cmdPubblica"));
    auto* close = new QPushButton(QStringLiteral("&Esci"), this);
    close->setObjectName(QStringLiteral("cmdEsci"));

    auto* choices = new QHBoxLayout;
    auto* groupLabel = new QLabel(QStringLiteral("&Girone:"), this);
    groupLabel->setBuddy(m_group);
    auto* viewLabel = new QLabel(QStringLiteral("&Vista:"), this);
    viewLabel->setBuddy(m_view);
    choices->addWidget(groupLabel);
    choices->addWidget(m_group);
    choices->addSpacing(16);
    choices->addWidget(viewLabel);
    choices->addWidget(m_view);
    choices->addStretch();
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(print);
    buttons->addWidget(publish);
    buttons->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_title);
    layout->addLayout(choices);
    layout->addWidget(m_table, 1);
    layout->addWidget(m_reasons);
    layout->addLayout(buttons);
    resize(900, 620);

    connect(m_group, &QComboBox::currentIndexChanged, this, &TfrmClassificaCompleta::showTable);
    connect(m_view, &QComboBox::currentIndexChanged, this, &TfrmClassificaCompleta::showTable);
    connect(print, &QPushButton::clicked, this, &TfrmClassificaCompleta::printStandings);
    connect(publish, &QPushButton::clicked, this, &TfrmClassificaCompleta::publishPage);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
}

QString TfrmClassificaCompleta::publishFolder(const QString& tournamentPath)
{
    return QFileInfo(tournamentPath).dir().filePath(tournamentName(tournamentPath) + QStringLiteral(" - pagina web"));
}

bool TfrmClassificaCompleta::setTournament(const QString& path)
{
    m_path = path;
    try {
        if (!matches::hasCalendar(path)) {
            platform::informationBox(QStringLiteral("Il torneo non ha un calendario: la classifica completa si calcola dai "
                                                    "risultati delle gare del calendario."),
                                     this);
            return false;
        }
        m_names = standings::entryNames(path);
        m_calendar = matches::readCalendar(path);
        m_withdrawn = withdrawal::entries(path);
    } catch (const matches::CalendarDamaged& damaged) {
        platform::errorBox(damaged.message(), this);
        return false;
    } catch (const ArchiveError& failed) {
        platform::errorBox(QStringLiteral("Impossibile leggere il torneo (%1).").arg(QString::fromLocal8Bit(failed.what())), this);
        return false;
    }
    QString error;
    standings::criteria(m_calendar.calendar.tieBreak, &error);
    if (!error.isEmpty()) {
        platform::errorBox(error, this);
        return false;
    }
    // Draws by lot are made once, the first time the standings need them, and kept.
    bool drawn = false;
    for (const QString& group : standings::standingsGroups(m_calendar.calendar)) {
        bool drawnHere = false;
        standings::settleStandings(m_calendar.calendar, m_names, group, m_withdrawn, &drawnHere);
        drawn = drawn || drawnHere;
    }
    if (drawn) {
        try {
            matches::saveCalendar(path, m_calendar);
        } catch (const ArchiveError&) {
            platform::warningBox(QStringLiteral("Il sorteggio per le squadre a pari merito non \u00E8 stato conservato: il "
                                                "calendario \u00E8 stato cambiato da un'altra postazione o non si pu\u00F2 "
                                                "scrivere. Riaprire la classifica."),
                                 this);
        }
    }
    m_title->setText(standings::CompleteStandingsName + QLatin1Char(' ') + tournamentName(path));
    const QSignalBlocker blocker(m_group);
    m_group->clear();
    for (const QString& group : standings::standingsGroups(m_calendar.calendar))
        m_group->addItem(group.isEmpty() ? QStringLiteral("(unico)") : group, group);
    m_group->setEnabled(m_group->count() > 1);
    showTable();
    return true;
}

void TfrmClassificaCompleta::showTable()
{
    const QString group = m_group->currentData().toString();
    const int view = m_view->currentIndex();
    m_model->clear();
    m_printed.clear();
    const standings::Side side = view == Home ? standings::Side::Home : view == Away ? standings::Side::Away : standings::Side::All;
    const standings::StandingsInput input = standings::standingsInput(m_calendar.calendar, m_names, group, m_withdrawn, side);
    if (view == Cross) {
        QList<int> positions;
        QStringList names;
        for (const standings::TeamInput& team : input.teams) {
            positions.append(team.position);
            names.append(team.name);
        }
        const QList<QStringList> cells = standings::crossTable(positions, input.results);
        m_model->setHorizontalHeaderLabels(QStringList{QStringLiteral("Casa \\ Ospite")} + names);
        for (qsizetype row = 0; row < cells.size(); ++row) {
            QList<QStandardItem*> items{new QStandardItem(names[row])};
            items.first()->setData(names[row], Qt::UserRole);
            for (const QString& cell : cells[row]) {
                items.append(new QStandardItem(cell));
                items.last()->setData(cell, Qt::UserRole);
            }
            m_model->appendRow(items);
            m_printed.append(names[row] + QStringLiteral(": ") + cells[row].join(QStringLiteral(" | ")));
        }
        m_reasons->clear();
        m_table->sortByColumn(-1, Qt::AscendingOrder);
        m_table->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
        m_table->resizeColumnsToContents();
        return;
    }
    const standings::StandingsTable table = standings::computeStandings(input);
    m_model->setHorizontalHeaderLabels({QStringLiteral("Pos"), QStringLiteral("Squadra"), QStringLiteral("Pt"), QStringLiteral("G"),
                                        QStringLiteral("V"), QStringLiteral("N"), QStringLiteral("P"), QStringLiteral("GF"),
                                        QStringLiteral("GS"), QStringLiteral("DR"), QStringLiteral("Pen")});
    int order = 0;
    for (const standings::StandingsRow& row : table.rows) {
        auto* place = numberItem(row.place);
        place->setData(order++, Qt::UserRole);  // the standings' own order, ties included
        auto* name = new QStandardItem(row.name + (row.playOff ? QStringLiteral(" (spareggio)") : QString()));
        name->setData(row.name.toCaseFolded(), Qt::UserRole);
        QList<QStandardItem*> items{place, name, numberItem(row.points), numberItem(row.played), numberItem(row.won),
                                    numberItem(row.drawn), numberItem(row.lost), numberItem(row.goalsFor),
                                    numberItem(row.goalsAgainst), numberItem(row.goalDifference(), standings::goalDifferenceText(row.goalDifference())),
                                    numberItem(row.deduction)};
        for (QStandardItem* item : items)
            item->setToolTip(row.reason);
        m_model->appendRow(items);
    }
    m_printed = standings::printedLines(table);
    QStringList reasons;
    for (const standings::StandingsRow& row : table.rows) {
        if (!row.reason.isEmpty())
            reasons.append(row.reason);
    }
    reasons += table.notes;
    m_reasons->setText(reasons.join(QLatin1Char('\n')));
    // Opened in the standings' order.
    m_table->sortByColumn(0, Qt::AscendingOrder);
    m_table->resizeColumnsToContents();
    m_table->horizontalHeader()->setSectionResizeMode(1, QHeaderView::Stretch);
}

void TfrmClassificaCompleta::printStandings()
{
    if (m_model->rowCount() == 0) {
        platform::warningBox(QStringLiteral("Operazione di stampa non applicabile: la classifica non contiene nessuna voce."), this);
        return;
    }
    QString title = m_title->text();
    if (m_group->count() > 1)
        title += QStringLiteral(" - girone ") + m_group->currentData().toString();
    if (m_view->currentIndex() != Overall)
        title += QStringLiteral(" - ") + m_view->currentText().toLower();
    platform::printReportingFailure({report::prepare(listSummary::make(standings::CompleteStandingsName, title, m_printed)),
                                     tournamentName(m_path) + QStringLiteral(" - ") + standings::CompleteStandingsName
                                         + QStringLiteral(".pdf")},
                                    this);
}

void TfrmClassificaCompleta::publishPage()
{
    const QString folder = publishFolder(m_path);
    if (!platform::questionBox(QStringLiteral("Si vuole pubblicare la pagina del torneo (classifica, calendario, risultati e "
                                              "marcatori) nella cartella \"%1\"?")
                                   .arg(folder),
                               this))
        return;
    QString error;
    if (!publish::publishTournament(m_path, m_calendar, m_names, folder, platform::clock().now(), &error)) {
        platform::errorBox(QStringLiteral("La pagina non \u00E8 stata pubblicata.\r\n\r\n") + error, this);
        return;
    }
    platform::informationBox(QStringLiteral("Pagina pubblicata: aprire \"index.html\" nella cartella \"%1\" o copiare "
                                            "la cartella su un sito.")
                                 .arg(folder),
                             this);
}
