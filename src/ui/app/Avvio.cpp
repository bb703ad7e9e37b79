#include "app/Avvio.h"

#include "app/Info.h"
#include "app/Product.h"
#include "app/ProgramFolder.h"
#include "app/Splash.h"
#include "app/Startup.h"
#include "common/Dialogs.h"
#include "common/HelpTopics.h"
#include "common/Navigator.h"
#include "common/PictureButton.h"
#include "common/Style.h"
#include "platform/Platform.h"
#include "platform/TMisc.h"
#include "players/Giocatori.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QShowEvent>
#include <QThread>

#include <memory>

namespace {

QPushButton* deadlineLink(const QString& name, QWidget* parent)
{
    auto* link = new QPushButton(parent);
    link->setObjectName(name);
    link->setFlat(true);
    link->setCursor(Qt::PointingHandCursor);
    QFont font = style::verdana(10, true);
    font.setUnderline(true);
    link->setFont(font);
    QPalette colours = link->palette();
    colours.setColor(QPalette::ButtonText, style::crimson);
    link->setPalette(colours);
    return link;
}

}  // namespace

TfrmAvvio::TfrmAvvio(Navigator& navigator)
    : WorkScreen(navigator, QStringLiteral("frmAvvio"), QStringLiteral(" Golvera"))
    , m_deadlines(new QWidget(content()))
    , m_cards(deadlineLink(QStringLiteral("btnScadTessere"), m_deadlines))
    , m_certificates(deadlineLink(QStringLiteral("btnScadCertificati"), m_deadlines))
{
    QWidget* panel = content();

    (new Picture(QStringLiteral("imgPallone"), QStringLiteral("football"), panel))->move(150, 18);
    (new Picture(QStringLiteral("imgTitolo"), QStringLiteral("title"), panel))->move(237, 12);
    (new Picture(QStringLiteral("imgSottotitolo"), QStringLiteral("subtitle"), panel))->move(237, 94);

    // The four areas, two by two: each a large picture with a caption picture below it.
    const struct {
        Screen screen;
        const char* number;
        const char* picture;
        int x;
        int y;
    } areas[] = {
        {Screen::TeamsMenu, "01", "squadre", 157, 146},
        {Screen::CreateTournament, "02", "crea_torneo", 537, 146},
        {Screen::OpenTournament, "03", "apri_torneo", 157, 394},
        {Screen::StandingsChooser, "04", "classifiche", 537, 394},
    };
    for (const auto& area : areas) {
        const QString number = QString::fromLatin1(area.number);
        const QString picture = QString::fromLatin1(area.picture);
        auto* tile = new PictureButton(QStringLiteral("imgApp") + number, QStringLiteral("tile_") + picture, panel);
        tile->move(area.x, area.y);
        auto* caption = new PictureButton(QStringLiteral("btnApp") + number, QStringLiteral("caption_") + picture, panel);
        caption->move(area.x, area.y + 176);
        for (PictureButton* button : {tile, caption})
            connect(button, &PictureButton::clicked, this, [this, screen = area.screen] { this->navigator().go(screen, this); });
        m_areas.append({area.screen, tile, caption});
    }

    auto* info = new PictureButton(QStringLiteral("imgInfo"), QStringLiteral("info"), panel);
    info->move(16, 16);
    connect(info, &PictureButton::clicked, this, [this] { dialogs::open<TfrmInfo>(this); });

    auto* guide = new PictureButton(QStringLiteral("imgGuida"), QStringLiteral("help"), panel);
    guide->move(WorkScreen::panelSize.width() - 72, 16);
    connect(guide, &PictureButton::clicked, this, [this] { help::show(this, QStringLiteral("avvio")); });

    auto* copyright = new PictureButton(QStringLiteral("imgCopyright"), QStringLiteral("copyright"), panel);
    copyright->move(16, WorkScreen::panelSize.height() - 72);
    connect(copyright, &PictureButton::clicked, this, [this] { dialogs::open<TfrmSplash>(this); });

    auto* site = new PictureButton(QStringLiteral("icoSito"), QStringLiteral("web_strip"), panel);
    site->move((WorkScreen::panelSize.width() - site->width()) / 2, WorkScreen::panelSize.height() - 56);
    connect(site, &PictureButton::clicked, this, [] { TMisc::Open(product::makerWebAddress); });

    auto* exit = new PictureButton(QStringLiteral("imgEsci"), QStringLiteral("exit"), panel);
    exit->move(WorkScreen::panelSize.width() - 72, WorkScreen::panelSize.height() - 72);
    connect(exit, &PictureButton::clicked, this, &QWidget::close);

    // Between the subtitle and the tiles.
    m_deadlines->setObjectName(QStringLiteral("panScadenze"));
    auto* row = new QHBoxLayout(m_deadlines);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(4);
    row->addWidget(style::label(m_deadlines, QStringLiteral("lblScadenze"),
                                QStringLiteral("Scadenze entro %1 giorni:").arg(deadlines::horizonDays),
                                style::verdana(10, true), style::navy));
    row->addWidget(m_cards);
    row->addWidget(m_certificates);
    m_deadlines->hide();
    connect(m_cards, &QPushButton::clicked, this, [this] { openExpiryList(expiryList::Kind::Cards); });
    connect(m_certificates, &QPushButton::clicked, this, [this] { openExpiryList(expiryList::Kind::Certificates); });

    // The status line, between the lower captions and the web strip: what went wrong out of sight
    // (the automatic backup).
    auto* status = style::label(panel, QStringLiteral("lblStato"), QString(), style::verdana(9, true), QColor(0xA0, 0x1C, 0x1C));
    status->setAlignment(Qt::AlignCenter);
    status->setTextFormat(Qt::PlainText);
    status->setGeometry(16, WorkScreen::panelSize.height() - 82, WorkScreen::panelSize.width() - 32, 24);
    status->hide();
    startup::onBackupFailure(status, [status](const QString& message) {
        status->setText(message);
        status->show();
    });
}

TfrmAvvio::~TfrmAvvio()
{
    if (m_counting) {
        m_counting->wait();
        delete m_counting;
    }
}

void TfrmAvvio::showEvent(QShowEvent* event)
{
    // An area whose screens are not part of this build stays visible but cannot be entered.
    for (const Area& area : m_areas) {
        const bool available = navigator().has(area.screen);
        area.tile->setEnabled(available);
        area.caption->setEnabled(available);
    }
    WorkScreen::showEvent(event);
    if (!event->spontaneous())
        countDeadlines();
}

void TfrmAvvio::countDeadlines()
{
    if (m_counting || !navigator().has(Screen::PlayerArchive))
        return;
    auto counts = std::make_shared<deadlines::Counts>();
    m_counting = QThread::create([counts, path = programFolder::file(programFolder::playerArchiveName),
                                  today = platform::clock().now().date()] { *counts = deadlines::count(path, today); });
    // Queued to this screen: the thread ends before the screen goes, see the destructor.
    connect(m_counting, &QThread::finished, this, [this, counts] {
        m_counting->deleteLater();
        m_counting = nullptr;
        showDeadlines(*counts);
    });
    m_counting->start();
}

void TfrmAvvio::showDeadlines(const deadlines::Counts& counts)
{
    const struct {
        QPushButton* link;
        expiryList::Kind kind;
        const deadlines::Count& count;
    } links[] = {{m_cards, expiryList::Kind::Cards, counts.cards},
                 {m_certificates, expiryList::Kind::Certificates, counts.certificates}};
    for (const auto& link : links) {
        link.link->setText(deadlines::text(link.kind, link.count));
        link.link->setVisible(link.count.total() > 0);
    }
    m_deadlines->setVisible(counts.cards.total() + counts.certificates.total() > 0);
    m_deadlines->adjustSize();
    m_deadlines->move((WorkScreen::panelSize.width() - m_deadlines->width()) / 2, 116);
}

void TfrmAvvio::openExpiryList(expiryList::Kind kind)
{
    auto* players = qobject_cast<TfrmGiocatori*>(navigator().screen(Screen::PlayerArchive));
    if (!players)
        return;
    navigator().go(Screen::PlayerArchive, this);
    players->openExpiryList(kind, deadlines::horizonDays);
}

void TfrmAvvio::leave()
{
    Q_EMIT quitRequested();
}
