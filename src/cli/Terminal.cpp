#include "Terminal.h"

#include "output/ReportLayout.h"
#include "output/ReportPainter.h"

#include <QFileInfo>
#include <QTextStream>

namespace terminal {

QTextStream& out()
{
    static QTextStream stream(stdout);
    return stream;
}

QTextStream& err()
{
    static QTextStream stream(stderr);
    return stream;
}

int failure(const QString& message)
{
    err() << "golvera-cli: " << message << '\n';
    err().flush();
    return Failed;
}

int checkReadable(const QString& path, const QString& what, const QString& shown)
{
    const QFileInfo file(path);
    if (!file.exists())
        return failure(QStringLiteral("%1 \"%2\" non esiste").arg(what, shown));
    if (!file.isFile() || !file.isReadable())
        return failure(QStringLiteral("%1 \"%2\" non \u00E8 un file leggibile").arg(what, shown));
    return Done;
}

int writePdf(const report::Report& document, const QString& path)
{
    try {
        report::writePdf(report::prepare(document), path);
    } catch (const report::ReportError& error) {
        return failure(QStringLiteral("impossibile scrivere il PDF \"%1\" (%2)").arg(path, QString::fromUtf8(error.what())));
    }
    return Done;
}

}  // namespace terminal
