#pragma once

#include <QString>

class QFile;

// One open file, through the operating system's own calls so that every step can be checked:
// each write, the flush to the disk and the close report their failure. Only regular files are
// ever opened: a FIFO, a device or a socket under an archive's name would hang or feed the
// program endless bytes, so they are refused before opening and checked again once open (the
// open itself does not block on them). Every call goes through the fault seam.
class DiskFile {
public:
    enum class Access {
        Read,       // an existing file, for reading
        ReadWrite,  // an existing file, for reading and writing
        CreateNew,  // a file that must not exist yet, for reading and writing
    };

    DiskFile() = default;
    ~DiskFile();  // closes without looking at the result: call close() where it matters
    DiskFile(DiskFile&& other) noexcept;
    DiskFile& operator=(DiskFile&& other) noexcept;
    DiskFile(const DiskFile&) = delete;
    DiskFile& operator=(const DiskFile&) = delete;

    // False with errorString() and errorCode() set when the file cannot be opened as asked.
    bool open(const QString& path, Access access);
    bool isOpen() const { return m_fd >= 0; }
    QString path() const { return m_path; }

    qint64 size();  // -1 on failure
    bool readAt(qint64 offset, char* data, qint64 size);  // exactly `size` bytes
    bool writeAt(qint64 offset, const char* data, qint64 size);
    bool truncate(qint64 size);
    bool sync();  // the written data on the disk
    bool close();
    bool setPermissionsOf(const QString& otherPath);  // the permission bits of another file
    // Takes the file's advisory lock without waiting; false (errorCode() EWOULDBLOCK) when another
    // open file holds it. A killed process's lock goes with it.
    bool tryLock();
    // Hands the open descriptor to the caller (who closes it); the object is then closed.
    int release();

    QString errorString() const { return m_error; }
    int errorCode() const { return m_errno; }

    // Opens `file` on the regular file at `path` for reading, never blocking on a FIFO or a device
    // put there; false with `error` set for anything else.
    static bool openForReading(const QString& path, QFile& file, QString* error = nullptr);
    // Regular file (following links) at `path`.
    static bool isRegularFile(const QString& path);
    // A path exists there, of whatever kind (a dangling link counts).
    static bool exists(const QString& path);
    // Something that is neither a regular file nor a symbolic link stands there (a folder, a FIFO,
    // a socket, a device): a name that a new file may not take the place of.
    static bool isSpecialFile(const QString& path);
    // Something other than a regular file stands there (a FIFO, a folder, a dangling link). A path
    // that another process removes meanwhile is nothing, not something else.
    static bool isOtherThanRegularFile(const QString& path);
    // Deletes a file; false with `error` set on failure.
    static bool remove(const QString& path, QString* error = nullptr);
    // Moves `from` over `to` in one step, then makes the change in the folder durable.
    static bool replace(const QString& from, const QString& to, QString* error = nullptr);
    // Makes the folder holding `path` durable: a file just created there, or just deleted, stays
    // so after the machine stops. False when the folder cannot be flushed.
    static bool syncFolderOf(const QString& path);

private:
    bool failed(const QString& what);

    int m_fd = -1;
    QString m_path;
    QString m_error;
    int m_errno = 0;
};
