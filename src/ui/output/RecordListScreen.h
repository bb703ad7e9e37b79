#pragma once

#include "output/ListRows.h"
#include "output/Report.h"
#include "output/RowSource.h"
#include "withdrawal/WithdrawalMarks.h"

#include <QDialog>

#include <functional>

#include <memory>

class PictureButton;
class QCheckBox;
class QLineEdit;
class RecordListModel;
class RecordTable;

// The record list screens; each kind remembers its own last find text for the whole run.
enum class ListKind {
    TournamentSearch,
    PendingEntries,
    TeamSearch,
    SelectedTeams,
    TeamImport,
    PlayerSearch,
    ExpiredCards,
    ExpiredCertificates,
    AlphabeticalStandings,
    MeritStandings,
};

// What every record list screen shares: the rows in a table of their columns that sorts by a
// click on a heading, "Trova" with its find field, printing the rows as the list summary, and a
// double-click (or Enter) that hands over the position of the row's record. A screen places these
// controls on its panel and fills the rows from its archive. Find, print and the rows given out
// follow the order shown.
class RecordListScreen : public QDialog {
    Q_OBJECT
public:
    struct Setup {
        ListKind kind;
        QString objectName;
        QString caption;
        QSize panelSize;
        // Maximised with the normal frame (the standings) or a fixed dialog of the panel's size.
        bool maximised = false;
        QString printPicture;  // the print button's picture
    };

    // Every row with its text, made now; the list itself makes a text only when it is drawn.
    QList<ListRow> rows() const;
    qsizetype rowCount() const;
    int selectedRow() const;

    // The kind's remembered find text, folded as the find compares it.
    static QString rememberedSearch(ListKind kind);

    // An editor that opens the rows' records: `open` shows the record at a position and returns
    // false when the user chose to stay on the record the editor had (Annulla to the question
    // about its changes); the list then stays open.
    void openWith(std::function<bool(qint64 position)> open) { m_open = std::move(open); }

Q_SIGNALS:
    // A row was double-clicked: the position of its record. The screen closes right after,
    // unless the editor given to openWith() kept its record.
    void recordOpened(qint64 position);

protected:
    RecordListScreen(QWidget* owner, const Setup& setup);

    QWidget* panel() const { return m_panel; }
    RecordTable* list() const { return m_list; }
    QLineEdit* findField() const { return m_findField; }
    PictureButton* findButton() const { return m_findButton; }
    PictureButton* printButton() const { return m_printButton; }

    void setRows(QList<ListRow> rows);
    void setRows(std::shared_ptr<const RowSource> rows);

    // The switch "Mostra anche i ritirati" (chkRitirati), off at every opening: while it is on the
    // list shows the withdrawn records too, marked. A screen places it on its panel and says how
    // it reads its rows again when the switch changes.
    QCheckBox* withdrawnSwitch() const { return m_withdrawnSwitch; }
    withdrawal::Listing withdrawnListing() const;
    void onWithdrawnSwitch(std::function<void()> refill);
    void selectRow(int row);

    // What a list does when it opens: the first row selected, the find field and the kind's
    // remembered text emptied, the keyboard focus in the find field.
    void resetFind();

    // Prints the rows as the list summary with `title`, each with its mark's word where the list
    // marks rows, and `closing` (count lines) after them.
    void printRows(const QString& title, const QStringList& closing = {});
    // Lays the report out and sends it to the print output; `fileName` is the PDF file name the
    // print dialog suggests (empty: the document's title).
    void print(const report::Report& document, const QString& fileName = QString());

    // Screens that lead to an editor: double-click, or Enter in the list, opens the row's record;
    // Enter in the find field moves to the find button.
    void enableRecordOpening();
    void enableEnterToFind();

    // The screens that lead to an editor, on `parent` (already of its final size): the find field
    // and button, the list, `openHint` under it, "Chiudi" and the print button at the foot. Opens
    // records and moves Enter to the find button.
    void layOutForOpening(QWidget* parent, const QString& openHint);

    void done(int result) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void findNext();

    const ListKind m_kind;
    const bool m_maximised;
    QWidget* m_panel;
    RecordListModel* m_model;
    RecordTable* m_list;
    QLineEdit* m_findField;
    PictureButton* m_findButton;
    PictureButton* m_printButton;
    std::function<bool(qint64)> m_open;
    QCheckBox* m_withdrawnSwitch;
};
