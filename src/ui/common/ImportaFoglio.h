#pragma once

#include "import/ColumnMatch.h"
#include "import/ImportPlan.h"
#include "import/ImportTarget.h"
#include "import/Sheet.h"

#include <QDialog>

class QButtonGroup;
class QLabel;
class QPushButton;
class QTableWidget;

// "Importa da foglio di calcolo": a season's teams or players from a spreadsheet into their
// archive. Shows which field each column fills (a choice per column, to change it or leave the
// column out), the first rows as they will be stored, the rejected rows and the warnings with
// their row numbers, and whether rows already in the archive are skipped or update it; nothing
// is written until the user confirms, and then all in one locked write.
class TfrmImportaFoglio : public QDialog {
    Q_OBJECT
public:
    explicit TfrmImportaFoglio(QWidget* owner);

    // Asks for the file, reads it and opens the dialog on it for the archive in the program folder.
    // Returns the position of the first record written (the first added, or the first updated), 0
    // when nothing was written.
    static qint64 run(QWidget* owner, const sheetImport::Archive& archive);

    // The archive to fill and the spreadsheet read from `fileName` (its first row is the header).
    void setSource(const sheetImport::Archive& archive, const QString& archivePath, const QString& fileName,
                   sheetImport::Sheet sheet);

    static const QString title;
    static const QString hint;  // of the editors' command
    static const QString changedElsewhereMessage;

signals:
    void imported(qint64 firstPosition);

private:
    void buildColumns();
    void refresh();
    void showPreview();
    void showIssues();
    void btnImportaClick();
    columnMatch::Mapping mapping() const;

    const sheetImport::Archive* m_archive = nullptr;
    QString m_archivePath;
    sheetImport::Sheet m_sheet;
    importPlan::Plan m_plan;

    QLabel* m_lblFile;
    QTableWidget* m_grdColonne;
    QLabel* m_lblObbligatori;
    QLabel* m_lblMancanti;
    QTableWidget* m_grdAnteprima;
    QLabel* m_lblDoppioni;
    QButtonGroup* m_duplicates;
    QTableWidget* m_grdSegnalazioni;
    QLabel* m_lblRiepilogo;
    QPushButton* m_btnImporta;
};
