#include "output/Report.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSet>
#include <QtMath>

namespace report {
namespace {

[[noreturn]] void fail(const QString& what)
{
    throw ReportError(what.toStdString());
}

template <typename Value, std::size_t N>
Value choose(const QJsonValue& json, const std::pair<const char*, Value> (&choices)[N], Value fallback,
             const QString& what)
{
    if (json.isUndefined())
        return fallback;
    const QString word = json.toString();
    for (const auto& [name, value] : choices) {
        if (word == QLatin1String(name))
            return value;
    }
    fail(QStringLiteral("unknown %1 \"%2\"").arg(what, word));
}

double number(const QJsonObject& json, const char* key, double fallback)
{
    const QJsonValue value = json.value(QLatin1String(key));
    if (value.isUndefined())
        return fallback;
    if (!value.isDouble())
        fail(QStringLiteral("\"%1\" is not a number").arg(QLatin1String(key)));
    return value.toDouble();
}

QColor readColour(const QJsonValue& json, const QColor& fallback)
{
    if (json.isUndefined())
        return fallback;
    const QColor result(json.toString());
    if (!result.isValid())
        fail(QStringLiteral("invalid colour \"%1\"").arg(json.toString()));
    return result;
}

QRectF readGeometry(const QJsonValue& json, const QString& owner)
{
    const QJsonArray values = json.toArray();
    if (values.size() != 4)
        fail(QStringLiteral("%1: geometry must be [left, top, width, height]").arg(owner));
    for (const QJsonValue& value : values) {
        if (!value.isDouble())
            fail(QStringLiteral("%1: geometry must be numbers").arg(owner));
    }
    return {values[0].toDouble(), values[1].toDouble(), values[2].toDouble(), values[3].toDouble()};
}

Font readFont(const QJsonObject& json)
{
    Font result;
    result.family = json.value(QLatin1String("family")).toString(result.family);
    result.pointSize = number(json, "size", result.pointSize);
    result.bold = json.value(QLatin1String("bold")).toBool();
    result.italic = json.value(QLatin1String("italic")).toBool();
    result.underline = json.value(QLatin1String("underline")).toBool();
    return result;
}

Object readObject(const QJsonObject& json)
{
    static const std::pair<const char*, ObjectKind> kinds[] = {
        {"text", ObjectKind::Text}, {"picture", ObjectKind::Picture},
        {"rectangle", ObjectKind::Rectangle}, {"line", ObjectKind::Line}};
    static const std::pair<const char*, Qt::Alignment> horizontal[] = {
        {"left", Qt::AlignLeft}, {"center", Qt::AlignHCenter}, {"right", Qt::AlignRight},
        {"justify", Qt::AlignJustify}};
    static const std::pair<const char*, Qt::Alignment> vertical[] = {
        {"top", Qt::AlignTop}, {"center", Qt::AlignVCenter}, {"bottom", Qt::AlignBottom}};

    Object result;
    result.name = json.value(QLatin1String("name")).toString();
    if (result.name.isEmpty())
        fail(QStringLiteral("an object without a name"));
    result.kind = choose(json.value(QLatin1String("type")), kinds, ObjectKind::Text, QStringLiteral("object type"));
    result.geometry = readGeometry(json.value(QLatin1String("geometry")), result.name);
    result.font = readFont(json.value(QLatin1String("font")).toObject());
    result.color = readColour(json.value(QLatin1String("color")), result.color);
    result.fill = readColour(json.value(QLatin1String("fill")), QColor());
    result.frameWidth = number(json, "frameWidth", 0);
    result.alignment = choose(json.value(QLatin1String("align")), horizontal, Qt::Alignment(Qt::AlignLeft),
                              QStringLiteral("alignment"))
        | choose(json.value(QLatin1String("valign")), vertical, Qt::Alignment(Qt::AlignTop),
                 QStringLiteral("vertical alignment"));
    result.wordWrap = json.value(QLatin1String("wordWrap")).toBool();
    result.linePitch = number(json, "linePitch", 0);
    result.literal = json.value(QLatin1String("literal")).toBool();
    if (result.linePitch < 0)
        fail(QStringLiteral("%1: negative line pitch").arg(result.name));
    if (json.contains(QLatin1String("text")))
        result.setText(json.value(QLatin1String("text")).toString());
    return result;
}

Band readBand(const QJsonObject& json)
{
    static const std::pair<const char*, BandKind> kinds[] = {
        {"ReportTitle", BandKind::ReportTitle}, {"MasterData", BandKind::MasterData},
        {"DataFooter", BandKind::DataFooter}};
    Band result;
    result.name = json.value(QLatin1String("name")).toString();
    if (result.name.isEmpty())
        fail(QStringLiteral("a band without a name"));
    if (!json.contains(QLatin1String("kind")))
        fail(QStringLiteral("band %1 has no kind").arg(result.name));
    result.kind = choose(json.value(QLatin1String("kind")), kinds, BandKind::MasterData, QStringLiteral("band kind"));
    result.height = number(json, "height", 0);
    result.canSplit = json.value(QLatin1String("split")).toBool();
    for (const QJsonValue& value : json.value(QLatin1String("objects")).toArray())
        result.objects.append(readObject(value.toObject()));
    return result;
}

Page readPage(const QJsonObject& json)
{
    static const std::pair<const char*, QPageSize::PageSizeId> papers[] = {
        {"A3", QPageSize::A3}, {"A4", QPageSize::A4}, {"A5", QPageSize::A5}, {"Letter", QPageSize::Letter}};
    static const std::pair<const char*, QPageLayout::Orientation> orientations[] = {
        {"portrait", QPageLayout::Portrait}, {"landscape", QPageLayout::Landscape}};
    Page result;
    result.paper = QPageSize(choose(json.value(QLatin1String("paper")), papers, QPageSize::A4, QStringLiteral("paper")));
    result.orientation = choose(json.value(QLatin1String("orientation")), orientations, QPageLayout::Portrait,
                                QStringLiteral("orientation"));
    const QJsonArray margins = json.value(QLatin1String("margins")).toArray();
    if (!margins.isEmpty()) {
        if (margins.size() != 4)
            fail(QStringLiteral("margins must be [left, top, right, bottom]"));
        result.marginsMm = {margins[0].toDouble(), margins[1].toDouble(), margins[2].toDouble(), margins[3].toDouble()};
    }
    for (const QJsonValue& value : json.value(QLatin1String("bands")).toArray())
        result.bands.append(readBand(value.toObject()));
    return result;
}

}  // namespace

void Object::setText(const QString& text)
{
    QString normal = text;
    normal.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    lines = normal.split(QLatin1Char('\n'));
}

QSize Object::pictureLimit() const
{
    const QSizeF box = geometry.size() * (pictureDotsPerInch / unitsPerInch);
    return {qMax(1, qCeil(box.width())), qMax(1, qCeil(box.height()))};
}

void Object::setPicture(const QImage& picture)
{
    const QSize limit = pictureLimit();
    if (picture.width() <= limit.width() && picture.height() <= limit.height())
        image = picture;
    else
        image = picture.scaled(limit, Qt::KeepAspectRatio, Qt::SmoothTransformation);
}

QSizeF Page::paperSize() const
{
    QSizeF mm = paper.size(QPageSize::Millimeter);
    if (orientation == QPageLayout::Landscape)
        mm.transpose();
    return mm * unitsPerMm;
}

QRectF Page::printArea() const
{
    const QSizeF size = paperSize();
    return QRectF(QPointF(0, 0), size)
        .adjusted(marginsMm.left() * unitsPerMm, marginsMm.top() * unitsPerMm,
                  -marginsMm.right() * unitsPerMm, -marginsMm.bottom() * unitsPerMm);
}

Report Report::load(const QString& name)
{
    QFile file(QStringLiteral(":/reports/") + name + QStringLiteral(".json"));
    if (!file.open(QIODevice::ReadOnly))
        fail(QStringLiteral("no report template \"%1\"").arg(name));
    try {
        return fromJson(file.readAll());
    } catch (const ReportError& error) {
        fail(QStringLiteral("report template \"%1\": %2").arg(name, QString::fromStdString(error.what())));
    }
}

Report Report::fromJson(const QByteArray& json)
{
    QJsonParseError parseError;
    const QJsonDocument document = QJsonDocument::fromJson(json, &parseError);
    if (!document.isObject())
        fail(QStringLiteral("not a JSON object (%1)").arg(parseError.errorString()));
    const QJsonObject root = document.object();

    Report result;
    result.m_title = root.value(QLatin1String("title")).toString();
    for (const QJsonValue& value : root.value(QLatin1String("pages")).toArray())
        result.m_pages.append(readPage(value.toObject()));
    if (result.m_pages.isEmpty())
        fail(QStringLiteral("a report without pages"));

    // Names are how the program reaches objects and bands, so each must say one thing.
    QSet<QString> names;
    const auto claim = [&names](const QString& name) {
        if (names.contains(name))
            fail(QStringLiteral("the name %1 is used twice").arg(name));
        names.insert(name);
    };
    for (const Page& page : std::as_const(result.m_pages)) {
        for (const Band& band : page.bands) {
            claim(band.name);
            for (const Object& object : band.objects)
                claim(object.name);
        }
    }
    return result;
}

Page& Report::page(int index)
{
    if (index < 0 || index >= m_pages.size())
        fail(QStringLiteral("the report has no page %1").arg(index));
    return m_pages[index];
}

Object& Report::object(const QString& name)
{
    for (Page& page : m_pages) {
        for (Band& band : page.bands) {
            for (Object& object : band.objects) {
                if (object.name == name)
                    return object;
            }
        }
    }
    fail(QStringLiteral("the report has no object %1").arg(name));
}

Object& Report::text(const QString& name)
{
    Object& found = object(name);
    if (found.kind != ObjectKind::Text)
        fail(QStringLiteral("%1 is not a text object").arg(name));
    return found;
}

Object& Report::picture(const QString& name)
{
    Object& found = object(name);
    if (found.kind != ObjectKind::Picture)
        fail(QStringLiteral("%1 is not a picture object").arg(name));
    return found;
}

Band& Report::band(const QString& name)
{
    for (Page& page : m_pages) {
        for (Band& band : page.bands) {
            if (band.name == name)
                return band;
        }
    }
    fail(QStringLiteral("the report has no band %1").arg(name));
}

}  // namespace report
