#include "output/ExportScreen.h"

#include "app/ProgramFolder.h"
#include "common/ButtonTable.h"
#include "common/Dialogs.h"
#include "common/HelpTopics.h"
#include "common/HintLine.h"
#include "common/PictureButton.h"
#include "common/Style.h"
#include "output/ExportGridModel.h"
#include "output/Workbook.h"
#include "platform/Platform.h"
#include "platform/TMisc.h"

#include <QDir>
#include <QLabel>
#include <QPainter>
#include <QShowEvent>
#include <QTableView>

using namespace Qt::StringLiterals;

namespace {

// A fixed light grey dialog; in its panel a white band with a picture and the buttons, the grid,
// and the slate-blue hint line at the foot.
constexpr QSize ScreenSize{862, 560};
constexpr QRect PanelGeometry{12, 13, 837, 533};
constexpr QRect BandGeometry{0, 0, 837, 64};
constexpr QRect GridGeometry{8, 72, 821, 409};
constexpr QRect HintGeometry{8, 489, 821, 36};
const QColor background = QColor::fromRgba(0xFFEEEDED);
const QColor slateBlue{0x6A, 0x5A, 0xCD};
constexpr int RowHeight = 21;
constexpr int NumberWidth = 60;

// In the white band, where the hand points.
const QRect exportButton{296, 8, 48, 48};

// The workbook export stands just right of the export, wherever that is.
QRect besideExport() { return exportButton.translated(exportButton.width() + 10, 0); }

const QList<ButtonRow>& buttons()
{
    static const QList<ButtonRow> rows = {
        {u"cmdEsporta"_s, u"excel"_s, exportButton, u"Esporta l'archivio in formato Microsoft Excel."_s},
        {u"cmdGuida"_s, u"help"_s, {718, 8, 48, 48}, u"Visualizza la pagina della guida sensibile al contesto."_s},
        {u"cmdEsci"_s, u"exit"_s, {776, 8, 48, 48}, u"Esci da questo ambiente di lavoro."_s},
        {u"cmdEsportaXlsx"_s, u"excel_xlsx"_s, besideExport(), u"Esporta in formato Excel (.xlsx)"_s},
    };
    return rows;
}

}  // namespace

const QString ExportScreen::firstQuestion = QStringLiteral(
    "L'esportazione dei dati in Excel pu\u00F2 richiedere diversi minuti a seconda del numero di schede presenti in "
    "archivio.\r\n\r\nSi vuole esportare i dati adesso?");
QString ExportScreen::doneQuestion(const QString& path)
{
    return QStringLiteral("Le schede in archivio sono state esportate con successo nel file:\r\n%1\r\n\r\n"
                          "Si vuole aprire il file di Excel?")
        .arg(QDir::toNativeSeparators(path));
}
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
    panel->setGeometry(PanelGeometry);

    auto* band = new QWidget(panel);
    band->setObjectName(u"panBanda"_s);
    band->setAttribute(Qt::WA_StyledBackground);
    band->setStyleSheet(u"#panBanda { background-color: white; border: 1px solid #C8C8C8; border-radius: 6px; }"_s);
    band->setGeometry(BandGeometry);
    auto* picture = new Picture(u"imgEsporta"_s, u"esporta_banner"_s, band);
    picture->setGeometry(10, 4, 220, 56);
    auto* hand = new Picture(u"imgMano"_s, u"mano"_s, band);
    hand->setGeometry(242, 8, 48, 48);

    m_grid = new QTableView(panel);
    m_grid->setObjectName(u"grdRecords"_s);
    m_grid->setModel(m_model);
    m_grid->setGeometry(GridGeometry);
    style::recordGrid(m_grid, RowHeight);
    m_grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_grid->setSelectionMode(QAbstractItemView::SingleSelection);
    m_grid->setColumnWidth(0, NumberWidth);
    for (int i = 0; i < m_setup.sheet.columns.size(); ++i)
        m_grid->setColumnWidth(i + 1, m_setup.sheet.columns.at(i).gridWidth);

    const QList<PictureButton*> pictures = buttonTable::create(panel, buttons());
    connect(pictures.at(0), &PictureButton::clicked, this, [this] {
        // Streamed from the archive: the grid holds only the rows it has drawn.
        exportTo(exportPath(), [this](const QString& path) {
            return spreadsheet::write(path, m_setup.sheet, m_setup.archivePath(), m_setup.format);
        });
    });
    connect(pictures.at(3), &PictureButton::clicked, this, [this] {
        exportTo(workbookPath(), [this](const QString& path) {
            // The grid's columns, and the fields only the workbook carries read with them.
            const spreadsheet::Sheet whole = workbook::sheetOf(m_setup.sheet);
            return workbook::write(path, whole, spreadsheet::read(m_setup.archivePath(), m_setup.format, whole));
        });
    });
    connect(pictures.at(1), &PictureButton::clicked, this, [this] { help::show(this, m_setup.helpTopic); });
    connect(pictures.at(2), &PictureButton::clicked, this, &QDialog::close);

    m_panInfo = new QLabel(u"Esportazione archivio in Microsoft Excel."_s, panel);
    m_panInfo->setObjectName(u"panInfo"_s);
    m_panInfo->setFont(style::tahoma(12));
    m_panInfo->setStyleSheet(u"background-color: %1; color: white; border-radius: 6px; padding-left: 12px;"_s
                                 .arg(slateBlue.name()));
    m_panInfo->setGeometry(HintGeometry);
    hintLine::install(m_panInfo, pictures, {this, panel, band, picture, hand, m_grid->viewport()});
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

QString ExportScreen::workbookPath() const { return programFolder::file(workbook::fileName(m_setup.sheet)); }

void ExportScreen::exportTo(const QString& path, const std::function<bool(const QString&)>& write)
{
    if (!platform::questionBox(firstQuestion, this))
        return;
    if (!write(path)) {
        platform::plainBox(failureMessage, this);
        return;
    }
    if (platform::questionBox(doneQuestion(path), this))
        TMisc::Open(QLatin1Char('"') + path + QLatin1Char('"'));
}

void ExportScreen::paintEvent(QPaintEvent*)
{
    QPainter(this).fillRect(rect(), background);
}
