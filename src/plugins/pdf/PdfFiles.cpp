#include "PdfFiles.h"

#include "output/ListSummary.h"
#include "output/ReportLayout.h"
#include "output/ReportPainter.h"

#include <QGuiApplication>

namespace {

QString written(const report::Report& document, const QString& path)
{
    try {
        report::writePdf(report::prepare(document), path);
    } catch (const report::ReportError& error) {
        return QString::fromUtf8(error.what());
    }
    return {};
}

}  // namespace

std::unique_ptr<QCoreApplication> PdfFiles::application(int& argc, char** argv)
{
    // No window is ever shown: the PDF needs no display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    return std::make_unique<QGuiApplication>(argc, argv);
}

QString PdfFiles::writeStandings(standings::Kind kind, const QString& title, const QList<ListRow>& rows, const QString& path)
{
    return written(standings::document(kind, title, rows), path);
}

QString PdfFiles::writeList(const QString& title, const QStringList& lines, const QString& path)
{
    return written(listSummary::make(title, title, lines), path);
}
