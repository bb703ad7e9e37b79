#include "PdfOutput.h"

#include "PdfPlugin.h"
#include "Terminal.h"
#include "app/Plugins.h"

#include <QFileInfo>

namespace pdfOutput {
namespace {

PdfPlugin* plugin = nullptr;

int outcome(const QString& failure, const QString& path)
{
    if (failure.isEmpty())
        return terminal::Done;
    return terminal::failure(QStringLiteral("impossibile scrivere il PDF \"%1\" (%2)").arg(path, failure));
}

QString noPdfSupport()
{
    return plugins::missingMessage(QStringLiteral("il supporto per i PDF non \u00E8 installato"), plugins::pdf);
}

}  // namespace

std::unique_ptr<QCoreApplication> application(int& argc, char** argv)
{
    // The application does not exist yet to tell its own folder.
    const QString executable = QFileInfo(QStringLiteral("/proc/self/exe")).canonicalFilePath();
    plugin = qobject_cast<PdfPlugin*>(plugins::load(plugins::folderBeside(QFileInfo(executable).path()), plugins::pdf));
    return plugin ? plugin->application(argc, argv) : nullptr;
}

int writeStandings(standings::Kind kind, const QString& title, const QList<ListRow>& rows, const QString& path)
{
    return outcome(plugin ? plugin->writeStandings(kind, title, rows, path) : noPdfSupport(), path);
}

int writeList(const QString& title, const QStringList& lines, const QString& path)
{
    return outcome(plugin ? plugin->writeList(title, lines, path) : noPdfSupport(), path);
}

}  // namespace pdfOutput
