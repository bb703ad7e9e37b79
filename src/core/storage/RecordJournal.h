#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

// The rollback journal that makes a write of many records all or nothing, also when the process
// is killed or the machine stops: before the archive's first byte changes, "<archive>.journal"
// holds what is needed to undo the write (the archive's old size and the old bytes of every place
// the write overwrites), flushed to the disk together with its folder entry. The archive is then
// written and flushed, and the journal deleted: its deletion is the moment the write counts.
//
// A journal found beside an archive while nobody holds the archive's lock is a dead writer's: the
// archive is put back from it, then it goes. One cut short (its checksum does not match) was cut
// while being written, before the archive was touched, and just goes. The layout is in
// docs/archive-files.md.
namespace recordJournal {

// Old bytes of the archive, `bytes.size()` of them from `offset`.
struct Saved {
    qint64 offset = 0;
    QByteArray bytes;
};

QString pathFor(const QString& archivePath);

// Writes the journal of a write on `archivePath` whose file is now `oldSize` bytes long, and
// makes it durable. False with `error` set when it could not (a journal left half-written is
// removed as far as possible; it would be ignored anyway).
bool write(const QString& archivePath, qint64 oldSize, const QList<Saved>& saved, QString* error);

// Deletes the journal, durably: the write it guarded now counts. False with `error` set.
bool commit(const QString& archivePath, QString* error);

// Only while holding the archive's lock: puts the archive back as a journal beside it says, then
// deletes the journal; a journal cut short is only deleted. True when there is no journal (any
// more); false with `error` set when the archive could not be put back (the journal then stays).
bool rollBackLocked(const QString& archivePath, QString* error);

// Before reading or writing an archive without holding its lock: when a journal lies beside it,
// takes the lock (waiting for a writer still at work to finish) and rolls back what a dead writer
// left. Throws ArchiveError when the archive cannot be put back, ArchiveBusy when the lock stays
// held.
void recover(const QString& archivePath);

}  // namespace recordJournal
