#include "import/ImportPlan.h"

#include "app/Formats.h"
#include "import/RowValues.h"
#include "storage/DiskFile.h"
#include "text/TextRules.h"
#include "withdrawal/WithdrawalMarks.h"

#include <QFileInfo>
#include <QHash>
#include <QSet>

#include <algorithm>
#include <memory>
#include <tuple>
#include <utility>
#include <atomic>
#include <cstring>
#include <exception>
#include <system_error>
#include <thread>
#include <vector>

using namespace Qt::StringLiterals;

namespace importPlan {
namespace {

// Records are the same when their key fields are, blanks at the ends and the case of a to z aside.
QString keyOf(const QList<int>& fields, const std::function<QString(int field)>& text)
{
    QString joined;
    for (int field : fields) {
        const QString value = text(field);
        const QStringView trimmed = trimControls(QStringView(value));
        joined.reserve(joined.size() + trimmed.size() + 1);
        for (const QChar c : trimmed)
            joined.append(c.unicode() >= u'a' && c.unicode() <= u'z' ? QChar(char16_t(c.unicode() - 32)) : c);
        joined.append(u'\x1F');
    }
    return joined;
}

// Copies the fields a row gave from its record into another: each field is stored on its own,
// so this is what encoding the merged texts would give.
void merge(const RecordFormat& format, char* into, const char* row, const QList<bool>& given)
{
    for (qsizetype i = 0; i < given.size() && i < format.fields.size(); ++i) {
        if (given.at(i)) {
            const RecordFormat::Field& field = format.fields.at(i);
            std::memcpy(into + field.offset, row + field.offset, std::size_t(field.capacity) + 1);
        }
    }
}

// Calls `work` for 0 to count - 1, shared out among the cores when there are rows enough to pay
// for the threads, in batches taken in turn so that a core slowed by other programs takes fewer;
// an exception in any part is thrown here once all have stopped.
void inParallel(qsizetype count, const std::function<void(qsizetype)>& work)
{
    const qsizetype parts = count < 2000 ? 1 : std::clamp<qsizetype>(std::thread::hardware_concurrency(), 1, 4);
    constexpr qsizetype Batch = 256;
    std::atomic<qsizetype> next{0};
    std::vector<std::exception_ptr> failures(static_cast<std::size_t>(parts));
    const auto run = [&](qsizetype part) {
        try {
            for (qsizetype first = next.fetch_add(Batch); first < count; first = next.fetch_add(Batch)) {
                for (qsizetype i = first; i < std::min(count, first + Batch); ++i)
                    work(i);
            }
        } catch (...) {
            failures[std::size_t(part)] = std::current_exception();
            next = count;  // the others stop at their batch's end
        }
    };
    std::vector<std::thread> helpers;
    for (qsizetype part = 1; part < parts; ++part) {
        try {
            helpers.emplace_back(run, part);
        } catch (const std::system_error&) {
            run(part);  // no thread to be had: this one does it
        }
    }
    run(0);
    for (std::thread& helper : helpers)
        helper.join();
    for (const std::exception_ptr& failure : failures) {
        if (failure)
            std::rethrow_exception(failure);
    }
}

// A row's key with its hash worked out beforehand, on the core that made the row: telling the
// sheet's own repeats apart is then no more than a lookup per row.
struct RowKey {
    const QString* text;
    size_t hash;
    bool operator==(const RowKey& other) const { return *text == *other.text; }
};
size_t qHash(const RowKey& key, size_t) { return key.hash; }

struct Found {
    qint64 position = 0;
    QByteArray record;
};

// The first record of each wanted key already in the archive.
QHash<QString, Found> existing(const sheetImport::Archive& archive, const QList<int>& key, const QSet<QString>& wanted,
                               const QString& path)
{
    QHash<QString, Found> found;
    if (!DiskFile::exists(path) || wanted.isEmpty())
        return found;
    const RecordFile file(path, archive.format.size);
    file.scan([&](qint64 position, QByteArrayView record) {
        const QString stored = keyOf(key, [&](int field) { return archive.format.readField(record, field); });
        if (wanted.contains(stored) && !found.contains(stored))
            found.insert(stored, {position, record.toByteArray()});
        return true;
    });
    return found;
}

// The archive's size and time of last change, or -1 and 0 when it is missing.
std::pair<qint64, qint64> stateOf(const QString& path)
{
    const QFileInfo info(path);
    return info.exists() ? std::pair{info.size(), info.lastModified().toMSecsSinceEpoch()} : std::pair{qint64(-1), qint64(0)};
}

// A stored record as this program writes it: what it would write back unchanged.
QByteArray canonicalOf(const RecordFormat& format, QByteArrayView bytes)
{
    return format.encodeTexts(format.decodeTexts(bytes));
}

// The update of the record at `position` from `before` (canonical) to `record`, checked against
// the record then in the archive.
RecordFile::Change changeOf(const RecordFormat& format, qint64 position, const QByteArray& before, const QByteArray& record)
{
    return {position, record, [format, before](QByteArrayView current) { return canonicalOf(format, current) == before; }};
}

// The plan checked again against the archive as it is now (`current`, read under the lock).
void recheck(Plan& plan, const RecordFile& current, const RecordFormat& format)
{
    const QSet<QString> wanted(plan.additionKeys.cbegin(), plan.additionKeys.cend());
    QHash<QString, Found> found;
    QHash<qint64, QByteArray> updated;  // the records to update as they are now
    QSet<qint64> toUpdate;
    for (const RecordFile::Change& change : std::as_const(plan.updates))
        toUpdate.insert(change.position);
    current.scan([&](qint64 position, QByteArrayView record) {
        if (toUpdate.contains(position))
            updated.insert(position, canonicalOf(format, record));
        if (!wanted.isEmpty()) {
            const QString stored = keyOf(plan.key, [&](int field) { return format.readField(record, field); });
            if (wanted.contains(stored) && !found.contains(stored))
                found.insert(stored, {position, record.toByteArray()});
        }
        return true;
    });

    // An update another station already made is no longer to be done.
    QList<RecordFile::Change> updates;
    for (const RecordFile::Change& change : std::as_const(plan.updates)) {
        if (updated.value(change.position) == change.record)
            ++plan.skipped;
        else
            updates.append(change);
    }

    // A new record another station has added meanwhile is there already.
    QByteArray additions;
    QStringList keys;
    QList<QList<bool>> given;
    QByteArray record(format.size, Qt::Uninitialized);
    const char* packed = plan.additions.constData();
    for (int i = 0; i < plan.added; ++i) {
        const char* const start = packed;
        packed = format.unpackInto(packed, record.data());
        const auto there = found.constFind(plan.additionKeys.at(i));
        if (there == found.cend()) {
            additions.append(start, packed - start);
            keys.append(plan.additionKeys.at(i));
            given.append(plan.additionGiven.at(i));
            continue;
        }
        const QByteArray before = canonicalOf(format, there->record);
        QByteArray merged = before;
        merge(format, merged.data(), record.constData(), plan.additionGiven.at(i));
        if (plan.duplicates == Duplicates::Skip || merged == before)
            ++plan.skipped;
        else
            updates.append(changeOf(format, there->position, before, merged));
    }
    plan.additions = additions;
    plan.added = int(keys.size());
    plan.additionKeys = keys;
    plan.additionGiven = given;
    plan.updates = updates;
}

}  // namespace

QString withdrawnMatchWarning(qint64 position, const QDate& day)
{
    return QStringLiteral("la riga corrisponde alla scheda %1, ritirata il %2, che resta ritirata")
        .arg(position)
        .arg(formats::dateText(day));
}

Plan analyse(const sheetImport::Archive& archive, const sheetImport::Sheet& sheet, const columnMatch::Mapping& mapping,
             Duplicates duplicates, const QString& archivePath, const QDate& today)
{
    Plan plan;
    const RecordFormat& format = archive.format;
    QList<int> key;
    for (const QString& field : archive.key)
        key.append(format.indexOf(field));
    plan.key = key;
    plan.duplicates = duplicates;
    std::tie(plan.seenSize, plan.seenModified) = stateOf(archivePath);
    // Rows are made records each on its own, kept packed; a large sheet is shared out among the
    // processor's cores.
    struct Made {
        QString rejection;
        QStringList warnings;
        QList<bool> given;
        QString key;
        size_t keyHash = 0;  // qHash() of `key` with the global seed
        QByteArray packed;
    };
    const qsizetype count = std::max<qsizetype>(0, sheet.rows.size() - 1);
    std::vector<Made> made(static_cast<std::size_t>(count));
    const auto recordOf = [&](qsizetype slot) {
        QByteArray record(format.size, Qt::Uninitialized);
        format.unpackInto(made[std::size_t(slot)].packed.constData(), record.data());
        return record;
    };
    inParallel(count, [&](qsizetype slot) {
        rowValues::Result values = rowValues::make(archive, sheet.rows.at(slot + 1), mapping, today,
                                                         rowValues::Texts::Borrowed);
        Made& row = made[std::size_t(slot)];
        if (!values.rejection.isEmpty()) {
            row.rejection = std::move(values.rejection);
            return;
        }
        row.warnings = std::move(values.warnings);
        row.key = keyOf(key, [&](int field) { return values.texts.at(field); });
        row.keyHash = qHash(row.key, QHashSeed::globalSeed());
        thread_local QByteArray record;  // each thread's own, whichever archive
        record.resize(format.size);
        format.encodeTextsInto(values.texts, record.data());
        format.packInto(record, row.packed);
        row.given = std::move(values.given);
    });
    QList<qsizetype> rows;  // the slots of the rows not rejected, in order
    rows.reserve(count);
    // The keys are looked for in the archive only when it holds records.
    const bool archiveHasRecords = DiskFile::exists(archivePath) && QFileInfo(archivePath).size() >= format.size;
    QSet<QString> keys;
    if (archiveHasRecords)
        keys.reserve(count);
    for (qsizetype slot = 0; slot < count; ++slot) {
        const Made& row = made[std::size_t(slot)];
        const int number = sheet.rows.at(slot + 1).number;
        if (!row.rejection.isEmpty()) {
            plan.rejected.append({number, row.rejection});
            continue;
        }
        for (const QString& warning : row.warnings)
            plan.warnings.append({number, warning});
        if (archiveHasRecords)
            keys.insert(row.key);
        rows.append(slot);
    }

    const QHash<QString, Found> stored = existing(archive, key, keys, archivePath);
    // A withdrawn record is still in the archive: matched like any other, and the user told.
    const withdrawal::Marks withdrawn = stored.isEmpty() ? withdrawal::Marks() : withdrawal::read(archivePath);
    QList<qsizetype> additions;  // slots
    additions.reserve(rows.size());
    QHash<RowKey, qsizetype> addedAt;  // the slot of the row each key was first added from
    addedAt.reserve(rows.size());
    struct Update {
        qint64 position;
        QByteArray before;  // the stored record as this program writes it
        QByteArray record;
    };
    QList<Update> updates;
    QHash<QString, qsizetype> updatedAt;
    const auto canonical = [&format](QByteArrayView bytes) { return canonicalOf(format, bytes); };
    for (const qsizetype i : std::as_const(rows)) {
        const Made& row = made[std::size_t(i)];
        const RowKey rowKey{&row.key, row.keyHash};
        const auto added = addedAt.constFind(rowKey);
        const auto inArchive = stored.constFind(row.key);
        if (inArchive != stored.cend() && withdrawn.isWithdrawn(inArchive->position))
            plan.warnings.append({sheet.rows.at(i + 1).number, withdrawnMatchWarning(inArchive->position,
                                                                                     withdrawn.date(inArchive->position))});
        if ((added != addedAt.cend() || inArchive != stored.cend()) && duplicates == Duplicates::Skip) {
            ++plan.skipped;
        } else if (added != addedAt.cend()) {
            // The same record twice in the sheet: the later row wins.
            QByteArray record = recordOf(*added);
            merge(format, record.data(), recordOf(i).constData(), row.given);
            Made& first = made[std::size_t(*added)];
            first.packed.clear();
            format.packInto(record, first.packed);
            for (qsizetype f = 0; f < first.given.size() && f < row.given.size(); ++f)
                first.given[f] = first.given.at(f) || row.given.at(f);
        } else if (const auto updated = updatedAt.constFind(row.key); updated != updatedAt.cend()) {
            merge(format, updates[*updated].record.data(), recordOf(i).constData(), row.given);
        } else if (inArchive != stored.cend()) {
            const QByteArray before = canonical(inArchive->record);
            QByteArray record = before;
            merge(format, record.data(), recordOf(i).constData(), row.given);
            updatedAt.insert(row.key, updates.size());
            updates.append({inArchive->position, before, record});
        } else {
            addedAt.insert(rowKey, i);
            additions.append(i);
        }
    }

    plan.added = int(additions.size());
    qsizetype packedSize = 0;
    for (qsizetype row : std::as_const(additions))
        packedSize += made[std::size_t(row)].packed.size();
    plan.additions.reserve(packedSize);
    plan.additionKeys.reserve(additions.size());
    plan.additionGiven.reserve(additions.size());
    for (qsizetype row : std::as_const(additions)) {
        Made& addition = made[std::size_t(row)];
        plan.additions.append(addition.packed);
        plan.additionKeys.append(std::move(addition.key));
        plan.additionGiven.append(std::move(addition.given));
    }
    for (const Update& update : std::as_const(updates)) {
        if (update.record == update.before) {
            ++plan.skipped;  // the archive already holds what the row says
            continue;
        }
        plan.updates.append(changeOf(format, update.position, update.before, update.record));
    }
    return plan;
}

QByteArray records(const Plan& plan, const RecordFormat& format)
{
    QByteArray whole(qsizetype(format.size) * plan.added, Qt::Uninitialized);
    const char* packed = plan.additions.constData();
    for (int i = 0; i < plan.added; ++i)
        packed = format.unpackInto(packed, whole.data() + qsizetype(i) * format.size);
    return whole;
}

qint64 commit(Plan& plan, const QString& archivePath, const RecordFormat& format)
{
    RecordFile file(archivePath, format.size);
    Plan checked = plan;
    const qint64 first = file.writeAllPrepared([&](const RecordFile& current) {
        if (stateOf(archivePath) != std::pair{plan.seenSize, plan.seenModified}) {
            checked = plan;  // made afresh should the lock be taken more than once
            recheck(checked, current, format);
        }
        // The pieces are asked for in order: each goes on where the last one stopped.
        const auto packed = std::make_shared<const char*>(checked.additions.constData());
        const auto unpack = [packed, &format](qint64, qint64 count, char* into) {
            for (qint64 i = 0; i < count; ++i)
                *packed = format.unpackInto(*packed, into + i * format.size);
        };
        return RecordFile::Batch{checked.added, unpack, checked.updates};
    });
    file.close();
    plan = std::move(checked);
    return plan.added > 0 || plan.updates.isEmpty() ? first : plan.updates.first().position;
}

QStringList summary(const Plan& plan, bool written)
{
    return {
        (written ? u"Schede aggiunte: %1"_s : u"Schede da aggiungere: %1"_s).arg(plan.added),
        (written ? u"Schede aggiornate: %1"_s : u"Schede da aggiornare: %1"_s).arg(plan.updated()),
        u"Righe saltate perch\u00E9 gi\u00E0 in archivio: %1"_s.arg(plan.skipped),
        u"Righe scartate: %1"_s.arg(plan.rejected.size()),
    };
}

}  // namespace importPlan
