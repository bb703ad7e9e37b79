#include "matches/CalendarFile.h"

#include "matches/CalendarRecords.h"
#include "storage/RecordFile.h"

#include <QDir>
#include <QFileInfo>
#include <QSet>

#include <algorithm>

namespace matches {

namespace {

using namespace records;

void checkWhole(const QString& path)
{
    const QFileInfo info(path);
    const qint64 stray = info.exists() ? info.size() % RecordSize : 0;
    if (stray != 0)
        throw CalendarDamaged("calendar cut short: " + path.toStdString(), cutShortMessage(stray));
}

[[noreturn]] void damaged(const QString& path, qint64 position, const QString& field)
{
    throw CalendarDamaged("calendar damaged at record " + std::to_string(position) + " (" + field.toStdString()
                              + "): " + path.toStdString(),
                          damagedMessage(position, field));
}

// The item's position after a save: new ones take `places` in order.
template <typename Item>
void place(QList<Item>& items, QList<qint64>& places, qsizetype& next)
{
    for (Item& item : items) {
        if (item.position == 0)
            item.position = places[next++];
    }
}

}  // namespace

QString calendarPath(const QString& tournamentPath)
{
    const QFileInfo info(tournamentPath);
    const QString base = info.fileName().endsWith(QStringLiteral(".vai"), Qt::CaseInsensitive)
                             ? info.fileName().chopped(4)
                             : info.fileName();
    return info.dir().filePath(base + calendarExtension);
}

bool hasCalendar(const QString& tournamentPath)
{
    return QFileInfo::exists(calendarPath(tournamentPath));
}

QString cutShortMessage(qint64 strayBytes)
{
    return QStringLiteral(
               "Attenzione: il file del calendario del torneo \u00E8 incompleto (gli ultimi %1 byte non formano "
               "una gara intera).\r\n\r\nIl calendario non viene letto n\u00E9 modificato: ripristinarlo da una copia "
               "di sicurezza.")
        .arg(strayBytes);
}

QString damagedMessage(qint64 record, const QString& field)
{
    return QStringLiteral(
               "Attenzione: il file del calendario del torneo \u00E8 danneggiato (record %1, campo %2).\r\n\r\n"
               "Il calendario non viene letto n\u00E9 modificato: ripristinarlo da una copia di sicurezza.")
        .arg(record)
        .arg(field);
}

StoredCalendar readCalendar(const QString& tournamentPath)
{
    StoredCalendar result;
    const QString path = calendarPath(tournamentPath);
    if (!QFileInfo::exists(path))
        return result;
    checkWhole(path);
    result.exists = true;
    const RecordFile file(path, RecordSize);
    Calendar& calendar = result.calendar;
    bool haveRules = false;
    file.scan([&](qint64 position, QByteArrayView bytes) {
        const QByteArray kind = kindOf(bytes);
        try {
            if (position == 1 && kind != HeaderKind)
                damaged(path, position, QStringLiteral("Tipo"));
            if (isFree(bytes)) {
                result.stored.insert(position, bytes.toByteArray());
                return true;
            }
            if (!isKind(kind))
                damaged(path, position, QStringLiteral("Tipo"));
            if (kind == HeaderKind) {
                if (position != 1)
                    damaged(path, position, QStringLiteral("Tipo"));
                calendar.lastNumber = decodeHeader(bytes);
            } else if (kind == RulesKind) {
                if (haveRules)
                    damaged(path, position, QStringLiteral("Tipo"));
                calendar.rules = decodeRules(bytes);
                calendar.rules.position = position;
                haveRules = true;
            } else if (kind == MatchKind) {
                Match match = decodeMatch(bytes);
                match.position = position;
                calendar.matches.append(match);
            } else if (kind == DeductionKind) {
                Deduction deduction = decodeDeduction(bytes);
                deduction.position = position;
                calendar.deductions.append(deduction);
            } else if (kind == DrawKind) {
                GroupSlot slot = decodeDrawSlot(bytes);
                slot.position = position;
                calendar.draw.append(slot);
            } else {
                return true;  // a later kind: kept as it is, never written by this program
            }
        } catch (const BadRecord& bad) {
            damaged(path, position, bad.field);
        } catch (const CalendarDamaged&) {
            throw;
        } catch (const ArchiveError&) {
            damaged(path, position, QStringLiteral("Tipo"));
        }
        result.stored.insert(position, bytes.toByteArray());
        return true;
    });
    // By number, whatever free places they took.
    std::stable_sort(calendar.matches.begin(), calendar.matches.end(),
                     [](const Match& a, const Match& b) { return a.number < b.number; });
    for (const Match& match : std::as_const(calendar.matches)) {
        if (calendar.match(match.number) != &match)
            damaged(path, match.position, QStringLiteral("Numero"));
    }
    return result;
}

void saveCalendar(const QString& tournamentPath, StoredCalendar& stored)
{
    const QString path = calendarPath(tournamentPath);
    checkWhole(path);
    Calendar& calendar = stored.calendar;
    for (const Match& match : std::as_const(calendar.matches))
        calendar.lastNumber = std::max(calendar.lastNumber, match.number);

    // What each position should hold; 0 for the new records.
    QList<std::pair<qint64, QByteArray>> wanted;
    wanted.append({stored.exists && stored.stored.contains(1) ? 1 : 0, encodeHeader(calendar.lastNumber)});
    wanted.append({calendar.rules.position, encode(calendar.rules)});
    for (const Match& match : std::as_const(calendar.matches))
        wanted.append({match.position, encode(match)});
    for (const Deduction& deduction : std::as_const(calendar.deductions))
        wanted.append({deduction.position, encode(deduction)});
    for (const GroupSlot& slot : std::as_const(calendar.draw))
        wanted.append({slot.position, encode(slot)});

    QList<RecordFile::Change> changes;
    QHash<qint64, QByteArray> next = stored.stored;
    QSet<qint64> kept;
    QByteArray appended;
    QList<qint64> places;  // of the new records, in order; -n: the n-th appended
    const auto change = [&](qint64 position, const QByteArray& bytes) {
        const QByteArray before = stored.stored.value(position);
        changes.append({position, bytes, [before](QByteArrayView current) { return current == before; }});
        next.insert(position, bytes);
    };
    for (const auto& [position, bytes] : std::as_const(wanted)) {
        if (position == 0)
            continue;
        kept.insert(position);
        if (stored.stored.value(position) != bytes)
            change(position, bytes);
    }
    // Removed records become free places, and free places take new records.
    QList<qint64> free;
    QList<qint64> positions = stored.stored.keys();
    std::sort(positions.begin(), positions.end());
    for (qint64 position : std::as_const(positions)) {
        if (kept.contains(position))
            continue;
        if (isFree(stored.stored.value(position)))
            free.append(position);
        else
            free.append(-position);  // to be freed unless a new record takes it
    }
    qsizetype freeUsed = 0;
    qint64 appendedCount = 0;
    for (const auto& [position, bytes] : std::as_const(wanted)) {
        if (position != 0)
            continue;
        if (freeUsed < free.size()) {
            const qint64 at = std::abs(free[freeUsed++]);
            change(at, bytes);
            places.append(at);
        } else {
            appended += bytes;
            places.append(-(++appendedCount));
        }
    }
    for (qsizetype i = freeUsed; i < free.size(); ++i) {
        if (free[i] < 0)
            change(-free[i], QByteArray(RecordSize, '\0'));
    }

    if (!changes.isEmpty() || !appended.isEmpty()) {
        RecordFile file(path, RecordSize);
        if (!stored.exists && file.count() != 0)
            throw RecordChanged("calendar made by another station meanwhile: " + path.toStdString());
        const qint64 first = file.writeAll(appended, changes);
        for (qint64& at : places) {
            if (at < 0) {
                at = first + (-at) - 1;
                next.insert(at, appended.mid((at - first) * RecordSize, RecordSize));
            }
        }
        file.close();
    }

    qsizetype n = 1;  // places[0] is the header's when it was new
    if (wanted.first().first != 0)
        n = 0;
    if (calendar.rules.position == 0)
        calendar.rules.position = places[n++];
    place(calendar.matches, places, n);
    place(calendar.deductions, places, n);
    place(calendar.draw, places, n);
    stored.stored = next;
    stored.exists = true;
}

}  // namespace matches
