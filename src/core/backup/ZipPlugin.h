#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QtPlugin>

#include <memory>

// Zip files as a plugin: the zip library and the compression and cryptography libraries it brings
// are loaded only when a backup is written or restored, never at start-up. The plugin's root
// object implements ZipPlugin.

// One zip file open for reading.
class ZipReader {
public:
    virtual ~ZipReader() = default;
    virtual qint64 count() const = 0;
    // The entry's name as stored (UTF-8 or, in zips made elsewhere, guessed).
    virtual QString name(qint64 index) const = 0;
    // The entry's whole content; false, with the failure in `error`, when it cannot be read.
    virtual bool read(qint64 index, QByteArray& content, QString& error) = 0;
};

class ZipPlugin {
public:
    virtual ~ZipPlugin() = default;
    // Writes a new zip at `zipPath` holding `files`, paths relative to `folder` stored under those
    // names. The zip is made in a temporary file and takes the place of `zipPath` only when it is
    // whole. Returns the failure, empty on success.
    virtual QString write(const QString& zipPath, const QString& folder, const QStringList& files) = 0;
    // Opens the zip at `zipPath`; null, with the failure in `error`, when it cannot be read.
    virtual std::unique_ptr<ZipReader> open(const QString& zipPath, QString& error) = 0;
};

#define GolveraZipPlugin_iid "example.golvera.ZipPlugin/1.0"
Q_DECLARE_INTERFACE(ZipPlugin, GolveraZipPlugin_iid)
