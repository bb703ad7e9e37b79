#include "output/ExportScreen.h"

#include "app/ProgramFolder.h"
#include "common/ButtonTable.h"
#include "common/Dialogs.h"
#include "common/HelpTopics.h"
#include "common/HintLine.h"
#include "common/PictureButton.h"
#include "common/Style.h"
#include "output/ExportGridModel.h"
#include "platform/Platform.h"
#include "platform/TMisc.h"

#include <QHeaderView>
#include <QLabel>
#include <QPainter>
#include <QShowEvent>
#include <QTableView>

using namespace Qt::StringLiterals;

namespace {

constexpr QSize ScreenSize{1000, 640};
constexpr int RowHeight = 21;
constexpr int NumberWidth = 60;

const QList<ButtonRow>& buttons()
{
    static const QList<ButtonRow> rows = {
        {u"cmdEsporta"_s, u"excel"_s, {24, 496, 48, 48}, u"Esporta l'archivio in formato Microsoft Excel."_s},
        {u"cmdGuida"_s, u"help"_s, {856, 496, 48, 48}, u"Visualizza la pagina della guida sensibile al contesto."_s},
        {u"cmdEsci"_s, u"exit"_s, {914, 496, 48, 48}, u"Esci da questo ambiente di lavoro."_s},
    };
    return rows;
}

}  // namespace

const QString ExportScreen::firstQuestion = QStringLiteral(
    "L'esportazione dei dati in Excel pu\u00F2 richiedere diversi minuti a seconda del numero di schede presenti in "
    "archivio.\r\n\r\nSi vuole esportare i dati adesso?");
const QString ExportScreen::doneQuestion = QStringLiteral(
    "Le schede in archivio sono state esportate con successo.\r\n\r\nSi vuole aprire il file di Excel?");
const QString ExportScreen::failureMessage = QStringLiteral(
    "Attenzione: il sistema non permette di esportare i dati.\n\r\n\rAccertarsi che il file di Excel non sia gi\u00E0 aperto.");

ExportScreen::ExportScreen(QWidget* owner, Setup setup)
    : QDialog(owner)
    , m_setup(std::move(setup))
    , m_model(new ExportGridModel(m_setup.sheet, m_setup.format, this))
{
    setObjectName(m_setup.objectName);
    setWindowTitle(m_setup.caption);
    dialogs::makeFixed(this, ScreenSize);

    auto* panel = new QWidget(this);
    panel->setObjectName(u"panContent"_s);
    panel->setAttribute(Qt::WA_StyledBackground);
    panel->setStyleSheet(style::panelStyleSheet);
    panel->setGeometry(12, 12, ScreenSize.width() - 24, ScreenSize.height() - 24);

    m_grid = new QTableView(panel);
    m_grid->setObjectName(u"grdRecords"_s);
    m_grid->setModel(m_model);
    m_grid->setGeometry(14, 14, panel->width() - 28, 470);
    m_grid->setAlternatingRowColors(true);
    m_grid->setStyleSheet(u"QTableView { alternate-background-color: #EEF3FA; background-color: white;"
                          " gridline-color: #C8D2DE; }"_s);
    m_grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_grid->setSelectionMode(QAbstractItemView::SingleSelection);
    m_grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_grid->setWordWrap(false);
    m_grid->verticalHeader()->hide();
    m_grid->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_grid->verticalHeader()->setDefaultSectionSize(RowHeight);
    m_grid->horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    m_grid->horizontalHeader()->setHighlightSections(false);
    m_grid->horizontalHeader()->setFont(style::arial(9, true));
    m_grid->setFont(style::arial(9));
    m_grid->setColumnWidth(0, NumberWidth);
    for (int i = 0; i < m_setup.sheet.columns.size(); ++i)
        m_grid->setColumnWidth(i + 1, m_setup.sheet.columns.at(i).gridWidth);

    const QList<PictureButton*> pictures = buttonTable::create(panel, buttons());
    connect(pictures.at(0), &PictureButton::clicked, this, &ExportScreen::cmdEsportaClick);
    connect(pictures.at(1), &PictureButton::clicked, this, [this] { help::show(this, m_setup.helpTopic); });
    connect(pictures.at(2), &PictureButton::clicked, this, &QDialog::close);

    m_panInfo = new QLabel(u"Esportazione archivio in Microsoft Excel."_s, panel);
    m_panInfo->setObjectName(u"panInfo"_s);
    m_panInfo->setFont(style::tahoma(12));
    m_panInfo->setStyleSheet(u"background-color: %1; color: white; border-radius: 8px; padding-left: 14px;"_s
                                 .arg(style::navy.name()));
    m_panInfo->setGeometry(14, 558, panel->width() - 28, 40);
    hintLine::install(m_panInfo, pictures, {this, panel, m_grid->viewport()});
}

qsizetype ExportScreen::rowCount() const { return m_model->rowCount(); }

QString ExportScreen::exportPath() const { return programFolder::file(m_setup.sheet.fileName); }

void ExportScreen::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (!event->spontaneous())
        fill();
}

// An archive that cannot be opened is not reported here: the grid stays empty, and the export
// reports its failure.
void ExportScreen::fill()
{
    m_model->setArchive(m_setup.archivePath());
}

void ExportScreen::cmdEsportaClick()
{
    if (!platform::questionBox(firstQuestion, this))
        return;
    const QString path = exportPath();
    if (!spreadsheet::write(path, m_setup.sheet, m_setup.archivePath(), m_setup.format)) {
        platform::plainBox(failureMessage, this);
        return;
    }
    if (platform::questionBox(doneQuestion, this))
        TMisc::Open(QLatin1Char('"') + path + QLatin1Char('"'));
}

void ExportScreen::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    style::paintBackground(painter, rect());
}
