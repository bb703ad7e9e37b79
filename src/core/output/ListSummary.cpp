#include "output/ListSummary.h"

namespace listSummary {

report::Report make(const QString& documentName, const QString& title, const QStringList& lines)
{
    report::Report summary = report::Report::load(QStringLiteral("list_summary"));
    summary.setTitle(documentName);
    summary.text(QStringLiteral("txtTitolo")).setText(title);

    report::Object& rows = summary.text(QStringLiteral("txtRiepilogo"));
    rows.lines = lines;
    rows.geometry.setHeight(double(rows.lineCount()) * lineHeight);
    // The band leaves a little room under the last row before the footer.
    summary.band(QStringLiteral("MasterData")).height = rows.geometry.height() + 10;
    return summary;
}

}  // namespace listSummary
