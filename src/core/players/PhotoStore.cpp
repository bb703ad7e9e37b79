#include "players/PhotoStore.h"

#include "app/ProgramFolder.h"
#include "players/PlayerSheet.h"
#include "storage/DiskFile.h"
#include "storage/WholeFile.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QImageWriter>

namespace {

constexpr int jpegQuality = 90;

const QString unreadableMessage = QStringLiteral(
    "Attenzione: il file indicato non contiene un'immagine Jpeg o Bitmap leggibile.\r\n\r\nLa foto non \u00E8 stata "
    "cambiata.");

// The size to decode a picture of `size` at: within the sheet's photo box at print resolution.
// The box is measured in the picture's orientation once it is turned upright.
QSize decodedSize(QSize size, QImageIOHandler::Transformations turn)
{
    QSize limit = playerSheet::photoLimit();
    if (turn & QImageIOHandler::TransformationRotate90)
        limit.transpose();
    if (size.width() <= limit.width() && size.height() <= limit.height())
        return size;
    return size.scaled(limit, Qt::KeepAspectRatio).expandedTo({1, 1});
}

}  // namespace

QImage photoStore::reduced(const QImage& picture)
{
    const QSize wanted = decodedSize(picture.size(), {});
    if (picture.isNull() || wanted == picture.size())
        return picture;
    return picture.scaled(wanted, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

bool photoStore::makeFolder() { return QDir().mkpath(programFolder::file(folderName)); }

QString photoStore::path(qint64 position)
{
    return programFolder::file(folderName + QStringLiteral("/Scheda_Giocatore_%1.jpg").arg(position));
}

bool photoStore::store(qint64 position, const QImage& picture)
{
    const QByteArray jpeg = encodeJpeg(picture);
    return !jpeg.isEmpty() && storeEncoded(position, jpeg);
}

bool photoStore::storeEncoded(qint64 position, QByteArrayView jpeg)
{
    // A killed save of any player's photo leaves its temporary file here; the next photo saved
    // clears it.
    return makeFolder()
           && wholeFile::write(path(position), jpeg, nullptr, QStringLiteral("Scheda_Giocatore_*.jpg"));
}

photoStore::Stamp photoStore::stamp(qint64 position)
{
    QFileInfo file(path(position));
    file.setCaching(false);
    if (!file.exists())
        return {};
    return {true, file.size(), file.fileTime(QFileDevice::FileModificationTime),
            file.fileTime(QFileDevice::FileBirthTime), file.fileTime(QFileDevice::FileMetadataChangeTime)};
}

QImage photoStore::load(qint64 position)
{
    makeFolder();
    return read(path(position));
}

photoStore::Picture photoStore::readPicture(const QString& file)
{
    QFile device;
    if (!DiskFile::openForReading(file, device))
        return {{}, unreadableMessage};
    QImageReader reader(&device);
    // The content decides, not the extension: a bitmap renamed .jpg still loads.
    reader.setDecideFormatFromContent(true);
    reader.setAutoTransform(true);
    const QSize size = reader.size();
    if (!size.isValid())
        return {{}, unreadableMessage};
    const QSize wanted = decodedSize(size, reader.transformation());
    // A JPEG that needs no scaling is kept as the file has it: storing it encoded again would
    // lose a little of it each time. The picture is decoded from those very bytes.
    QByteArray jpeg;
    QBuffer kept(&jpeg);
    if (wanted == size && reader.format() == "jpeg" && device.size() <= maxKeptJpegBytes && device.seek(0)) {
        jpeg = device.readAll();
        if (jpeg.size() != device.size())
            return {{}, unreadableMessage};
        kept.open(QIODevice::ReadOnly);
        reader.setDevice(&kept);
    }
    if (wanted != size) {
        // JPEG reduces while it decodes; a format that cannot would be decoded whole first.
        if (!reader.supportsOption(QImageIOHandler::ScaledSize) && qint64(size.width()) * size.height() > maxUnscaledPixels)
            return {{},
                    QStringLiteral("Attenzione: l'immagine indicata \u00E8 troppo grande (%1 x %2 punti) per essere "
                                   "letta.\r\n\r\nSalvarla in formato Jpeg, oppure ridurla a non pi\u00F9 di %3 milioni di "
                                   "punti, e caricarla di nuovo.")
                        .arg(size.width())
                        .arg(size.height())
                        .arg(maxUnscaledPixels / 1'000'000)};
        reader.setScaledSize(wanted);
    }
    // A bitmap within that size needs more than Qt's default allowance while it is decoded whole.
    reader.setAllocationLimit(512);
    QImage image = reader.read();
    if (image.isNull())
        return {{}, unreadableMessage};
    return {image, {}, jpeg};
}

QImage photoStore::read(const QString& file) { return readPicture(file).image; }

QByteArray photoStore::encodeJpeg(const QImage& picture)
{
    if (picture.isNull())
        return {};
    QByteArray jpeg;
    QBuffer buffer(&jpeg);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "JPEG");
    writer.setQuality(jpegQuality);
    if (!writer.write(picture))
        return {};
    return jpeg;
}

bool photoStore::writeJpeg(const QString& file, const QImage& picture, QString* error)
{
    const QByteArray jpeg = encodeJpeg(picture);
    if (jpeg.isEmpty()) {
        if (error)
            *error = QStringLiteral("the picture cannot be encoded as JPEG");
        return false;
    }
    return wholeFile::write(file, jpeg, error);
}
