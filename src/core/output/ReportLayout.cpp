#include "output/ReportLayout.h"

#include "app/Formats.h"
#include "platform/Platform.h"

#include <cmath>

namespace report {
namespace {

// Geometry comes from decimal templates (12.822 per line), so comparisons allow for rounding.
constexpr double Tolerance = 1e-6;

const QString DateVariable = QStringLiteral("[DATE]");

bool isLined(const Object& object)
{
    return object.kind == ObjectKind::Text && object.linePitch > 0;
}

// Lines of a line-pitched text that its height leaves room for.
qsizetype visibleLines(const Object& object)
{
    const auto room = qsizetype(std::floor(object.geometry.height() / object.linePitch + Tolerance));
    return std::min(object.lines.size(), std::max<qsizetype>(room, 0));
}

class Composer {
public:
    Composer(PreparedReport& out, const Page& page, const QString& date)
        : m_out(out), m_page(page), m_area(page.printArea()), m_date(date)
    {
        newPage();
    }

    void place(const Band& band)
    {
        if (band.height <= room() + Tolerance) {
            placePart(band, 0, band.height, true);
            return;
        }
        if (!band.canSplit) {
            if (!pageIsEmpty())
                newPage();
            placePart(band, 0, band.height, true);
            return;
        }
        double from = 0;
        for (;;) {
            if (band.height - from <= room() + Tolerance) {
                placePart(band, from, band.height, true);
                return;
            }
            double cut = cutPoint(band, from, from + room());
            if (cut <= from + Tolerance) {
                if (!pageIsEmpty()) {
                    newPage();
                    continue;
                }
                cut = from + room();  // not one line fits a whole page: cut where the page ends
            }
            placePart(band, from, cut, false);
            newPage();
            from = cut;
        }
    }

private:
    double room() const { return m_area.bottom() - m_y; }
    bool pageIsEmpty() const { return m_y <= m_area.top() + Tolerance; }

    void newPage()
    {
        PreparedPage page;
        page.paper = m_page.paper;
        page.orientation = m_page.orientation;
        page.size = m_page.paperSize();
        m_out.pages.append(page);
        m_y = m_area.top();
    }

    // The lowest point at or above `limit` (band coordinates) where the band can be cut: between
    // two lines of every line-pitched text it crosses, and above any other object it crosses.
    static double cutPoint(const Band& band, double from, double limit)
    {
        double cut = limit;
        for (bool moved = true; moved;) {
            moved = false;
            for (const Object& object : band.objects) {
                const double top = object.geometry.top();
                if (!(top < cut - Tolerance && cut < object.geometry.bottom() - Tolerance))
                    continue;
                double lower = cut;
                if (isLined(object))
                    lower = top + std::floor((cut - top) / object.linePitch + Tolerance) * object.linePitch;
                else if (top > from + Tolerance)
                    lower = top;
                if (lower < cut - Tolerance) {
                    cut = lower;
                    moved = true;
                }
            }
        }
        return cut;
    }

    // Places the part of the band between `from` and `to` (band coordinates) at the current
    // position and moves below it.
    void placePart(const Band& band, double from, double to, bool last)
    {
        PreparedPage& page = m_out.pages.last();
        for (const Object& object : band.objects) {
            const double top = object.geometry.top();
            Object item = object;
            if (isLined(object)) {
                const double pitch = object.linePitch;
                const auto first = std::max<qsizetype>(0, qsizetype(std::ceil((from - top) / pitch - Tolerance)));
                const qsizetype end = last ? visibleLines(object)
                                           : std::min(visibleLines(object),
                                                      qsizetype(std::floor((to - top) / pitch + Tolerance)));
                if (first >= end)
                    continue;
                item.lines = object.lines.mid(first, end - first);
                item.geometry = QRectF(m_area.left() + object.geometry.left(), m_y + top + first * pitch - from,
                                       object.geometry.width(), double(end - first) * pitch);
            } else {
                if (top < from - Tolerance || (!last && top >= to - Tolerance))
                    continue;
                item.geometry.translate(m_area.left(), m_y - from);
            }
            if (item.kind == ObjectKind::Text && !item.literal)
                replaceVariables(item.lines);
            page.items.append(std::move(item));
        }
        m_y += to - from;
    }

    void replaceVariables(QStringList& lines) const
    {
        for (QString& line : lines) {
            if (line.contains(DateVariable))
                line.replace(DateVariable, m_date);
        }
    }

    PreparedReport& m_out;
    const Page& m_page;
    const QRectF m_area;
    const QString m_date;
    double m_y = 0;
};

}  // namespace

QList<const Object*> PreparedPage::itemsNamed(const QString& name) const
{
    QList<const Object*> found;
    for (const Object& item : items) {
        if (item.name == name)
            found.append(&item);
    }
    return found;
}

PreparedReport prepare(const Report& report, const QDate& today)
{
    PreparedReport out;
    out.title = report.title();
    const QString date = formats::dateText(today);
    for (const Page& page : report.pages()) {
        Composer composer(out, page, date);
        for (const Band& band : page.bands)
            composer.place(band);
    }
    return out;
}

PreparedReport prepare(const Report& report)
{
    return prepare(report, platform::clock().now().date());
}

}  // namespace report
