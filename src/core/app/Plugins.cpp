#include "app/Plugins.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QMutex>
#include <QPluginLoader>

namespace plugins {
namespace {

// Plugins load from the user-interface thread and from the backup's worker alike.
QMutex failuresLock;
QHash<QString, QString>& failures()
{
    static QHash<QString, QString> reasons;
    return reasons;
}

}  // namespace

QString folder()
{
    return folderBeside(QCoreApplication::applicationDirPath());
}

QString folderBeside(const QString& executableFolder)
{
    const QString inside = QDir(executableFolder).filePath(folderName);
    if (QFileInfo(inside).isDir())
        return QDir::cleanPath(inside);
    return QDir::cleanPath(executableFolder + QStringLiteral("/../") + folderName);
}

QString fileName(const QString& name) { return QStringLiteral("lib") + name + QStringLiteral(".so"); }

QObject* load(const QString& folder, const QString& name)
{
    const QString path = QDir(folder).filePath(fileName(name));
    QPluginLoader loader(path);
    loader.setLoadHints(QLibrary::PreventUnloadHint);
    QObject* root = loader.instance();
    if (!root) {
        qWarning("plugin %s not loaded: %s", qUtf8Printable(name), qUtf8Printable(loader.errorString()));
        const QString where = QDir::toNativeSeparators(QDir::cleanPath(QDir(folder).absolutePath()));
        const QString reason = QFileInfo::exists(path)
                                   ? QStringLiteral("il file %1 nella cartella %2 non si carica: %3")
                                         .arg(fileName(name), where, loader.errorString())
                                   : QStringLiteral("manca il file %1, cercato nella cartella %2").arg(fileName(name), where);
        const QMutexLocker locked(&failuresLock);
        failures().insert(name, reason);
    }
    return root;
}

QString notLoaded(const QString& name)
{
    const QMutexLocker locked(&failuresLock);
    return failures().value(name);
}

QString missingMessage(const QString& unavailable, const QString& name)
{
    const QString reason = notLoaded(name);
    return reason.isEmpty() ? unavailable : unavailable + QStringLiteral(" (") + reason + u')';
}

QString missingBoxMessage(const QString& unavailable, const QString& name)
{
    QString reason = notLoaded(name);
    if (reason.isEmpty())
        return unavailable;
    reason[0] = reason[0].toUpper();
    return unavailable + QStringLiteral("\r\n\r\n") + reason + u'.';
}

}  // namespace plugins
