#include "players/Scadute.h"

#include "app/ProgramFolder.h"
#include "common/FocusHighlight.h"
#include "common/PictureButton.h"
#include "common/Style.h"
#include "platform/Platform.h"
#include "players/ExpiryRows.h"

#include <QLabel>
#include <QShowEvent>
#include <QSpinBox>

using namespace Qt::StringLiterals;

namespace {

constexpr QSize PanelSize{833, 529};

}  // namespace

ExpiryListScreen::ExpiryListScreen(QWidget* owner, const Kind& kind)
    : RecordListScreen(owner, {kind.list, kind.objectName, kind.caption, PanelSize, false, u"pulsante_stampa"_s})
    , m_tested(kind.tested)
    , m_horizon(new QSpinBox(panel()))
    , m_count(style::label(panel(), u"lblConteggio"_s, QString(), style::verdana(10, true), style::navy))
    , m_unreadable(style::label(panel(), u"lblEsclusi"_s, QString(), style::verdana(9, true), style::crimson))
{
    layOutForOpening(panel(), u"Fare doppio clic su una voce in elenco per richiamare la scheda"_s);
    connect(printButton(), &PictureButton::clicked, this,
            [this] { printRows(expiryList::printTitle(m_tested, horizon()), {m_count->text(), m_unreadable->text()}); });

    // Under the list, where the searches show their count: how many days ahead also count.
    constexpr int line = 372;
    QLabel* before = style::label(panel(), u"lblEntro"_s, u"Elenca anche le schede in scadenza entro"_s,
                                  style::verdana(10, true), style::navy);
    before->setGeometry(16, line, 316, 30);
    m_horizon->setObjectName(u"spnEntro"_s);
    m_horizon->setFont(style::verdana(11, true));
    m_horizon->setRange(0, 3650);
    m_horizon->setAlignment(Qt::AlignCenter);
    m_horizon->setGeometry(336, line, 72, 30);
    // A number typed digit by digit fills the list once, when it is complete.
    m_horizon->setKeyboardTracking(false);
    style::label(panel(), u"lblGiorni"_s, u"giorni"_s, style::verdana(10, true), style::navy)->setGeometry(416, line, 60, 30);
    connect(m_horizon, &QSpinBox::valueChanged, this, &ExpiryListScreen::fill);
    onWithdrawnSwitch([this] { fill(); });
    focusHighlight::selectAllOnFocus(m_horizon);

    m_count->setGeometry(16, line + 34, 801, 24);
    m_unreadable->setWordWrap(true);
    m_unreadable->setGeometry(16, line + 60, 801, 34);
}

int ExpiryListScreen::horizon() const { return m_horizon->value(); }

void ExpiryListScreen::setHorizon(int days)
{
    // Before the screen opens: the opening fills the list, once.
    const QSignalBlocker quiet(m_horizon);
    m_horizon->setValue(days);
}

void ExpiryListScreen::showEvent(QShowEvent* event)
{
    RecordListScreen::showEvent(event);
    if (event->spontaneous())
        return;
    fill();
    resetFind();
}

void ExpiryListScreen::fill()
{
    std::shared_ptr<ExpiryRows> rows = ExpiryRows::read(programFolder::file(programFolder::playerArchiveName), m_tested,
                                                         platform::clock().now().date(), horizon(), withdrawnListing());
    m_count->setText(rows->countLine());
    m_unreadable->setText(rows->unreadableLine());
    setRows(std::move(rows));
    selectRow(0);
}

TfrmTessereScadute::TfrmTessereScadute(QWidget* owner)
    : ExpiryListScreen(owner, {ListKind::ExpiredCards, u"frmTessereScadute"_s, u" Riepilogo tessere scadute"_s,
                               expiryList::Kind::Cards})
{
}

TfrmCertificatiScaduti::TfrmCertificatiScaduti(QWidget* owner)
    : ExpiryListScreen(owner, {ListKind::ExpiredCertificates, u"frmCertificatiScaduti"_s,
                               u" Riepilogo certificati medici scaduti"_s, expiryList::Kind::Certificates})
{
}
