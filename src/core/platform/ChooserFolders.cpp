#include "platform/ChooserFolders.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace chooserFolders {
namespace {

QString existingOrHome(const QString& folder)
{
    return !folder.isEmpty() && QFileInfo(folder).isDir() ? folder : QDir::homePath();
}

// The folder of the last file picked for each use, for the rest of the run.
enum class Use { Attachment, Sheet };

QString& lastFolder(Use use)
{
    static QString folders[2];
    return folders[int(use)];
}

QString lastOrDocuments(Use use)
{
    if (QFileInfo(lastFolder(use)).isDir())
        return lastFolder(use);
    return existingOrHome(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation));
}

void picked(Use use, const QString& file)
{
    if (!file.isEmpty())
        lastFolder(use) = QFileInfo(file).absolutePath();
}

}  // namespace

QString pictures() { return existingOrHome(QStandardPaths::writableLocation(QStandardPaths::PicturesLocation)); }

QString attachments() { return lastOrDocuments(Use::Attachment); }
void attachmentPicked(const QString& file) { picked(Use::Attachment, file); }

QString sheets() { return lastOrDocuments(Use::Sheet); }
void sheetPicked(const QString& file) { picked(Use::Sheet, file); }

}  // namespace chooserFolders
