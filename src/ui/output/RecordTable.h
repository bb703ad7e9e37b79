#pragma once

#include <QTableView>

class RecordListModel;

// The table every record list shows its rows in (`lstRecords`): headings from the rows' columns,
// a click on a heading sorts by that column and a second click reverses it, the columns fitted to
// the width so that a list reads without scrolling sideways, one row selected at a time, and
// Enter opening the selected row as a double-click does.
class RecordTable : public QTableView {
    Q_OBJECT
public:
    RecordTable(RecordListModel* model, QWidget* parent = nullptr);

    // The selected row; -1 when none is.
    int selectedRow() const;
    // Selects `row` and brings it into view; nothing for a row the list does not have.
    void choose(int row);

Q_SIGNALS:
    // A row was double-clicked, or Enter was pressed on the selected row.
    void rowOpened(int row);
    // A double-click fell where there is no row: below the last one, or on an empty list.
    void nothingOpened();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    // Widths from the columns' character widths and the font; when they do not all fit, the
    // notes give way first, then every column in proportion to what it has beyond its heading.
    void fitColumns();

    RecordListModel* m_model;
};
