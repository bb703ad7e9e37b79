#include "standings/StandingsScreen.h"

#include "common/HelpTopics.h"
#include "common/PictureButton.h"
#include "common/Style.h"
#include "editor/RecordEditing.h"
#include "platform/Platform.h"

#include <QLabel>
#include <QLineEdit>
#include <QListView>

namespace {

constexpr QSize PanelSize{995, 692};

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
}

void StandingsScreen::setTitle(const QString& title)
{
    m_title->setText(title);
}

void StandingsScreen::showStandings(const standings::List& list)
{
    setRows(list.rows);
    m_total->setText(QString::number(list.failed() ? 0 : list.rows.size()));
    // An empty list alone would say the tournament has no teams.
    if (list.failed())
        platform::errorBox(recordEditing::archiveFailureMessage, this);
}

void StandingsScreen::printStandings()
{
    if (rows().isEmpty()) {
        platform::warningBox(QStringLiteral("Operazione di stampa non applicabile: la classifica non contiene nessuna voce."), this);
        return;
    }
    if (!platform::questionBox(QStringLiteral("Si vuole stampare la presente classifica?"), this))
        return;
    print(standings::document(m_kind, m_title->text(), rows()), standings::pdfFileName(m_kind, m_tournament));
}
