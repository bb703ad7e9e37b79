#pragma once

#include <QByteArrayView>
#include <QString>
#include <QStringList>
#include <QtPlugin>

#include <functional>
#include <memory>
#include <optional>

// Zip files as a plugin: the zip library and the compression and cryptography libraries it brings
// are loaded only when a backup is written or restored or a workbook is imported, never at
// start-up. The plugin only turns files into zip entries and back; what is backed up, where the
// bytes go, what a restore accepts and how a workbook is read stay in the program. The plugin's
// root object implements ZipPlugin.

// Where a new zip's bytes go: the program's checked writer.
class ZipTarget {
public:
    virtual ~ZipTarget() = default;
    virtual bool open() = 0;
    virtual bool write(QByteArrayView bytes) = 0;  // at the current position
    virtual bool seek(qint64 position) = 0;
    virtual qint64 position() const = 0;
    virtual qint64 size() const = 0;
    virtual bool commit() = 0;
    virtual void abandon() = 0;
    virtual QString errorString() const = 0;
};

// One entry of a zip, read in pieces.
class ZipEntryReader {
public:
    virtual ~ZipEntryReader() = default;
    // Up to `most` bytes into `into`: how many, 0 at the end, -1 when the entry is damaged.
    virtual qint64 read(char* into, qint64 most) = 0;
    virtual QString errorString() const = 0;
};

// A zip open for reading.
class ZipReader {
public:
    struct Entry {
        bool readable = false;  // its header could be read and holds a name
        QString name;
        bool sizeKnown = false;
        quint64 size = 0;
        // What the zip says the entry is: the system that wrote it (0 MS-DOS, 3 Unix) and its
        // attributes (MS-DOS bits low; on Unix the file mode in the high 16 bits).
        bool attributesKnown = false;
        quint8 system = 0;
        quint32 attributes = 0;
    };

    virtual ~ZipReader() = default;
    virtual qint64 count() const = 0;
    virtual Entry entry(qint64 index) const = 0;
    // Null when the entry cannot be opened (errorString says why).
    virtual std::unique_ptr<ZipEntryReader> open(qint64 index) = 0;
    virtual QString errorString() const = 0;
};

// A zip held in memory (the workbooks of the spreadsheet programs), read only.
class ZipInMemory {
public:
    virtual ~ZipInMemory() = default;
    virtual bool contains(const QString& name) const = 0;
    // The whole entry, or nothing when it is missing, damaged or would unpack to more than
    // `maxBytes`.
    virtual std::optional<QByteArray> read(const QString& name, qint64 maxBytes) const = 0;
    // The same in pieces as it unpacks, handed to `piece` until it returns false; false when the
    // entry is missing, damaged, larger than `maxBytes` or a piece was refused.
    virtual bool stream(const QString& name, const std::function<bool(QByteArrayView)>& piece, qint64 maxBytes) const = 0;
};

class ZipPlugin {
public:
    virtual ~ZipPlugin() = default;
    // Writes a new zip through `target` holding `files`, paths relative to `folder` stored under
    // those names; `zipPath` names it in the messages. Returns the failure, empty on success.
    virtual QString write(ZipTarget& target, const QString& zipPath, const QString& folder,
                          const QStringList& files) = 0;
    // The zip read from the open file `fd`, which it takes over, checked for consistency; null,
    // with the failure in `error`, when it is not a whole zip.
    virtual std::unique_ptr<ZipReader> read(int fd, QString* error) = 0;
    // The zip held in `bytes`; null when it is not one.
    virtual std::unique_ptr<ZipInMemory> open(QByteArray bytes) = 0;
};

#define GolveraZipPlugin_iid "example.golvera.ZipPlugin/3.1"
Q_DECLARE_INTERFACE(ZipPlugin, GolveraZipPlugin_iid)
