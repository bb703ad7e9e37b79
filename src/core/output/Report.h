#pragma once

#include <QColor>
#include <QImage>
#include <QList>
#include <QMarginsF>
#include <QPageLayout>
#include <QPageSize>
#include <QRectF>
#include <QString>
#include <QStringList>

#include <stdexcept>

// The report engine's templates: pages holding bands holding objects, kept as JSON files in the
// resources (":/reports/<name>.json") and reached by the names of their objects. Geometry is in
// report units of 1/96 inch; paper and margins are in millimetres.
namespace report {

inline constexpr double unitsPerInch = 96.0;
inline constexpr double unitsPerMm = unitsPerInch / 25.4;
// The finest a picture is kept at: more dots than a printer shows would only cost memory and time.
inline constexpr double pictureDotsPerInch = 300.0;

// A template that cannot be read, or an object or band the program asks for that is not there.
class ReportError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

enum class ObjectKind { Text, Picture, Rectangle, Line };

// ReportTitle prints once at the top of the first page, MasterData once after it (and may
// continue on the next pages), DataFooter once right after the master data.
enum class BandKind { ReportTitle, MasterData, DataFooter };

struct Font {
    QString family = QStringLiteral("Arial");
    double pointSize = 10;
    bool bold = false;
    bool italic = false;
    bool underline = false;
};

struct Object {
    QString name;
    ObjectKind kind = ObjectKind::Text;
    QRectF geometry;                 // relative to the band's top-left corner
    Font font;
    QColor color = Qt::black;        // text colour; pen of lines, rectangles and framed texts
    QColor fill;                     // invalid: transparent
    double frameWidth = 0;           // 0: no frame (lines always draw, at least hairline)
    Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignTop;
    bool wordWrap = false;
    // Above 0: the text is drawn one line every linePitch units, and an object in a band that
    // may split continues on the next page between two lines.
    double linePitch = 0;
    // Printed exactly as set: variables such as [DATE] are left as typed (texts from the user).
    bool literal = false;
    QStringList lines;               // text objects
    QImage image;                    // picture objects, scaled into the geometry keeping proportions

    // Gives a picture object its image, reduced (never enlarged) to what its box holds at
    // pictureDotsPerInch, so a photo of many megapixels costs no more than the box needs.
    void setPicture(const QImage& picture);
    // The most pixels a picture of this box can show in print (its size at pictureDotsPerInch).
    QSize pictureLimit() const;

    QString text() const { return lines.join(QLatin1Char('\n')); }
    void setText(const QString& text);
    void clearLines() { lines.clear(); }
    void addLine(const QString& line) { lines.append(line); }
    qsizetype lineCount() const { return lines.size(); }
};

struct Band {
    QString name;
    BandKind kind = BandKind::MasterData;
    double height = 0;
    bool canSplit = false;
    QList<Object> objects;
};

struct Page {
    QPageSize paper{QPageSize::A4};
    QPageLayout::Orientation orientation = QPageLayout::Portrait;
    QMarginsF marginsMm;
    QList<Band> bands;

    QSizeF paperSize() const;   // report units, as oriented
    QRectF printArea() const;   // report units: the paper less its margins
};

class Report {
public:
    // The template ":/reports/<name>.json".
    static Report load(const QString& name);
    static Report fromJson(const QByteArray& json);

    // The document's name (print queue, PDF title).
    QString title() const { return m_title; }
    void setTitle(const QString& title) { m_title = title; }

    QList<Page>& pages() { return m_pages; }
    const QList<Page>& pages() const { return m_pages; }
    Page& page(int index);

    // Objects and bands by name; asking for one that is not there, or for a text object that is
    // not one, throws ReportError.
    Object& object(const QString& name);
    Object& text(const QString& name);
    Object& picture(const QString& name);
    Band& band(const QString& name);

private:
    QString m_title;
    QList<Page> m_pages;
};

}  // namespace report
