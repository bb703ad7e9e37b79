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

QString& lastAttachmentFolder()
{
    static QString folder;
    return folder;
}

}  // namespace

QString pictures() { return existingOrHome(QStandardPaths::writableLocation(QStandardPaths::PicturesLocation)); }

QString attachments()
{
    if (QFileInfo(lastAttachmentFolder()).isDir())
        return lastAttachmentFolder();
    return existingOrHome(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation));
}

void attachmentPicked(const QString& file) { lastAttachmentFolder() = QFileInfo(file).absolutePath(); }

}  // namespace chooserFolders
