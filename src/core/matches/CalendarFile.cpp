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

// An item read from the record at `position`.
template <typename Item>
void appendAt(QList<Item>& items, Item item, qint64 position)
{
    item.position = position;
    items.append(std::move(item));
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
                appendAt(calendar.matches, decodeMatch(bytes), position);
            } else if (kind == DeductionKind) {
                appendAt(calendar.deductions, decodeDeduction(bytes), position);
            } else if (kind == DrawKind) {
                appendAt(calendar.draw, decodeDrawSlot(bytes), position);
            } else if (kind == TieBreakKind) {
                if (calendar.tieBreak.position != 0)
                    damaged(path, position, QStringLiteral("Tipo"));
                calendar.tieBreak = decodeTieBreak(bytes);
                calendar.tieBreak.position = position;
            } else if (kind == LotKind) {
                appendAt(calendar.lots, decodeLot(bytes), position);
            } else if (kind == ScorerKind) {
                appendAt(calendar.scorers, decodeScorer(bytes), position);
            } else if (kind == FairPlayKind) {
                appendAt(calendar.fairPlay, decodeFairPlay(bytes), position);
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
    for (qsizetype i = 1; i < calendar.matches.size(); ++i) {
        if (calendar.matches[i].number == calendar.matches[i - 1].number)
            damaged(path, std::max(calendar.matches[i].position, calendar.matches[i - 1].position),
                    QStringLiteral("Numero"));
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
    // A tournament that keeps the default tie-break order has no record for it.
    const bool tieBreakStored = calendar.tieBreak.position != 0 || !calendar.tieBreak.isDefault();
    if (tieBreakStored)
        wanted.append({calendar.tieBreak.position, encode(calendar.tieBreak)});
    for (const StoredLot& lot : std::as_const(calendar.lots))
        wanted.append({lot.position, encode(lot)});
    for (const Scorer& scorer : std::as_const(calendar.scorers))
        wanted.append({scorer.position, encode(scorer)});
    for (const FairPlayPoints& points : std::as_const(calendar.fairPlay))
        wanted.append({points.position, encode(points)});

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
    if (tieBreakStored && calendar.tieBreak.position == 0)
        calendar.tieBreak.position = places[n++];
    place(calendar.lots, places, n);
    place(calendar.scorers, places, n);
    place(calendar.fairPlay, places, n);
    stored.stored = next;
    stored.exists = true;
}

}  // namespace matches
