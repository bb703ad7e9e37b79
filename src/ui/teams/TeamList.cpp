#include "teams/TeamList.h"

#include "app/ProgramFolder.h"
#include "common/PictureButton.h"
#include "output/PackedRows.h"
#include "teams/TeamRows.h"

#include <QShowEvent>

namespace {

constexpr QSize Area{833, 529};

}  // namespace

QString TeamList::archivePath() { return programFolder::file(programFolder::teamArchiveName); }

TeamList::TeamList(QWidget* owner, const Setup& setup, const std::function<bool(QByteArrayView record)>& accept,
                   const QString& printTitle)
    : RecordListScreen(owner, setup)
{
    // The controls stand on an area of the search's result panel size, centred on the dialog.
    auto* area = new QWidget(panel());
    area->setObjectName(QStringLiteral("panContainer"));
    area->setGeometry(QRect(QPoint((setup.panelSize.width() - Area.width()) / 2, (setup.panelSize.height() - Area.height()) / 2),
                            Area));
    layOutForOpening(area, QStringLiteral("Fare doppio clic su una voce in elenco per richiamare la scheda"));
    connect(printButton(), &PictureButton::clicked, this,
            [this, printTitle] { printRows(printTitle); });

    const auto fill = [this, accept] {
        setRows(PackedRows::read(archivePath(), formatOf<TeamRecord>(), teamRows::layout(), accept, withdrawnListing()));
    };
    onWithdrawnSwitch(fill);
    fill();
}

void TeamList::showEvent(QShowEvent* event)
{
    RecordListScreen::showEvent(event);
    if (!event->spontaneous())
        resetFind();
}
