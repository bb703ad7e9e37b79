#include "output/ReportPainter.h"

#include <QBuffer>
#include <QFont>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>
#include <QTransform>

#include "app/Product.h"
#include "storage/WholeFile.h"

namespace report {
namespace {

// Point sizes are physical; the painter already maps units to the device, so the font is sized
// for a device of 96 dots per inch whatever the device's own resolution is.
QFont deviceFont(const Font& font, const QPaintDevice* device)
{
    QFont result(font.family);
    result.setPointSizeF(font.pointSize * unitsPerInch / device->logicalDpiY());
    result.setBold(font.bold);
    result.setItalic(font.italic);
    result.setUnderline(font.underline);
    return result;
}

QPen framePen(const Object& object)
{
    QPen pen(object.color);
    pen.setWidthF(object.frameWidth);
    return pen;
}

void paintText(QPainter& painter, const Object& item)
{
    const QRectF& box = item.geometry;
    if (item.fill.isValid())
        painter.fillRect(box, item.fill);
    painter.setFont(deviceFont(item.font, painter.device()));
    painter.setPen(item.color);
    if (item.linePitch > 0) {
        for (qsizetype i = 0; i < item.lines.size(); ++i) {
            const QRectF lineBox(box.left(), box.top() + double(i) * item.linePitch, box.width(), item.linePitch);
            painter.drawText(lineBox, int(item.alignment), item.lines.at(i));
        }
    } else {
        const int flags = int(item.alignment) | (item.wordWrap ? Qt::TextWordWrap : 0);
        painter.drawText(box, flags, item.text());
    }
    if (item.frameWidth > 0) {
        painter.setPen(framePen(item));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(box);
    }
}

void paintPicture(QPainter& painter, const Object& item)
{
    if (item.image.isNull())
        return;
    QSizeF fitted = QSizeF(item.image.size()).scaled(item.geometry.size(), Qt::KeepAspectRatio);
    QRectF target(QPointF(0, 0), fitted);
    target.moveCenter(item.geometry.center());
    painter.drawImage(target, item.image);
}

}  // namespace

void paintPage(QPainter& painter, const PreparedPage& page)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    for (const Object& item : page.items) {
        painter.save();
        painter.setClipRect(item.geometry.adjusted(-item.frameWidth, -item.frameWidth, item.frameWidth, item.frameWidth),
                            Qt::IntersectClip);
        switch (item.kind) {
        case ObjectKind::Text:
            paintText(painter, item);
            break;
        case ObjectKind::Picture:
            paintPicture(painter, item);
            break;
        case ObjectKind::Rectangle:
            painter.setPen(item.frameWidth > 0 ? framePen(item) : QPen(Qt::NoPen));
            painter.setBrush(item.fill.isValid() ? QBrush(item.fill) : QBrush(Qt::NoBrush));
            painter.drawRect(item.geometry);
            break;
        case ObjectKind::Line:
            painter.setClipping(false);
            painter.setPen(framePen(item));
            painter.drawLine(item.geometry.topLeft(), item.geometry.bottomRight());
            break;
        }
        painter.restore();
    }
    painter.restore();
}

QTransform deviceTransform(const QPaintDevice& device)
{
    QPointF printableCorner;
    if (const auto* paged = dynamic_cast<const QPagedPaintDevice*>(&device))
        printableCorner = paged->pageLayout().paintRectPixels(device.logicalDpiX()).topLeft();
    QTransform transform;
    transform.translate(-printableCorner.x(), -printableCorner.y());
    transform.scale(device.logicalDpiX() / unitsPerInch, device.logicalDpiY() / unitsPerInch);
    return transform;
}

void paintDevicePage(QPainter& painter, const PreparedPage& page)
{
    painter.save();
    painter.setTransform(deviceTransform(*painter.device()), true);
    paintPage(painter, page);
    painter.restore();
}

platform::PrintJob printJob(const PreparedReport& prepared)
{
    platform::PrintJob job;
    job.title = prepared.title;
    job.landscape = !prepared.pages.isEmpty() && prepared.pages.first().orientation == QPageLayout::Landscape;
    job.pageCount = int(prepared.pages.size());
    // The job outlives this call (the print dialog runs first), so it keeps its own copy.
    job.paintPage = [pages = prepared.pages](QPainter& painter, int index) {
        paintDevicePage(painter, pages.at(index));
    };
    return job;
}

void writePdf(const PreparedReport& prepared, const QString& path)
{
    const platform::PrintJob job = printJob(prepared);
    // Drawn in memory, then written whole: a full disk cannot leave half a document behind.
    QBuffer document;
    document.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&document);
        writer.setTitle(job.title);
        writer.setCreator(product::name);
        const PreparedPage first = prepared.pages.isEmpty() ? PreparedPage() : prepared.pages.first();
        writer.setPageLayout(QPageLayout(first.paper, job.landscape ? QPageLayout::Landscape : QPageLayout::Portrait,
                                         QMarginsF()));
        QPainter painter;
        if (!painter.begin(&writer))
            throw ReportError(QStringLiteral("cannot draw the PDF file %1").arg(path).toStdString());
        for (int index = 0; index < job.pageCount; ++index) {
            if (index > 0)
                writer.newPage();
            job.paintPage(painter, index);
        }
        if (!painter.end())
            throw ReportError(QStringLiteral("cannot finish the PDF file %1").arg(path).toStdString());
    }
    QString error;
    if (!wholeFile::write(path, document.data(), &error))
        throw ReportError(error.toStdString());
}

}  // namespace report
