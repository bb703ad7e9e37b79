#include "attachments/AttachmentStore.h"

#include "app/ProgramFolder.h"
#include "attachments/Attachments.h"
#include "output/ArchiveScan.h"
#include "storage/Cp1252.h"
#include "storage/DiskFile.h"
#include "storage/PlayerRecord.h"
#include "storage/RecordValues.h"
#include "storage/TeamRecord.h"
#include "storage/WholeFile.h"
#include "text/TextRules.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <array>
#include <vector>

namespace attachmentStore {
namespace {

// Reads until the source says it is done, not as far as its size says: some files report no
// size and must not be copied as empty.
bool copyAside(const QString& source, const QString& target, QString* error)
{
    QFile in;
    if (!DiskFile::openForReading(source, in, error))
        return false;
    // A killed copy of any attachment leaves its temporary file here; the next copy clears it.
    wholeFile::Writer out(target, QStringLiteral("*"));
    const wholeFile::Copied copied = wholeFile::copy([&in](char* into, qint64 size) { return in.read(into, size); }, out);
    if (copied.failure == wholeFile::Copied::Failure::Read)
        *error = QStringLiteral("cannot read %1: %2").arg(source, in.errorString());
    else if (!copied.ok())
        *error = copied.error;
    return copied.ok();
}

// The records of one archive whose attachment fields name `name`.
template <typename Record>
void collectHolders(const QString& archiveName, Holder::Archive archive, const QString& name, QList<Holder>& found)
{
    const QString archivePath = programFolder::file(archiveName);
    if (!DiskFile::isRegularFile(archivePath))
        return;
    const RecordFormat& format = formatOf<Record>();
    const int title = format.indexOf(archive == Holder::Archive::Team ? QStringLiteral("Squadra") : QStringLiteral("Giocatore"));
    std::array<int, 3> files{};
    for (int slot = 0; slot < 3; ++slot)
        files[std::size_t(slot)] = format.indexOf(attachments::fileField(slot));
    archiveScan::visit(archivePath, format.size, [&](qint64 position, QByteArrayView record) {
        for (const int field : files) {
            if (trimControls(format.readField(record, field)) == name) {
                found.append({archive, position, trimControls(format.readField(record, title))});
                return;
            }
        }
    });
}

}  // namespace

QString folder() { return programFolder::file(folderName); }

QString path(const QString& name) { return folder() + QLatin1Char('/') + name; }

QString storedName(const QString& pickedName)
{
    const int capacity = formatOf<TeamRecord>().capacityOf(attachments::fileField(0));
    QString name = cp1252::decode(cp1252::encode(trimControls(pickedName)).left(capacity));
    name = trimControls(name);
    if (name == QStringLiteral(".") || name == QStringLiteral("..") || name.contains(QLatin1Char('/')))
        return {};
    return name;
}

QList<Holder> holders(const QString& name)
{
    QList<Holder> found;
    collectHolders<TeamRecord>(programFolder::teamArchiveName, Holder::Archive::Team, name, found);
    collectHolders<PlayerRecord>(programFolder::playerArchiveName, Holder::Archive::Player, name, found);
    return found;
}

Attached attach(const QString& source, const std::function<bool(const QList<Holder>&)>& replaceExisting)
{
    using Outcome = Attached::Outcome;
    const QFileInfo picked(source);
    const QString name = storedName(picked.fileName());
    const bool renamed = name != trimControls(picked.fileName());
    if (name.isEmpty())
        return {Outcome::Failed, {}, false, QStringLiteral("%1: no usable file name").arg(source)};
    if (!DiskFile::isRegularFile(source))
        return {Outcome::Failed, {}, false, QStringLiteral("%1 is not a regular file").arg(source)};
    // A file of the folder itself, under the name a record keeps, is already where it belongs;
    // copying it onto itself would empty it.
    if (!renamed && name == picked.fileName()
        && QFileInfo(picked.absolutePath()).canonicalFilePath() == QFileInfo(folder()).canonicalFilePath())
        return {Outcome::AlreadyThere, name, false, {}};
    if (!QDir().mkpath(folder()))
        return {Outcome::Failed, {}, false, QStringLiteral("cannot create %1").arg(folder())};
    const QString target = path(name);
    if (DiskFile::exists(target) && !replaceExisting(holders(name)))
        return {Outcome::KeptExisting, name, renamed, {}};
    QString error;
    if (!copyAside(source, target, &error))
        return {Outcome::Failed, {}, false, error};
    return {Outcome::Copied, name, renamed, {}};
}

}  // namespace attachmentStore
