#pragma once

#include <QByteArrayView>
#include <QString>

#include <functional>

#include "storage/DiskFile.h"

// Every file the program writes whole (exports, photos, attachment copies, backups, restored
// files, printed documents, the password store) goes through here: the new content goes into a
// temporary file in the target's folder, every write, the flush and the close are checked, and
// only then does it take the old file's place in one step. A failure at any point, or a crash,
// leaves the old file exactly as it was. A symbolic link at the target's name is replaced, never
// followed; a folder, a FIFO, a socket or a device there is refused.
//
// Temporary files are hidden (".<name>.golvera-<process>-<random>.tmp"), so no list of the
// program shows them, and they are locked while written. The next write of the same kind in the
// same folder removes those whose writer has died.
namespace wholeFile {

// A file written in pieces: open, write as often as needed, then commit or abandon. Destroying
// an uncommitted writer abandons it.
class Writer {
public:
    // `kind` is a wildcard over the names in the target's folder whose leftover temporary files
    // this write clears ("Scheda_Giocatore_*.jpg"); empty: the target's own name.
    explicit Writer(QString path, QString kind = {});
    ~Writer();
    Writer(const Writer&) = delete;
    Writer& operator=(const Writer&) = delete;

    bool open();
    bool write(QByteArrayView bytes);  // at the current position
    // Moves the position within what has been written, for formats that fill in a header
    // afterwards (a zip's local headers).
    bool seek(qint64 position);
    qint64 position() const { return m_position; }
    qint64 size() const { return m_size; }
    // Flushes, closes and puts the file in place; false, the old file untouched, on any failure.
    bool commit();
    void abandon();

    QString path() const { return m_path; }
    QString errorString() const { return m_error; }

private:
    bool fail(const QString& why);

    QString m_path;
    QString m_kind;
    DiskFile m_file;
    QString m_temporary;
    qint64 m_position = 0;
    qint64 m_size = 0;
    QString m_error;
};

// The whole content at once. False with `error` set when the new content could not be put in
// place.
bool write(const QString& path, QByteArrayView bytes, QString* error = nullptr, const QString& kind = {});

// A copy from a reader into `out` (not yet opened): `read` fills up to `size` bytes of `into` and
// returns how many, 0 at the end (never judged by a size the source claims: some report none),
// -1 on failure. The copy is put in place only when the reader reached its end.
struct Copied {
    enum class Failure { None, Read, Write };
    Failure failure = Failure::None;
    QString error;  // the writer's error for Write; empty for Read (the reader knows its own)
    bool ok() const { return failure == Failure::None; }
};
Copied copy(const std::function<qint64(char* into, qint64 size)>& read, Writer& out);

// Whether a name is one of this writer's temporary files, which no list and no backup takes in.
bool isTemporaryName(const QString& fileName);

// Removes from `folder` the temporary files of dead writers whose target name matches the
// wildcard `kind`, and returns how many.
int removeLeftovers(const QString& folder, const QString& kind);

}  // namespace wholeFile
