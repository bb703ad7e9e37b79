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
QString keyOf(const QList<int>& fields, const std::function<QString(int field)>& text)
{
    QString joined;
    for (int field : fields)
        joined += upperAsciiLetters(trimControls(text(field))) + u'\x1F';
    return joined;
}

void merge(sheetImport::Texts& into, const rowValues::Result& row)
{
    for (qsizetype i = 0; i < row.given.size() && i < into.size(); ++i) {
        if (row.given.at(i))
            into[i] = row.texts.at(i);
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
    QList<int> key;
    for (const QString& field : archive.key)
        key.append(archive.format.indexOf(field));
    struct Row {
        rowValues::Result values;
        QString key;
    };
    QList<Row> rows;
    rows.reserve(sheet.rows.size());
    QSet<QString> keys;
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
        rows.append({std::move(values), std::move(rowKey)});
    }

    const QHash<QString, Found> stored = existing(archive, key, keys, archivePath);
    QList<sheetImport::Texts> additions;
    QHash<QString, qsizetype> addedAt;
    struct Update {
        Found stored;
        sheetImport::Texts texts;
    };
    QList<Update> updates;
    QHash<QString, qsizetype> updatedAt;
    for (const Row& row : std::as_const(rows)) {
        const auto added = addedAt.constFind(row.key);
        const auto inArchive = stored.constFind(row.key);
        if ((added != addedAt.cend() || inArchive != stored.cend()) && duplicates == Duplicates::Skip) {
            ++plan.skipped;
        } else if (added != addedAt.cend()) {
            // The same record twice in the sheet: the later row wins.
            merge(additions[*added], row.values);
        } else if (const auto updated = updatedAt.constFind(row.key); updated != updatedAt.cend()) {
            merge(updates[*updated].texts, row.values);
        } else if (inArchive != stored.cend()) {
            sheetImport::Texts texts = archive.format.decodeTexts(inArchive->record);
            merge(texts, row.values);
            updatedAt.insert(row.key, updates.size());
            updates.append({*inArchive, texts});
        } else {
            addedAt.insert(row.key, additions.size());
            additions.append(row.values.texts);
        }
    }

    plan.added = int(additions.size());
    plan.additions.reserve(qsizetype(archive.format.size) * additions.size());
    for (const sheetImport::Texts& texts : std::as_const(additions))
        plan.additions += archive.format.encodeTexts(texts);
    const RecordFormat format = archive.format;
    const auto canonical = [format](QByteArrayView bytes) { return format.encodeTexts(format.decodeTexts(bytes)); };
    for (const Update& update : std::as_const(updates)) {
        const QByteArray before = canonical(update.stored.record);
        const QByteArray after = format.encodeTexts(update.texts);
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
