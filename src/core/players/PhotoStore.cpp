#include "players/PhotoStore.h"

#include "app/ProgramFolder.h"

#include <QDir>
#include <QImageReader>
#include <QSaveFile>

namespace {

constexpr int jpegQuality = 90;

bool ensureFolder()
{
    return QDir().mkpath(programFolder::file(photoStore::folderName));
}

}  // namespace

QString photoStore::path(qint64 position)
{
    return programFolder::file(folderName + QStringLiteral("/Scheda_Giocatore_%1.jpg").arg(position));
}

bool photoStore::store(qint64 position, const QImage& picture)
{
    return ensureFolder() && writeJpeg(path(position), picture);
}

QImage photoStore::load(qint64 position)
{
    ensureFolder();
    return read(path(position));
}

QImage photoStore::read(const QString& file)
{
    QImageReader reader(file);
    // The content decides, not the extension: a bitmap renamed .jpg still loads. Large photos
    // are kept whole, so lift Qt's default limit on the decoded size.
    reader.setDecideFormatFromContent(true);
    reader.setAllocationLimit(1024);
    reader.setAutoTransform(true);
    return reader.read();
}

bool photoStore::writeJpeg(const QString& file, const QImage& picture)
{
    if (picture.isNull())
        return false;
    // Written aside and renamed over the old file, so a failed write keeps the earlier photo.
    QSaveFile out(file);
    if (!out.open(QIODevice::WriteOnly))
        return false;
    if (!picture.save(&out, "JPEG", jpegQuality)) {
        out.cancelWriting();
        return false;
    }
    return out.commit();
}
