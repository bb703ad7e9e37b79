#include "app/ProgramFolder.h"

#include <QCoreApplication>
#include <QDir>

namespace programFolder {
namespace {
QString& chosen()
{
    static QString folder;
    return folder;
}
QString& described()
{
    static QString text;
    return text;
}
}  // namespace

void set(const QString& folder, const QString& description)
{
    chosen() = QDir(folder).absolutePath();
    described() = description;
}

QString description()
{
    return described().isEmpty() ? QStringLiteral("Cartella dei dati: %1").arg(QDir::toNativeSeparators(path()))
                                 : described();
}

QString path()
{
    if (chosen().isEmpty())
        return QDir(QCoreApplication::applicationDirPath()).absolutePath();
    return chosen();
}

QString file(const QString& name) { return path() + QLatin1Char('/') + name; }

}  // namespace programFolder
