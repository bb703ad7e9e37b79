#include "app/Avvio.h"

#include "app/Info.h"
#include "app/Product.h"
#include "app/Splash.h"
#include "common/Dialogs.h"
#include "common/HelpTopics.h"
#include "common/Navigator.h"
#include "common/PictureButton.h"
#include "platform/TMisc.h"

TfrmAvvio::TfrmAvvio(Navigator& navigator)
    : WorkScreen(navigator, QStringLiteral("frmAvvio"), QStringLiteral(" Golvera"))
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
}

void TfrmAvvio::leave()
{
    Q_EMIT quitRequested();
}
