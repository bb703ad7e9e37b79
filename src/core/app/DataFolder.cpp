#include "app/DataFolder.h"

#include "app/Product.h"
#include "app/ProgramFolder.h"
#include "storage/WholeFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryFile>

#include <algorithm>

namespace dataFolder {

Choice choose(const QString& commandLineFolder, const QString& programFolder, bool programFolderWritable,
              const QString& userFolder)
{
    if (!commandLineFolder.isEmpty())
        return {QDir(commandLineFolder).absolutePath(), Source::CommandLine};
    if (programFolderWritable)
        return {QDir(programFolder).absolutePath(), Source::ProgramFolder};
    return {QDir(userFolder).absolutePath(), Source::UserFolder};
}

Choice chooseFor(const QString& commandLineFolder, const QString& executableFolder)
{
    if (!commandLineFolder.isEmpty())
        return choose(commandLineFolder, executableFolder, true, {});
    const QString userFolder =
        QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + QLatin1Char('/') + product::name;
    // An installed copy (its shipped files in share/golvera, none beside it) never writes beside
    // its executable, even for a user who could.
    const QDir beside(executableFolder);
    const bool installed = !beside.exists(programFolder::passwordStoreName)
                           && QFileInfo::exists(beside.filePath(QStringLiteral("../share/golvera/") + programFolder::passwordStoreName));
    return choose({}, executableFolder, !installed && isWritable(executableFolder), userFolder);
}

bool isWritable(const QString& folder)
{
    QTemporaryFile probe(QDir(folder).filePath(QStringLiteral(".golvera-probe-XXXXXX")));
    return probe.open();
}

bool holdsArchives(const QString& folder)
{
    const QDir dir(folder);
    const QFileInfoList files = dir.entryInfoList(
        {programFolder::teamArchiveName, programFolder::playerArchiveName, QStringLiteral("*.vai")}, QDir::Files | QDir::Hidden);
    return std::any_of(files.cbegin(), files.cend(), [](const QFileInfo& file) { return file.size() > 0; });
}

bool prepare(const Choice& choice, const QString& shippedStore)
{
    // The program's own folder is where the executable is: never made here.
    if (choice.source == Source::ProgramFolder ? !QFileInfo(choice.folder).isDir() : !QDir().mkpath(choice.folder))
        return choice.source == Source::ProgramFolder;
    const QString store = QDir(choice.folder).filePath(programFolder::passwordStoreName);
    // Archives without their store keep it out: the first-access password would open them to
    // anyone.
    if (QFileInfo::exists(store) || holdsArchives(choice.folder))
        return true;
    QFile shipped(shippedStore);
    return shipped.open(QIODevice::ReadOnly) && wholeFile::write(store, shipped.readAll());
}

QString describe(const Choice& choice)
{
    const QString folder = QDir::toNativeSeparators(choice.folder);
    switch (choice.source) {
    case Source::CommandLine:
        return QStringLiteral("Cartella dei dati: %1 (indicata con --cartella)").arg(folder);
    case Source::ProgramFolder:
        return QStringLiteral("Cartella dei dati: %1 (la cartella del programma)").arg(folder);
    case Source::UserFolder:
        return QStringLiteral("Cartella dei dati: %1 (la cartella dei dati dell'utente, perch\u00E9 quella del "
                              "programma non \u00E8 scrivibile)").arg(folder);
    }
    return folder;
}

QString shippedFile(const QString& executableFolder, const QString& name)
{
    const QString beside = QDir(executableFolder).filePath(name);
    if (QFileInfo::exists(beside))
        return beside;
    return QDir(executableFolder).filePath(QStringLiteral("../share/golvera/") + name);
}

}  // namespace dataFolder
