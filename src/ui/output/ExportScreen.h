#pragma once

#include "output/Spreadsheet.h"
#include "storage/RecordValues.h"

#include <QDialog>

#include <functional>

class QLabel;
class QTableView;
class ExportGridModel;

// What the three archive exports share: the archive in a grid, "Esporta" (the .xls) and "Esporta in
// formato Excel (.xlsx)" with their two questions, the failure message and the opening of the
// written file, help and close, and the hint line.
// Each export gives only its sheet (columns, sheet name, file name), its caption and its help.
class ExportScreen : public QDialog {
    Q_OBJECT
public:
    struct Setup {
        QString objectName;
        QString caption;
        spreadsheet::Sheet sheet;
        RecordFormat format;
        std::function<QString()> archivePath;
        QString helpTopic;
    };

    // The grid's rows: one per record of the archive, as the export writes them.
    qsizetype rowCount() const;

    // The export's file in the program folder.
    QString exportPath() const;
    // The same export as a workbook ("Archivio_Squadre.xlsx"), beside it.
    QString workbookPath() const;

    static const QString firstQuestion;
    // Asked once the file at `path` is written: it names the file whole, on a line of its own.
    static QString doneQuestion(const QString& path);
    static const QString failureMessage;

protected:
    ExportScreen(QWidget* owner, Setup setup);

    void showEvent(QShowEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void fill();
    // The two questions around `write`, the failure message and the opening of the file.
    void exportTo(const QString& path, const std::function<bool(const QString& path)>& write);

    Setup m_setup;
    ExportGridModel* m_model;
    QTableView* m_grid;
    QLabel* m_panInfo;
};
