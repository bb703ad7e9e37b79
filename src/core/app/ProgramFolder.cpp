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
}  // namespace

void set(const QString& folder) { chosen() = QDir(folder).absolutePath(); }

QString path()
{
    if (chosen().isEmpty())
        return QDir(QCoreApplication::applicationDirPath()).absolutePath();
    return chosen();
}

QString file(const QString& name) { return path() + QLatin1Char('/') + name; }

}  // namespace programFolder
