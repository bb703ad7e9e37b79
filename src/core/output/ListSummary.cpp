#include "output/ListSummary.h"

#include <algorithm>
#include <utility>

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

QStringList lines(const RowSource& rows, const QStringList& closing)
{
    qsizetype markWidth = 0;
    for (qsizetype row = 0; row < rows.count(); ++row)
        markWidth = std::max(markWidth, rows.mark(row).word.size());
    QStringList lines;
    lines.reserve(rows.count() + closing.size() + 1);
    for (qsizetype row = 0; row < rows.count(); ++row) {
        // The words in a column of their own, two blanks before the row.
        const QString mark = markWidth > 0 ? rows.mark(row).word.leftJustified(markWidth + 2) : QString();
        lines.append(mark + rows.text(row));
    }
    bool blank = false;
    for (const QString& line : closing) {
        if (line.isEmpty())
            continue;
        if (!std::exchange(blank, true))
            lines.append(QString());
        lines.append(line);
    }
    return lines;
}

}  // namespace listSummary
