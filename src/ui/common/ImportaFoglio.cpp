#include "common/ImportaFoglio.h"

#include "app/ProgramFolder.h"
#include "common/Dialogs.h"
#include "common/LongWork.h"
#include "common/Style.h"
#include "editor/RecordEditing.h"
#include "import/RowValues.h"
#include "import/SheetFile.h"
#include "platform/ChooserFolders.h"
#include "platform/Platform.h"
#include "storage/ArchiveError.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QDate>
#include <QDir>
#include <QFileInfo>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>

#include <memory>

using namespace Qt::StringLiterals;

namespace {

constexpr QSize ScreenSize{940, 700};
constexpr int PreviewRows = 8;

const QString leftOut = u"(non importare)"_s;

QTableWidget* grid(QWidget* parent, const QString& name, const QStringList& headers, QRect geometry)
{
    auto* table = new QTableWidget(0, int(headers.size()), parent);
    table->setObjectName(name);
    table->setHorizontalHeaderLabels(headers);
    table->setGeometry(geometry);
    style::recordGrid(table, 24);
    table->setSelectionMode(QAbstractItemView::NoSelection);
    return table;
}

QTableWidgetItem* item(const QString& text) { return new QTableWidgetItem(text); }

QLabel* caption(QWidget* parent, const QString& text, QRect geometry)
{
    QLabel* label = style::label(parent, {}, text, style::verdana(9, true), style::navy);
    label->setGeometry(geometry);
    return label;
}

}  // namespace

const QString TfrmImportaFoglio::title = u"Importa da foglio di calcolo"_s;
const QString TfrmImportaFoglio::hint = u"Importa da foglio di calcolo."_s;
const QString TfrmImportaFoglio::changedElsewhereMessage =
    u"Attenzione: un'altra postazione ha modificato una delle schede da aggiornare mentre l'importazione era in "
    u"preparazione, pertanto nessuna scheda \u00E8 stata importata.\n\r\n\rControllare il riepilogo e premere di "
    u"nuovo Importa."_s;

TfrmImportaFoglio::TfrmImportaFoglio(QWidget* owner)
    : QDialog(owner)
{
    setObjectName(u"frmImportaFoglio"_s);
    setWindowTitle(u" "_s + title);
    // On a small screen the panel scrolls, as the work screens do, and nothing is out of reach.
    auto* panel = new QWidget(this);
    panel->setObjectName(u"panContent"_s);
    panel->setFixedSize(ScreenSize);
    dialogs::makeFitting(this, panel);
    setStyleSheet(u"TfrmImportaFoglio { background-color: #F4F8FB; }"_s);

    QLabel* heading = style::label(panel, u"lblTitolo"_s, title, style::verdana(14, true), style::navy);
    heading->setGeometry(24, 14, 892, 30);
    m_lblFile = style::label(panel, u"lblFile"_s, {}, style::verdana(9), style::navy);
    m_lblFile->setGeometry(24, 46, 892, 20);

    caption(panel, u"Corrispondenza delle colonne (scegliere il campo di ogni colonna, o lasciarla fuori):"_s,
            {24, 72, 892, 20});
    m_grdColonne = grid(panel, u"grdColonne"_s, {u"Colonna del foglio"_s, u"Campo della scheda"_s, u"Prima riga"_s},
                        {24, 94, 892, 124});
    m_grdColonne->setColumnWidth(0, 250);
    m_grdColonne->setColumnWidth(1, 260);
    m_grdColonne->horizontalHeader()->setStretchLastSection(true);

    // Before the rows: what a record cannot do without, and what no column gives.
    m_lblObbligatori = style::label(panel, u"lblObbligatori"_s, {}, style::verdana(9), style::navy);
    m_lblObbligatori->setGeometry(24, 222, 892, 18);
    m_lblMancanti = style::label(panel, u"lblMancanti"_s, {}, style::verdana(9, true), style::crimson);
    m_lblMancanti->setGeometry(24, 240, 892, 18);

    caption(panel, u"Anteprima delle prime righe, come saranno registrate:"_s, {24, 260, 892, 20});
    m_grdAnteprima = grid(panel, u"grdAnteprima"_s, {}, {24, 282, 892, 142});

    m_lblDoppioni = style::label(panel, u"lblDoppioni"_s, {}, style::verdana(9, true), style::navy);
    m_lblDoppioni->setGeometry(24, 432, 892, 20);
    m_duplicates = new QButtonGroup(this);
    auto* skip = new QRadioButton(u"Salta le righe gi\u00E0 presenti in archivio"_s, panel);
    skip->setObjectName(u"optSalta"_s);
    skip->setGeometry(24, 454, 420, 22);
    skip->setChecked(true);
    auto* update = new QRadioButton(u"Aggiorna le schede gi\u00E0 presenti in archivio"_s, panel);
    update->setObjectName(u"optAggiorna"_s);
    update->setGeometry(460, 454, 456, 22);
    m_duplicates->addButton(skip, int(importPlan::Duplicates::Skip));
    m_duplicates->addButton(update, int(importPlan::Duplicates::Update));
    connect(m_duplicates, &QButtonGroup::idToggled, this, [this](int, bool checked) {
        if (checked)
            refresh();
    });

    caption(panel, u"Righe scartate e avvisi:"_s, {24, 484, 892, 20});
    m_grdSegnalazioni = grid(panel, u"grdSegnalazioni"_s, {u"Riga"_s, u"Segnalazione"_s}, {24, 506, 892, 120});
    m_grdSegnalazioni->setColumnWidth(0, 60);
    m_grdSegnalazioni->horizontalHeader()->setStretchLastSection(true);

    m_lblRiepilogo = style::label(panel, u"lblRiepilogo"_s, {}, style::verdana(9, true), style::pitchGreen);
    m_lblRiepilogo->setGeometry(24, 638, 600, 40);
    m_lblRiepilogo->setWordWrap(true);

    auto* cancel = new QPushButton(u"Annulla"_s, panel);
    cancel->setObjectName(u"btnAnnulla"_s);
    cancel->setGeometry(640, 640, 134, 34);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    m_btnImporta = new QPushButton(u"Importa"_s, panel);
    m_btnImporta->setObjectName(u"btnImporta"_s);
    m_btnImporta->setGeometry(782, 640, 134, 34);
    connect(m_btnImporta, &QPushButton::clicked, this, &TfrmImportaFoglio::btnImportaClick);
    // Enter imports (after its question), never cancels: Annulla answers Esc.
    cancel->setAutoDefault(false);
    m_btnImporta->setDefault(true);
}

qint64 TfrmImportaFoglio::run(QWidget* owner, const sheetImport::Archive& archive)
{
    const QString file = platform::fileDialogs().openFile(
        {title, chooserFolders::sheets(), {},
         {u"Fogli di calcolo (*.csv *.txt *.xlsx *.ods *.xls)"_s, u"Tutti i file (*)"_s}},
        owner);
    if (file.isEmpty())
        return 0;
    chooserFolders::sheetPicked(file);
    // A large workbook takes a while: read on a worker, the windows answering, "Annulla" offered.
    auto read = std::make_shared<sheetFile::Loaded>();
    if (!longWork::run(owner, u"Lettura del foglio di calcolo in corso..."_s, [read, file] { *read = sheetFile::read(file); }))
        return 0;
    sheetFile::Loaded loaded = std::move(*read);
    if (!loaded.failed() && loaded.sheet.rows.size() < 2)
        loaded.error = u"Il file non contiene righe oltre all'intestazione."_s;
    if (loaded.failed()) {
        platform::warningBox(u"Attenzione: il file scelto non pu\u00F2 essere importato.\r\n\r\n"_s + loaded.error, owner);
        return 0;
    }
    qint64 first = 0;
    dialogs::open<TfrmImportaFoglio>(owner, [&](TfrmImportaFoglio& dialog) {
        dialog.setSource(archive, programFolder::file(archive.fileName),
                         QFileInfo(file).fileName() + u" \u2013 "_s + sheetFile::formatName(loaded.format),
                         std::move(loaded.sheet));
        connect(&dialog, &TfrmImportaFoglio::imported, &dialog, [&first](qint64 position) { first = position; });
    });
    return first;
}

void TfrmImportaFoglio::setSource(const sheetImport::Archive& archive, const QString& archivePath, const QString& fileName,
                                  sheetImport::Sheet sheet)
{
    m_archive = &archive;
    m_archivePath = archivePath;
    m_sheet = std::move(sheet);
    m_lblFile->setText(u"File: %1, %2 righe oltre all'intestazione"_s.arg(fileName).arg(m_sheet.rows.size() - 1));
    m_lblDoppioni->setText(u"Una riga \u00E8 gi\u00E0 in archivio quando ha lo %1 di una scheda:"_s.arg(archive.keyDescription));
    m_lblObbligatori->setText(columnMatch::mandatoryLine(archive));
    buildColumns();
    refresh();
}

void TfrmImportaFoglio::buildColumns()
{
    // Every column that holds something, also one whose header is empty.
    columnMatch::Mapping matched = columnMatch::match(*m_archive, m_sheet.rows.first());
    for (const sheetImport::Row& row : std::as_const(m_sheet.rows)) {
        while (matched.size() < row.cells.size())
            matched.append(-1);
    }
    const sheetImport::Row& header = m_sheet.rows.first();
    const sheetImport::Row& first = m_sheet.rows.at(1);
    m_grdColonne->setRowCount(int(matched.size()));
    for (int column = 0; column < matched.size(); ++column) {
        const QString text = header.text(column).toString();
        const QString name = text.isEmpty() ? u"(colonna %1 senza intestazione)"_s.arg(column + 1) : text;
        m_grdColonne->setItem(column, 0, item(name));
        auto* choice = new QComboBox(m_grdColonne);
        choice->setObjectName(u"cboCampo%1"_s.arg(column + 1));
        choice->addItem(leftOut, -1);
        for (int target = 0; target < m_archive->targets.size(); ++target)
            choice->addItem(m_archive->targets.at(target).label, target);
        choice->setCurrentIndex(choice->findData(matched.at(column)));
        connect(choice, &QComboBox::currentIndexChanged, this, &TfrmImportaFoglio::refresh);
        m_grdColonne->setCellWidget(column, 1, choice);
        m_grdColonne->setItem(column, 2, item(first.text(column).toString()));
    }
}

columnMatch::Mapping TfrmImportaFoglio::mapping() const
{
    columnMatch::Mapping chosen;
    for (int column = 0; column < m_grdColonne->rowCount(); ++column)
        chosen.append(static_cast<QComboBox*>(m_grdColonne->cellWidget(column, 1))->currentData().toInt());
    return chosen;
}

void TfrmImportaFoglio::refresh()
{
    m_lblMancanti->setText(columnMatch::missingColumnsLine(*m_archive, mapping()));
    showPreview();
    m_plan = {};
    QString failure;
    if (!columnMatch::matchesAnything(mapping())) {
        failure = u"Nessuna colonna \u00E8 abbinata a un campo della scheda: scegliere il campo di almeno una colonna."_s;
    } else {
        try {
            m_plan = importPlan::analyse(*m_archive, m_sheet, mapping(),
                                         importPlan::Duplicates(m_duplicates->checkedId()), m_archivePath,
                                         platform::clock().now().date());
        } catch (...) {
            failure = recordEditing::archiveFailureMessage;
        }
    }
    showIssues();
    m_lblRiepilogo->setText(failure.isEmpty() ? importPlan::summary(m_plan, false).join(u" \u00B7 "_s) : failure);
    m_btnImporta->setEnabled(failure.isEmpty() && m_plan.writesSomething());
}

void TfrmImportaFoglio::showPreview()
{
    const columnMatch::Mapping chosen = mapping();
    QStringList fields;  // in the record's order, each once
    for (const RecordFormat::Field& field : m_archive->format.fields) {
        for (int target : chosen) {
            if (target >= 0 && m_archive->targets.at(target).field == field.name && !fields.contains(field.name))
                fields.append(field.name);
        }
    }
    QStringList headers{u"Riga"_s};
    for (const QString& field : fields)
        headers.append(sheetImport::fieldLabel(*m_archive, field));
    m_grdAnteprima->clear();
    m_grdAnteprima->setColumnCount(int(headers.size()));
    m_grdAnteprima->setHorizontalHeaderLabels(headers);
    m_grdAnteprima->setColumnWidth(0, 50);
    const int rows = int(std::min<qsizetype>(PreviewRows, m_sheet.rows.size() - 1));
    m_grdAnteprima->setRowCount(rows);
    const QDate today = platform::clock().now().date();
    for (int row = 0; row < rows; ++row) {
        const sheetImport::Row& source = m_sheet.rows.at(row + 1);
        const rowValues::Result made = rowValues::make(*m_archive, source, chosen, today);
        m_grdAnteprima->setItem(row, 0, item(QString::number(source.number)));
        for (int i = 0; i < fields.size(); ++i) {
            QTableWidgetItem* cell = item(made.value(*m_archive, fields.at(i)));
            if (!made.rejection.isEmpty())
                cell->setForeground(style::crimson);
            m_grdAnteprima->setItem(row, i + 1, cell);
        }
    }
}

void TfrmImportaFoglio::showIssues()
{
    QList<std::pair<importPlan::Issue, bool>> issues;  // rejected first within each row
    for (const importPlan::Issue& issue : m_plan.rejected)
        issues.append({issue, true});
    for (const importPlan::Issue& issue : m_plan.warnings)
        issues.append({issue, false});
    std::stable_sort(issues.begin(), issues.end(), [](const auto& a, const auto& b) { return a.first.row < b.first.row; });
    m_grdSegnalazioni->setRowCount(int(issues.size()));
    for (int i = 0; i < issues.size(); ++i) {
        const auto& [issue, rejected] = issues.at(i);
        m_grdSegnalazioni->setItem(i, 0, item(QString::number(issue.row)));
        QTableWidgetItem* text = item((rejected ? u"Scartata: "_s : u"Avviso: "_s) + issue.text);
        if (rejected)
            text->setForeground(style::crimson);
        m_grdSegnalazioni->setItem(i, 1, text);
    }
}

void TfrmImportaFoglio::btnImportaClick()
{
    const QString question = u"Si vogliono registrare in archivio le schede del foglio di calcolo?\r\n\r\n"_s
                             + importPlan::summary(m_plan, false).join(u"\r\n"_s);
    if (!platform::questionBox(question, this))
        return;
    try {
        const qint64 first = importPlan::commit(m_plan, m_archivePath, m_archive->format);
        platform::informationBox(u"Importazione completata.\r\n\r\n"_s + importPlan::summary(m_plan, true).join(u"\r\n"_s),
                                 this);
        emit imported(first);
        accept();
        return;
    } catch (const RecordChanged&) {
        platform::warningBox(changedElsewhereMessage, this);
    } catch (const ArchiveBusy& busy) {
        platform::errorBox(
            recordEditing::busyMessage(busy.station(), u"Nessuna scheda \u00E8 stata importata."_s), this);
    } catch (...) {
        platform::errorBox(recordEditing::archiveFailureMessage, this);
    }
    refresh();
}
