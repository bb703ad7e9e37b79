#include "PrintDialog.h"

#include <QPrintDialog>
#include <QPrinter>

#include <algorithm>

bool PrintDialogPlugin::print(const Document& document, QWidget* owner)
{
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
        return false;
    const QPageRanges chosen = printer.printRange() == QPrinter::PageRange ? printer.pageRanges() : QPageRanges();
    if (printer.outputFormat() == QPrinter::PdfFormat && !printer.outputFileName().isEmpty())
        return document.writePdf(printer.outputFileName(), chosen);
    return document.paint(printer, chosen);
}
