#pragma once

#include <QList>
#include <QSize>
#include <QString>
#include <QStringList>

// Opens a published page in headless Chromium at given viewport sizes and lets the page itself
// say what is wrong with it: a test copy of the page gets a checking script (the published page
// has none), and a frame of each size around the copy collects the verdicts.
namespace browserCheck {

// Empty when Chromium is installed.
QString missingBrowser();

// One line per size, "360: ok" or "360: <what is wrong>; ..."; the checks: nothing wider than the
// viewport, a header cell in every table, no script element, the stylesheet applied, contrast of
// every text at least 4.5:1, and each of `shownTexts` present as text. A failure to run gives a
// single line saying why.
QStringList check(const QString& folder, const QString& page, const QList<QSize>& sizes, const QStringList& shownTexts);

}  // namespace browserCheck
