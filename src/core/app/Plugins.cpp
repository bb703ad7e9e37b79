#include "app/Plugins.h"

#include <QCoreApplication>
#include <QDir>
#include <QPluginLoader>

namespace plugins {

QString folder()
{
    return folderBeside(QCoreApplication::applicationDirPath());
}

QString folderBeside(const QString& executableFolder)
{
    return QDir::cleanPath(executableFolder + QStringLiteral("/../lib/golvera"));
}

QObject* load(const QString& folder, const QString& name)
{
    QPluginLoader loader(QDir(folder).filePath(name));
    loader.setLoadHints(QLibrary::PreventUnloadHint);
    QObject* root = loader.instance();
    if (!root)
        qWarning("plugin %s not loaded: %s", qUtf8Printable(name), qUtf8Printable(loader.errorString()));
    return root;
}

}  // namespace plugins
