#include "platform/PluginPrintOutput.h"

#include "app/Plugins.h"
#include "output/PrintChoices.h"
#include "output/ReportPainter.h"
#include "platform/PrintPlugin.h"
#include "platform/WidgetPlatform.h"

namespace {

const QString noPrintingMessage =
    QStringLiteral("La stampa non \u00E8 disponibile: il supporto per la stampa non \u00E8 installato.");

}  // namespace

platform::PrintResult PluginPrintOutput::print(const platform::PrintJob& job, QObject* owner)
{
    if (!m_loaded) {
        m_loaded = true;
        m_plugin = qobject_cast<PrintPlugin*>(plugins::load(m_folder, plugins::print));
    }
    if (!m_plugin) {
        // Said here, and not as a failed print: there was no print at all.
        platform::errorBox(plugins::missingBoxMessage(noPrintingMessage, plugins::print), owner);
        return platform::PrintResult::Cancelled;
    }
    const report::PreparedReport& document = job.document;
    const int pageCount = int(document.pages.size());
    PrintPlugin::Document request;
    request.name = document.title;
    request.layout = report::pageLayout(document);
    request.pdfPath = report::suggestedPdfPath(job.fileName.isEmpty() ? report::pdfFileName(document.title) : job.fileName);
    request.pageCount = pageCount;
    request.paint = [&document, pageCount](QPagedPaintDevice& printer, const QPageRanges& chosen) {
        const QList<int> pages = report::selectedPages(chosen, pageCount);
        return !pages.isEmpty() && report::paintPages(printer, document, pages);
    };
    // Printed to a file: written whole or not at all, replacing a link there, like every file.
    request.writePdf = [&document, pageCount](const QString& path, const QPageRanges& chosen) {
        const QList<int> pages = report::selectedPages(chosen, pageCount);
        if (pages.isEmpty())
            return false;
        try {
            report::writePdf(document, path, pages);
            return true;
        } catch (const report::ReportError&) {
            return false;
        }
    };
    return m_plugin->print(request, ownerWidget(owner));
}
