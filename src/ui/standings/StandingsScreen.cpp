#include "standings/StandingsScreen.h"

#include "common/HelpTopics.h"
#include "common/PictureButton.h"
#include "common/Style.h"
#include "editor/RecordEditing.h"
#include "output/RecordTable.h"
#include "platform/Platform.h"
#include "standings/StandingsTable.h"
#include "storage/TournamentRecord.h"

#include <QCheckBox>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QThread>
#include <QTimer>

#include <exception>

namespace {

constexpr QSize PanelSize{995, 692};
// A reading shorter than this shows no progress.
constexpr int ProgressDelayMs = 500;
constexpr int ProgressEveryMs = 100;

RecordListScreen::Setup setupFor(standings::Kind kind, const QString& objectName, const QString& caption)
{
    return {kind == standings::Kind::Merit ? ListKind::MeritStandings : ListKind::AlphabeticalStandings, objectName,
            caption, PanelSize, true, QStringLiteral("pulsante_stampa_classifica")};
}


}  // namespace

StandingsScreen::StandingsScreen(QWidget* owner, standings::Kind kind, const QString& objectName, const QString& caption)
    : RecordListScreen(owner, setupFor(kind, objectName, caption))
    , m_kind(kind)
{
    QWidget* area = panel();

    m_title = style::label(area, QStringLiteral("titClassifica"), QString(), style::verdana(18, true), style::navy);
    m_title->setGeometry(24, 20, 880, 44);

    auto* guide = new PictureButton(QStringLiteral("imgGuida"), QStringLiteral("help"), area);
    guide->move(PanelSize.width() - 72, 14);
    connect(guide, &PictureButton::clicked, this, [this] { help::show(this, QStringLiteral("classifiche")); });

    findField()->setGeometry(24, 84, 380, 34);
    findField()->setPlaceholderText(QStringLiteral("Testo da cercare"));
    findButton()->move(416, 78);
    withdrawnSwitch()->move(644, 88);
    onWithdrawnSwitch([this] { fill(m_tournament); });

    list()->setGeometry(24, 136, PanelSize.width() - 48, 466);

    style::label(area, QStringLiteral("lblTotale"), QStringLiteral("Totale squadre:"), style::verdana(14, true), style::navy)
        ->setGeometry(24, 624, 180, 36);
    m_total = style::label(area, QStringLiteral("lblTotConcorrenti"), QStringLiteral("0"), style::verdana(14, true), style::pitchGreen);
    m_total->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_total->setGeometry(204, 624, 90, 36);

    auto* exit = new PictureButton(QStringLiteral("btnEsci"), QStringLiteral("pulsante_esci"), area);
    exit->move(PanelSize.width() - 24 - exit->width(), 620);
    connect(exit, &PictureButton::clicked, this, &QDialog::close);

    printButton()->move(exit->x() - 16 - printButton()->width(), 620);
    connect(printButton(), &PictureButton::clicked, this, &StandingsScreen::printStandings);

    m_progress = style::label(area, QStringLiteral("lblLettura"), QString(), style::verdana(12, true), style::navy);
    m_progress->setGeometry(list()->x() + 12, list()->y() + 12, list()->width() - 24, 30);
    m_progress->hide();
    m_progressTimer = new QTimer(this);
    connect(m_progressTimer, &QTimer::timeout, this, &StandingsScreen::showProgress);
}

StandingsScreen::~StandingsScreen()
{
    stopReading();
}

void StandingsScreen::setTitle(const QString& title)
{
    m_title->setText(title);
}

void StandingsScreen::fill(const QString& path, std::function<void()> then)
{
    stopReading();
    setRows(QList<ListRow>());
    m_entriesInFile = QFileInfo(path).size() / TournamentRecord::Size;
    auto progress = std::make_shared<standings::Progress>();
    auto table = std::make_shared<std::shared_ptr<standings::Table>>();
    m_readingProgress = progress;
    m_reading = QThread::create([kind = m_kind, path, progress, table, withdrawn = withdrawnListing()] {
        try {
            *table = std::make_shared<standings::Table>(standings::Table::load(kind, path, progress.get(), withdrawn));
        } catch (const std::exception&) {
            // Out of memory for the order: shown as a failed reading.
        }
    });
    m_reading->setParent(this);
    // Queued to this screen: a screen gone before the end never hears of it.
    connect(m_reading, &QThread::finished, this, [this, reading = m_reading, table, then = std::move(then)] {
        reading->deleteLater();
        if (reading != m_reading)
            return;
        m_reading = nullptr;
        m_progressTimer->stop();
        m_progress->hide();
        const std::shared_ptr<standings::Table> read = *table;
        const bool failed = !read || read->failed();
        m_total->setText(QString::number(failed ? 0 : read->count()));
        setRows(std::shared_ptr<const RowSource>(read));
        // An empty list alone would say the tournament has no teams.
        if (failed)
            platform::errorBox(recordEditing::archiveFailureMessage, this);
        if (then)
            then();
    });
    m_progressTimer->start(ProgressDelayMs);
    m_reading->start();
}

void StandingsScreen::showProgress()
{
    m_progressTimer->setInterval(ProgressEveryMs);
    const qint64 read = m_readingProgress ? m_readingProgress->entriesRead.load() : 0;
    const qint64 percent = m_entriesInFile > 0 ? qMin<qint64>(100, read * 100 / m_entriesInFile) : 0;
    m_progress->setText(QStringLiteral("Lettura del torneo in corso: %1%. Premere Esci per annullare.").arg(percent));
    m_progress->show();
    m_progress->raise();
}

void StandingsScreen::stopReading()
{
    m_progressTimer->stop();
    m_progress->hide();
    if (!m_reading)
        return;
    // The reading stops at its next record; its result is dropped.
    m_readingProgress->cancelled = true;
    QThread* reading = m_reading;
    m_reading = nullptr;
    reading->wait();
}

void StandingsScreen::done(int result)
{
    stopReading();
    RecordListScreen::done(result);
}

void StandingsScreen::printStandings()
{
    if (rowCount() == 0) {
        platform::warningBox(QStringLiteral("Operazione di stampa non applicabile: la classifica non contiene nessuna voce."), this);
        return;
    }
    if (!platform::questionBox(QStringLiteral("Si vuole stampare la presente classifica?"), this))
        return;
    print(standings::document(m_kind, m_title->text(), rows()), standings::pdfFileName(m_kind, m_tournament));
}
