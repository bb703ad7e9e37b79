#include "withdrawal/WithdrawalMarks.h"

#include "app/Formats.h"
#include "storage/ArchiveError.h"
#include "storage/DiskFile.h"

#include <QFileInfo>

namespace withdrawal {

namespace {

constexpr char withdrawnKind = 'R';
constexpr char broughtBackKind = 'A';
constexpr int positionDigits = 10;
const QString dayFormat = QStringLiteral("yyyyMMdd");

struct Mark {
    bool withdrawn = false;
    qint64 position = 0;
    QDate day;
};

bool parse(QByteArrayView record, Mark& mark)
{
    if (record.size() != RecordSize || (record[0] != withdrawnKind && record[0] != broughtBackKind))
        return false;
    bool ok = false;
    mark.withdrawn = record[0] == withdrawnKind;
    mark.position = record.sliced(1, positionDigits).toByteArray().toLongLong(&ok);
    mark.day = QDate::fromString(QString::fromLatin1(record.sliced(11, 8).toByteArray()), dayFormat);
    return ok && mark.position > 0 && mark.day.isValid();
}

QByteArray encode(qint64 position, const QDate& withdrawn, const QDate& broughtBack)
{
    QByteArray record;
    record.reserve(RecordSize);
    record += broughtBack.isValid() ? broughtBackKind : withdrawnKind;
    record += QByteArray::number(position).rightJustified(positionDigits, '0');
    record += withdrawn.toString(dayFormat).toLatin1();
    record += broughtBack.isValid() ? broughtBack.toString(dayFormat).toLatin1() : QByteArray(8, ' ');
    return record;
}

// The records of the file: for each position, the last one and where it is.
struct Found {
    Mark mark;
    qint64 index = 0;  // 1-based record of the mark file
    QByteArray bytes;
};

}  // namespace

QString marksPath(const QString& archivePath) { return archivePath + suffix; }

bool isMarksName(const QString& fileName)
{
    return fileName.size() > suffix.size() && fileName.endsWith(suffix, Qt::CaseInsensitive);
}

Marks fromBytes(QByteArrayView bytes)
{
    QHash<qint64, Mark> last;
    for (qsizetype at = 0; at + RecordSize <= bytes.size(); at += RecordSize) {
        Mark mark;
        if (parse(bytes.sliced(at, RecordSize), mark))
            last.insert(mark.position, mark);
    }
    Marks marks;
    for (const Mark& mark : std::as_const(last)) {
        if (mark.withdrawn)
            marks.set(mark.position, mark.day);
    }
    return marks;
}

Marks read(const QString& archivePath)
{
    const QString path = marksPath(archivePath);
    if (!DiskFile::exists(path))
        return {};
    const RecordFile file(path, RecordSize);
    QByteArray all;
    file.scan([&all](qint64, QByteArrayView record) {
        all.append(record);
        return true;
    });
    return fromBytes(all);
}

Outcome apply(const QString& archivePath, int recordSize, const QList<Request>& requests, const QDate& today)
{
    if (!DiskFile::exists(archivePath))
        return requests.isEmpty() ? Outcome::Done : Outcome::NoSuchRecord;
    const RecordFile archive(archivePath, recordSize);
    const qint64 records = archive.count();

    RecordFile marks(marksPath(archivePath), RecordSize);
    QHash<qint64, Found> found;
    marks.scan([&found](qint64 index, QByteArrayView record) {
        Found f;
        if (parse(record, f.mark)) {
            f.index = index;
            f.bytes = record.toByteArray();
            found.insert(f.mark.position, f);
        }
        return true;
    });

    QByteArray appended;
    QList<RecordFile::Change> changes;
    for (const Request& request : requests) {
        if (request.position < 1 || request.position > records)
            return Outcome::NoSuchRecord;
        if (request.recordUnchanged && !request.recordUnchanged(archive.read(request.position)))
            throw RecordChanged(QStringLiteral("Archive file %1: record %2 was changed by another station")
                                    .arg(archivePath)
                                    .arg(request.position)
                                    .toStdString());
        const auto it = found.constFind(request.position);
        const bool withdrawn = it != found.cend() && it->mark.withdrawn;
        if (request.seen && (withdrawn ? it->mark.day : QDate()) != *request.seen)
            throw RecordChanged(QStringLiteral("Archive file %1: record %2 was withdrawn or brought back by another "
                                               "station")
                                    .arg(marksPath(archivePath))
                                    .arg(request.position)
                                    .toStdString());
        const bool withdraw = request.action == Action::Withdraw;
        if (withdraw && withdrawn)
            return Outcome::AlreadyWithdrawn;
        if (!withdraw && !withdrawn)
            return Outcome::NotWithdrawn;
        const QByteArray record = withdraw ? encode(request.position, today, {})
                                           : encode(request.position, it->mark.day, today);
        if (it == found.cend()) {
            appended += record;
        } else {
            // Rewritten only if no other station touched it since it was read here.
            changes.append({it->index, record, [bytes = it->bytes](QByteArrayView current) { return current == bytes; }});
        }
    }
    marks.writeAll(appended, changes);
    marks.close();
    return Outcome::Done;
}

bool removeMarks(const QString& archivePath)
{
    const QString path = marksPath(archivePath);
    DiskFile::remove(path);
    return !DiskFile::exists(path);
}

QString bandText(const QDate& day) { return QStringLiteral("Ritirata il ") + formats::dateText(day); }

QString rowNote(const QDate& day) { return QStringLiteral("  (") + bandText(day) + QLatin1Char(')'); }

}  // namespace withdrawal
