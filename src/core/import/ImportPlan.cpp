#include "import/ImportPlan.h"

#include "import/RowValues.h"
#include "storage/DiskFile.h"
#include "text/TextRules.h"

#include <QHash>
#include <QSet>

using namespace Qt::StringLiterals;

namespace importPlan {
namespace {

// Records are the same when their key fields are, blanks at the ends and the case of a to z aside.
QString keyOf(const QStringList& key, const std::function<QString(const QString&)>& text)
{
    QString joined;
    for (const QString& field : key)
        joined += upperAsciiLetters(trimControls(text(field))) + u'\x1F';
    return joined;
}

void merge(RecordValues& into, const rowValues::Result& row)
{
    for (const QString& field : row.given)
        into.insert(field, row.values.value(field));
}

struct Found {
    qint64 position = 0;
    QByteArray record;
};

// The first record of each wanted key already in the archive.
QHash<QString, Found> existing(const sheetImport::Archive& archive, const QSet<QString>& wanted, const QString& path)
{
    QHash<QString, Found> found;
    if (!DiskFile::exists(path) || wanted.isEmpty())
        return found;
    QList<int> indices;
    for (const QString& field : archive.key)
        indices.append(archive.format.indexOf(field));
    const RecordFile file(path, archive.format.size);
    file.scan([&](qint64 position, QByteArrayView record) {
        const QString key = keyOf(archive.key, [&](const QString& field) {
            return archive.format.readField(record, indices.at(archive.key.indexOf(field)));
        });
        if (wanted.contains(key) && !found.contains(key))
            found.insert(key, {position, record.toByteArray()});
        return true;
    });
    return found;
}

}  // namespace

Plan analyse(const sheetImport::Archive& archive, const sheetImport::Sheet& sheet, const columnMatch::Mapping& mapping,
             Duplicates duplicates, const QString& archivePath, const QDate& today)
{
    Plan plan;
    struct Row {
        int number;
        rowValues::Result values;
        QString key;
    };
    QList<Row> rows;
    QSet<QString> keys;
    for (qsizetype i = 1; i < sheet.rows.size(); ++i) {
        const sheetImport::Row& row = sheet.rows.at(i);
        rowValues::Result values = rowValues::make(archive, row, mapping, today);
        if (!values.rejection.isEmpty()) {
            plan.rejected.append({row.number, values.rejection});
            continue;
        }
        for (const QString& warning : values.warnings)
            plan.warnings.append({row.number, warning});
        QString key = keyOf(archive.key, [&](const QString& field) { return values.values.value(field); });
        keys.insert(key);
        rows.append({row.number, std::move(values), std::move(key)});
    }

    const QHash<QString, Found> stored = existing(archive, keys, archivePath);
    QList<RecordValues> additions;
    QHash<QString, qsizetype> addedAt;
    struct Update {
        Found stored;
        RecordValues values;
    };
    QList<Update> updates;
    QHash<QString, qsizetype> updatedAt;
    for (const Row& row : rows) {
        const bool known = stored.contains(row.key) || addedAt.contains(row.key);
        if (known && duplicates == Duplicates::Skip) {
            ++plan.skipped;
        } else if (addedAt.contains(row.key)) {
            // The same record twice in the sheet: the later row wins.
            merge(additions[addedAt.value(row.key)], row.values);
        } else if (updatedAt.contains(row.key)) {
            merge(updates[updatedAt.value(row.key)].values, row.values);
        } else if (stored.contains(row.key)) {
            const Found& found = stored.value(row.key);
            RecordValues values = archive.format.decode(found.record);
            merge(values, row.values);
            updatedAt.insert(row.key, updates.size());
            updates.append({found, values});
        } else {
            addedAt.insert(row.key, additions.size());
            additions.append(row.values.values);
        }
    }

    plan.added = int(additions.size());
    plan.additions.reserve(qsizetype(archive.format.size) * additions.size());
    for (const RecordValues& values : additions)
        plan.additions += archive.format.encode(values);
    const RecordFormat format = archive.format;
    const auto canonical = [format](QByteArrayView bytes) { return format.encode(format.decode(bytes)); };
    for (const Update& update : updates) {
        const QByteArray before = canonical(update.stored.record);
        const QByteArray after = format.encode(update.values);
        if (after == before) {
            ++plan.skipped;  // the archive already holds what the row says
            continue;
        }
        plan.updates.append({update.stored.position, after,
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
