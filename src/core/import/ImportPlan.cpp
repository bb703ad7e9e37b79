#include "import/ImportPlan.h"

#include "import/RowValues.h"
#include "storage/DiskFile.h"
#include "text/TextRules.h"

#include <QHash>
#include <QSet>

#include <cstring>

using namespace Qt::StringLiterals;

namespace importPlan {
namespace {

// Records are the same when their key fields are, blanks at the ends and the case of a to z aside.
QString keyOf(const QList<int>& fields, const std::function<QString(int field)>& text)
{
    QString joined;
    for (int field : fields)
        joined += upperAsciiLetters(trimControls(text(field))) + u'\x1F';
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

}  // namespace

Plan analyse(const sheetImport::Archive& archive, const sheetImport::Sheet& sheet, const columnMatch::Mapping& mapping,
             Duplicates duplicates, const QString& archivePath, const QDate& today)
{
    Plan plan;
    const RecordFormat& format = archive.format;
    QList<int> key;
    for (const QString& field : archive.key)
        key.append(format.indexOf(field));
    // Each row is made a record at once, while its texts are at hand, into one buffer that is
    // usually the additions as they stand; what follows moves bytes.
    struct Row {
        QList<bool> given;
        QString key;
    };
    QList<Row> rows;
    rows.reserve(sheet.rows.size());
    QByteArray records(qsizetype(format.size) * std::max<qsizetype>(0, sheet.rows.size() - 1), Qt::Uninitialized);
    const auto recordOf = [&records, &format](qsizetype row) { return records.data() + row * format.size; };
    QSet<QString> keys;
    keys.reserve(sheet.rows.size());
    for (qsizetype i = 1; i < sheet.rows.size(); ++i) {
        const sheetImport::Row& row = sheet.rows.at(i);
        rowValues::Result values = rowValues::make(archive, row, mapping, today);
        if (!values.rejection.isEmpty()) {
            plan.rejected.append({row.number, values.rejection});
            continue;
        }
        for (const QString& warning : std::as_const(values.warnings))
            plan.warnings.append({row.number, warning});
        QString rowKey = keyOf(key, [&](int field) { return values.texts.at(field); });
        keys.insert(rowKey);
        format.encodeTextsInto(values.texts, recordOf(rows.size()));
        rows.append({std::move(values.given), std::move(rowKey)});
    }
    records.truncate(qsizetype(format.size) * rows.size());

    const QHash<QString, Found> stored = existing(archive, key, keys, archivePath);
    QList<qsizetype> additions;  // of rows
    additions.reserve(rows.size());
    QHash<QString, qsizetype> addedAt;
    addedAt.reserve(rows.size());
    struct Update {
        Found stored;
        QByteArray record;
    };
    QList<Update> updates;
    QHash<QString, qsizetype> updatedAt;
    const auto canonical = [format](QByteArrayView bytes) { return format.encodeTexts(format.decodeTexts(bytes)); };
    for (qsizetype i = 0; i < rows.size(); ++i) {
        const Row& row = rows.at(i);
        const auto added = addedAt.constFind(row.key);
        const auto inArchive = stored.constFind(row.key);
        if ((added != addedAt.cend() || inArchive != stored.cend()) && duplicates == Duplicates::Skip) {
            ++plan.skipped;
        } else if (added != addedAt.cend()) {
            // The same record twice in the sheet: the later row wins.
            merge(format, recordOf(*added), recordOf(i), row.given);
        } else if (const auto updated = updatedAt.constFind(row.key); updated != updatedAt.cend()) {
            merge(format, updates[*updated].record.data(), recordOf(i), row.given);
        } else if (inArchive != stored.cend()) {
            QByteArray record = canonical(inArchive->record);
            merge(format, record.data(), recordOf(i), row.given);
            updatedAt.insert(row.key, updates.size());
            updates.append({*inArchive, record});
        } else {
            addedAt.insert(row.key, i);
            additions.append(i);
        }
    }

    plan.added = int(additions.size());
    // The new records close up in place of the rows that were not added.
    qsizetype kept = 0;
    for (qsizetype row : std::as_const(additions)) {
        if (row != kept)
            std::memmove(recordOf(kept), recordOf(row), std::size_t(format.size));
        ++kept;
    }
    records.truncate(qsizetype(format.size) * kept);
    plan.additions = std::move(records);
    for (const Update& update : std::as_const(updates)) {
        const QByteArray before = canonical(update.stored.record);
        if (update.record == before) {
            ++plan.skipped;  // the archive already holds what the row says
            continue;
        }
        plan.updates.append({update.stored.position, update.record,
                             [canonical, before](QByteArrayView current) { return canonical(current) == before; }});
    }
    return plan;
}

qint64 commit(const Plan& plan, const QString& archivePath, int recordSize)
{
    RecordFile file(archivePath, recordSize);
    const qint64 first = file.writeAll(plan.additions, plan.updates);
    file.close();
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
