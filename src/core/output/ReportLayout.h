#pragma once

#include "output/Report.h"

#include <QDate>
#include <QList>

// The layout step: turns a filled report into pages of positioned objects, plain data that the
// painter draws and the tests read.
namespace report {

struct PreparedPage {
    QPageSize paper{QPageSize::A4};
    QPageLayout::Orientation orientation = QPageLayout::Portrait;
    QSizeF size;            // report units, as oriented
    QList<Object> items;    // geometry from the paper's top-left corner; variables replaced

    // The items of that name on this page (a text that continues on the next page appears on both).
    QList<const Object*> itemsNamed(const QString& name) const;
};

struct PreparedReport {
    QString title;
    QList<PreparedPage> pages;
};

// Lays the report out page by page. Bands follow one another down the printable area; a band
// that does not fit goes to the next page, except one that may split, which continues there
// (its line-pitched texts break between lines, any other object moves whole to the part where it
// fits). The variable [DATE] becomes `today` as dd/mm/yyyy.
PreparedReport prepare(const Report& report, const QDate& today);

// The same with today's date from the platform clock.
PreparedReport prepare(const Report& report);

}  // namespace report
