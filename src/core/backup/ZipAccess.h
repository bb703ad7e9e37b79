#pragma once

#include "backup/ZipPlugin.h"

#include <QString>
#include <QStringList>

#include <memory>

// Zip files through the zip plugin, loaded the first time one is written or read.
// Without the plugin every call fails with `missing`.
namespace zipAccess {

// What a failure says then: the support is missing, the plugin's file and where it was looked for.
QString missing();

bool available();

// A new zip at `zipPath` holding `files` (relative to `folder`), written through the checked
// writer: it takes the old file's place only when whole. Returns the failure, empty on success.
QString write(const QString& zipPath, const QString& folder, const QStringList& files);

// The zip at `path`, read only from a regular file (a FIFO named like a backup would hang) and
// checked whole; null with `error` set otherwise.
std::unique_ptr<ZipReader> open(const QString& path, QString* error);

// The zip held in `bytes` (a workbook); null when it is not one or the plugin is missing.
std::unique_ptr<ZipInMemory> open(QByteArray bytes);

}  // namespace zipAccess
