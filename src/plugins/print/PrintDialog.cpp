#include "PrintDialog.h"

#include <QPrintDialog>
#include <QPrinter>

#include <algorithm>

platform::PrintResult PrintDialogPlugin::print(const Document& document, QWidget* owner)
{
    using platform::PrintResult;
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(document.name);
    printer.setPageSize(document.layout.pageSize());
    printer.setPageOrientation(document.layout.orientation());
    printer.setOutputFileName(document.pdfPath);
    QPrintDialog dialog(&printer, owner);
    dialog.setOption(QAbstractPrintDialog::PrintToFile, true);
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, true);
    dialog.setMinMax(1, std::max(1, document.pageCount));
    if (dialog.exec() != QDialog::Accepted)
        return PrintResult::Cancelled;
    const QPageRanges chosen = printer.printRange() == QPrinter::PageRange ? printer.pageRanges() : QPageRanges();
    // A printer that refuses the job, or a PDF file that cannot be written, fails here.
    const bool printed = printer.outputFormat() == QPrinter::PdfFormat && !printer.outputFileName().isEmpty()
                             ? document.writePdf(printer.outputFileName(), chosen)
                             : document.paint(printer, chosen);
    return printed ? PrintResult::Printed : PrintResult::Failed;
}
