#include "output/ReportPainter.h"

#include <QBuffer>
#include <QFont>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>
#include <QTransform>

#include "app/Product.h"
#include "output/PrintChoices.h"
#include "storage/WholeFile.h"

namespace report {
namespace {

QPen framePen(const Object& object)
{
    QPen pen(object.color);
    pen.setWidthF(object.frameWidth);
    return pen;
}

// Qt loads a font at a whole number of pixels, which makes an 8-point text three per cent wide;
// drawing at this magnification on a painter scaled back down keeps the size to within a fraction
// of a per cent.
constexpr double TextMagnification = 64;

// Point sizes are physical; the painter already maps units to the device, so the font is sized
// for a device of 96 dots per inch whatever the device's own resolution is. Without shaping
// there are no ligatures, so a PDF's text is searched and copied letter by letter.
QFont deviceFont(const Font& font, const QPaintDevice* device)
{
    QFont result(font.family);
    result.setPointSizeF(font.pointSize * TextMagnification * unitsPerInch / device->logicalDpiY());
    result.setBold(font.bold);
    result.setItalic(font.italic);
    result.setUnderline(font.underline);
    result.setStyleStrategy(QFont::PreferNoShaping);
    return result;
}

QRectF magnified(const QRectF& box)
{
    return {box.topLeft() * TextMagnification, box.size() * TextMagnification};
}

void paintText(QPainter& painter, const Object& item)
{
    const QRectF& box = item.geometry;
    if (item.fill.isValid())
        painter.fillRect(box, item.fill);
    painter.save();
    painter.scale(1 / TextMagnification, 1 / TextMagnification);
    painter.setFont(deviceFont(item.font, painter.device()));
    painter.setPen(item.color);
    if (item.linePitch > 0) {
        for (qsizetype i = 0; i < item.lines.size(); ++i) {
            const QRectF lineBox(box.left(), box.top() + double(i) * item.linePitch, box.width(), item.linePitch);
            painter.drawText(magnified(lineBox), int(item.alignment), item.lines.at(i));
        }
    } else {
        const int flags = int(item.alignment) | (item.wordWrap ? Qt::TextWordWrap : 0);
        painter.drawText(magnified(box), flags, item.text());
    }
    painter.restore();
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

QPageLayout pageLayout(const PreparedReport& prepared)
{
    const PreparedPage first = prepared.pages.isEmpty() ? PreparedPage() : prepared.pages.first();
    return QPageLayout(first.paper, first.orientation, QMarginsF());
}

bool paintPages(QPagedPaintDevice& device, const PreparedReport& prepared, const QList<int>& indices)
{
    QPainter painter;
    if (!painter.begin(&device))
        return false;
    for (qsizetype i = 0; i < indices.size(); ++i) {
        if (i > 0 && !device.newPage())
            return false;
        paintDevicePage(painter, prepared.pages.at(indices.at(i)));
    }
    return painter.end();
}

void writePdf(const PreparedReport& prepared, const QString& path, const QList<int>& indices)
{
    // Drawn in memory, then written whole: a full disk cannot leave half a document behind.
    QBuffer document;
    document.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&document);
        writer.setTitle(prepared.title);
        writer.setCreator(product::name);
        writer.setPageLayout(pageLayout(prepared));
        if (!paintPages(writer, prepared, indices.isEmpty() ? selectedPages({}, int(prepared.pages.size())) : indices))
            throw ReportError(QStringLiteral("cannot draw the PDF file %1").arg(path).toStdString());
    }
    QString error;
    if (!wholeFile::write(path, document.data(), &error))
        throw ReportError(error.toStdString());
}

}  // namespace report
