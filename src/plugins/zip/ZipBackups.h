#pragma once

#include "backup/ZipPlugin.h"

#include <QObject>

// The zip plugin on libzip: backups, and the workbooks an import reads.
class ZipBackups final : public QObject, public ZipPlugin {
    Q_OBJECT
    Q_PLUGIN_METADATA(IID GolveraZipPlugin_iid)
    Q_INTERFACES(ZipPlugin)
public:
    QString write(ZipTarget& target, const QString& zipPath, const QString& folder, const QStringList& files) override;
    std::unique_ptr<ZipReader> read(int fd, QString* error) override;
    std::unique_ptr<ZipInMemory> open(QByteArray bytes) override;
};
