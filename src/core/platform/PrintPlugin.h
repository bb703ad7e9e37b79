#pragma once

#include "platform/Platform.h"

#include <QPageLayout>
#include <QPageRanges>
#include <QString>
#include <QtPlugin>

#include <functional>

class QPagedPaintDevice;
class QWidget;

// Printing as a plugin: Qt's printing support, and the print system's libraries it brings, are
// loaded only when the user prints, never at start-up. The plugin's root object implements this
// interface; the program lays out and paints the pages, the plugin runs the print dialog.
class PrintPlugin {
public:
    virtual ~PrintPlugin() = default;

    struct Document {
        QString name;  // the print job's
        QPageLayout layout;
        QString pdfPath;  // suggested when printing to a file
        int pageCount = 0;
        // Paints the pages chosen (no ranges: all of them) on the printer; false when it cannot.
        std::function<bool(QPagedPaintDevice& printer, const QPageRanges& chosen)> paint;
        // Writes the pages chosen to the PDF file `path` whole, through the program's own writer,
        // when the user prints to a file; false when it cannot.
        std::function<bool(const QString& path, const QPageRanges& chosen)> writePdf;
    };

    // Asks the user for a printer (or a PDF file) and the pages, and prints. Failed: the printer
    // or the file did not take the pages, or none of them was chosen.
    virtual platform::PrintResult print(const Document& document, QWidget* owner) = 0;
};

#define GolveraPrintPlugin_iid "example.golvera.PrintPlugin/1.1"
Q_DECLARE_INTERFACE(PrintPlugin, GolveraPrintPlugin_iid)
