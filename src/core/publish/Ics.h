#pragma once

#include <QByteArray>
#include <QDate>
#include <QDateTime>
#include <QList>
#include <QString>
#include <QTime>

// An iCalendar file (RFC 5545) of a tournament's matches, for the phones and calendars of players
// and parents. Each match keeps its identifier from one publication to the next, so a calendar
// that subscribed to the file updates its events instead of adding them again.
namespace ics {

struct Event {
    QString uid;
    QDate date;
    QTime time;  // invalid: the event lasts the whole day
    int minutes = 90;
    QString summary;
    QString location;
    QString description;
};

// The whole file: CRLF line ends, long lines folded, texts escaped, `stamp` (in UTC) as every
// event's DTSTAMP.
QByteArray calendar(const QString& name, const QList<Event>& events, const QDateTime& stamp);

// A text value escaped: backslash, semicolon, comma and line breaks.
QString escapeText(const QString& text);

// One content line folded into lines of at most 75 octets, each continuation starting with a
// blank, never inside a UTF-8 character; CRLF after each.
QByteArray foldLine(const QByteArray& line);

}  // namespace ics
