#pragma once

#include "output/ReportLayout.h"

class QPageLayout;
class QPagedPaintDevice;
class QPaintDevice;
class QPainter;
class QTransform;

// The one painter of prepared pages: the printer, the PDF file and the preview all draw through
// it, so what is previewed is what is printed.
namespace report {

// Draws the page with `painter` set so that one unit is 1/96 inch on its device and the origin
// is the paper's top-left corner.
void paintPage(QPainter& painter, const PreparedPage& page);

// From report units on the paper to the coordinates of a painter freshly opened on `device`: a
// paged device's painter starts at its printable area, not at the paper's corner, and counts in
// the device's own dots.
QTransform deviceTransform(const QPaintDevice& device);

// Draws the page on a painter open on a printer or PDF page as it comes.
void paintDevicePage(QPainter& painter, const PreparedPage& page);

// The paper and orientation of the document (those of its first page), without margins.
QPageLayout pageLayout(const PreparedReport& prepared);

// Paints the pages `indices` (0-based, in that order) on `device`, one device page each; false
// when the device cannot be painted on.
bool paintPages(QPagedPaintDevice& device, const PreparedReport& prepared, const QList<int>& indices);

// Writes the pages `indices` (all when empty) as a PDF file through the checked writer; throws
// ReportError when the file cannot be written, leaving the old one as it was.
void writePdf(const PreparedReport& prepared, const QString& path, const QList<int>& indices = {});

}  // namespace report
