#pragma once

#include "PdfPlugin.h"

#include <QObject>

// golvera-cli's PDF plugin on the report engine.
class PdfFiles final : public QObject, public PdfPlugin {
    Q_OBJECT
    Q_PLUGIN_METADATA(IID GolveraPdfPlugin_iid)
    Q_INTERFACES(PdfPlugin)
public:
    std::unique_ptr<QCoreApplication> application(int& argc, char** argv) override;
    QString writeStandings(standings::Kind kind, const QString& title, const QList<ListRow>& rows,
                           const QString& path) override;
    QString writeList(const QString& title, const QStringList& lines, const QString& path) override;
};
