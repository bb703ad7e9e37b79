#include "tournament/Catalogue.h"

#include "app/ProgramFolder.h"
#include "matches/CalendarFile.h"
#include "output/ListRows.h"
#include "storage/DiskFile.h"
#include "text/TextRules.h"
#include "withdrawal/WithdrawalMarks.h"

#include <QDir>

#include <algorithm>

namespace catalogue {

bool isRefusedNameCharacter(QChar c)
{
    static const QString refused = QStringLiteral("\"*/:<>?\\\u00B0\u00C7\u00D1\u00E7\u00F1");
    return refused.contains(c);
}

NameProblem checkName(const QString& typed)
{
    const QString name = trimControls(typed);
    if (name.isEmpty())
        return NameProblem::Empty;
    if (std::any_of(name.begin(), name.end(), isRefusedNameCharacter))
        return NameProblem::RefusedCharacter;
    if (std::any_of(name.begin(), name.end(), [](QChar c) { return c.category() == QChar::Other_Control; }))
        return NameProblem::ControlCharacter;
    if (std::all_of(name.begin(), name.end(), [](QChar c) { return c == u'.'; }))
        return NameProblem::OnlyDots;
    return NameProblem::None;
}

QString pathFor(const QString& typed)
{
    return programFolder::file(trimControls(typed) + extension);
}

QString displayName(const QString& fileName)
{
    return fileName.left(fileName.size() - extension.size());
}

QStringList tournamentFiles() { return tournamentFiles(programFolder::path()); }

QStringList tournamentFiles(const QString& folder)
{
    // Hidden files count too: a tournament named ".Coppa" is still a tournament. FIFOs, sockets,
    // devices and links that lead nowhere are no tournament: opening one would hang or fail.
    const QDir dir(folder);
    QStringList files;
    for (const QString& name : dir.entryList({QStringLiteral("*") + extension},
                                             QDir::Files | QDir::Hidden | QDir::System, QDir::NoSort)) {
        if (DiskFile::isRegularFile(dir.filePath(name)))
            files.append(name);
    }
    listRows::sort(files);
    return files;
}

QString countLine(qsizetype count)
{
    return QStringLiteral("Sono stati creati %1 tornei.").arg(count);
}

CreateOutcome create(const QString& path)
{
    if (DiskFile::exists(path))
        return CreateOutcome::NameTaken;
    // A calendar left behind by a deleted tournament of the same name is not the new one's.
    const QString calendar = matches::calendarPath(path);
    if (DiskFile::exists(calendar)) {
        DiskFile::remove(calendar);
        if (DiskFile::exists(calendar))
            return CreateOutcome::Failed;
    }
    DiskFile file;
    if (file.open(path, DiskFile::Access::CreateNew)) {
        // Marks left by a deleted tournament of the same name are no marks of the new one.
        withdrawal::removeMarks(path);
        return file.close() ? CreateOutcome::Created : CreateOutcome::Failed;
    }
    // Someone else may have created it in between.
    return DiskFile::exists(path) ? CreateOutcome::NameTaken : CreateOutcome::Failed;
}

bool remove(const QString& path)
{
    DiskFile::remove(path);
    if (DiskFile::exists(path))
        return false;
    // The calendar goes with it; one left behind is cleared when a tournament of that name is made.
    DiskFile::remove(matches::calendarPath(path));
    // Its withdrawal marks go with it; any left behind are removed when the name is used again.
    withdrawal::removeMarks(path);
    return true;
}

}  // namespace catalogue
