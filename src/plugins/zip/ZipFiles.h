#pragma once

#include "backup/ZipPlugin.h"

#include <QObject>

// The zip plugin on libzip.
class ZipFiles final : public QObject, public ZipPlugin {
    Q_OBJECT
    Q_PLUGIN_METADATA(IID GolveraZipPlugin_iid)
    Q_INTERFACES(ZipPlugin)
public:
    QString write(const QString& zipPath, const QString& folder, const QStringList& files) override;
    std::unique_ptr<ZipReader> open(const QString& zipPath, QString& error) override;
};
