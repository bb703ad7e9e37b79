#pragma once

#include "output/RecordListScreen.h"
#include "storage/RecordValues.h"

#include <QList>
#include <QRect>
#include <QString>

#include <functional>

class QLabel;
class QLineEdit;

// What the three search screens share on top of the list base: a filter panel (`panAvvio`) made
// from a table of filters, each searching one record field, and a result panel (`panContainer`)
// with the list, the find field, the count line and the print and close buttons. "Cerca" shows
// the wait line while the search runs, lists the records every filter in use occurs in, and
// switches to the result panel; a failed search keeps the filter panel and says so.
class SearchScreen : public RecordListScreen {
    Q_OBJECT
public:
    struct Filter {
        QString name;      // the filter field's object name ("txtSquadra"); its highlight is "eff…"
        QString caption;   // shown above the field
        QString field;     // the record field it searches
        QPoint position;   // of the field on the filter panel
    };

    struct Search {
        RecordListScreen::Setup list;
        QList<Filter> filters;            // in Enter order; Enter in the last goes back to the first
        RecordFormat format;
        std::function<QString()> archivePath;
        // The row of a listed record, from its bytes: reading only the fields the row shows keeps a
        // search that lists a whole large archive quick.
        std::function<QString(QByteArrayView record)> row;
        QString printTitle;
        QString countEnding = QStringLiteral(" schede.");  // after the number of rows
        QString openHint;                 // the crimson line under the list
    };

    // The filter panel's texts, in filter order.
    QStringList filterTexts() const;

protected:
    SearchScreen(QWidget* owner, Search search);

    QWidget* filterPanel() const { return m_filterPanel; }
    QWidget* resultPanel() const { return m_resultPanel; }

    void showEvent(QShowEvent* event) override;
    void done(int result) override;

private:
    void runSearch();

    Search m_search;
    QWidget* m_filterPanel;
    QWidget* m_resultPanel;
    QList<QLineEdit*> m_filters;
    QLabel* m_wait;
    QLabel* m_filtersInUse;
    QLabel* m_count;
};
