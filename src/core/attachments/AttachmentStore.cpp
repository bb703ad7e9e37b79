#include "attachments/AttachmentStore.h"

#include "app/ProgramFolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace {

bool copyAside(const QString& source, const QString& target)
{
    QFile in(source);
    if (!in.open(QIODevice::ReadOnly))
        return false;
    QSaveFile out(target);
    if (!out.open(QIODevice::WriteOnly))
        return false;
    // Read until the source says it is done, not as far as its size says: some files report
    // no size and must not be copied as empty.
    QByteArray buffer(1 << 20, Qt::Uninitialized);
    for (;;) {
        const qint64 read = in.read(buffer.data(), buffer.size());
        if (read == 0)
            return out.commit();
        if (read < 0 || out.write(buffer.constData(), read) != read) {
            out.cancelWriting();
            return false;
        }
    }
}

}  // namespace

QString attachmentStore::folder() { return programFolder::file(folderName); }

QString attachmentStore::path(const QString& name) { return folder() + QLatin1Char('/') + name; }

attachmentStore::Attached attachmentStore::attach(const QString& source, const std::function<bool()>& replaceExisting)
{
    using Outcome = Attached::Outcome;
    const QFileInfo picked(source);
    const QString name = picked.fileName();
    if (name.isEmpty() || !picked.isFile())
        return {Outcome::Failed, {}};
    // A file of the folder itself is already where it belongs; copying it onto itself would
    // empty it.
    if (QFileInfo(picked.absolutePath()).canonicalFilePath() == QFileInfo(folder()).canonicalFilePath())
        return {Outcome::AlreadyThere, name};
    if (!QDir().mkpath(folder()))
        return {Outcome::Failed, {}};
    const QString target = path(name);
    if (QFileInfo::exists(target) && !replaceExisting())
        return {Outcome::KeptExisting, name};
    if (!copyAside(source, target))
        return {Outcome::Failed, {}};
    return {Outcome::Copied, name};
}
