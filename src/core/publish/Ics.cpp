#include "publish/Ics.h"

namespace ics {
namespace {

constexpr qsizetype MaxOctets = 75;

QByteArray dateTimeValue(const QDate& date, const QTime& time)
{
    return QStringLiteral("%1T%2").arg(date.toString(QStringLiteral("yyyyMMdd")), time.toString(QStringLiteral("HHmmss"))).toLatin1();
}

void property(QByteArray& out, const char* name, const QString& text)
{
    if (text.isEmpty())
        return;
    out += foldLine(QByteArray(name) + ':' + escapeText(text).toUtf8());
}

}  // namespace

QString escapeText(const QString& text)
{
    QString escaped;
    escaped.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c == u'\\' || c == u';' || c == u',') {
            escaped += u'\\';
            escaped += c;
        } else if (c == u'\r') {
            escaped += QStringLiteral("\\n");
            if (i + 1 < text.size() && text.at(i + 1) == u'\n')
                ++i;
        } else if (c == u'\n') {
            escaped += QStringLiteral("\\n");
        } else if (c.unicode() < 0x20 || c.unicode() == 0x7F) {
            escaped += u' ';  // other controls are not allowed in a value
        } else {
            escaped += c;
        }
    }
    return escaped;
}

QByteArray foldLine(const QByteArray& line)
{
    QByteArray out;
    qsizetype start = 0;
    qsizetype room = MaxOctets;
    while (line.size() - start > room) {
        qsizetype cut = start + room;
        // Back to the first byte of a UTF-8 character.
        while (cut > start && (quint8(line[cut]) & 0xC0) == 0x80)
            --cut;
        out += line.mid(start, cut - start);
        out += "\r\n ";
        start = cut;
        room = MaxOctets - 1;  // the leading blank counts
    }
    out += line.mid(start);
    out += "\r\n";
    return out;
}

QByteArray calendar(const QString& name, const QList<Event>& events, const QDateTime& stamp)
{
    QByteArray out;
    out += "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Golvera//Calendario del torneo//IT\r\n"
           "CALSCALE:GREGORIAN\r\nMETHOD:PUBLISH\r\n";
    property(out, "X-WR-CALNAME", name);
    const QDateTime utc = stamp.toUTC();
    const QByteArray stampValue = dateTimeValue(utc.date(), utc.time()) + 'Z';
    for (const Event& event : events) {
        out += "BEGIN:VEVENT\r\n";
        property(out, "UID", event.uid);
        out += "DTSTAMP:" + stampValue + "\r\n";
        if (event.time.isValid()) {
            // Local time of wherever the match is played: no time zone to get wrong.
            const QDateTime start(event.date, event.time);
            const QDateTime end = start.addSecs(qint64(event.minutes) * 60);
            out += "DTSTART:" + dateTimeValue(start.date(), start.time()) + "\r\n";
            out += "DTEND:" + dateTimeValue(end.date(), end.time()) + "\r\n";
        } else {
            out += "DTSTART;VALUE=DATE:" + event.date.toString(QStringLiteral("yyyyMMdd")).toLatin1() + "\r\n";
        }
        property(out, "SUMMARY", event.summary);
        property(out, "LOCATION", event.location);
        property(out, "DESCRIPTION", event.description);
        out += "END:VEVENT\r\n";
    }
    out += "END:VCALENDAR\r\n";
    return out;
}

}  // namespace ics
