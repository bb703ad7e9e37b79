#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QImage>
#include <QString>

// The players' photos: one JPEG per record position in the folder Anagrafica of the program
// folder. Pictures are read no larger than the printed sheet shows them (a bigger one is scaled
// down while it is decoded, so a huge file costs little memory and time), and only from regular
// files. Every photo file is written through the checked writer.
namespace photoStore {

inline const QString folderName = QStringLiteral("Anagrafica");

QString path(qint64 position);
// Creates the folder when it is missing, as every photo operation does; false when it cannot.
bool makeFolder();

// Writes `picture` as the photo of `position`, creating the folder when missing; false when the
// folder or the file cannot be written (the earlier photo file, if any, is then left as it was).
bool store(qint64 position, const QImage& picture);
// The same with the photo's JPEG bytes as they are, for a photo that need not be encoded again.
bool storeEncoded(qint64 position, QByteArrayView jpeg);

// The photo of `position`; a null image when there is none or it cannot be read.
QImage load(qint64 position);

struct Picture {
    QImage image;   // null when the file could not be read
    QString error;  // why, in a sentence the user can be shown; empty when read
};

// Reading and writing any picture file the photo box offers (JPEG or bitmap in, JPEG out).
Picture readPicture(const QString& file);
QImage read(const QString& file);
QByteArray encodeJpeg(const QImage& picture);
bool writeJpeg(const QString& file, const QImage& picture, QString* error = nullptr);

// A picture bigger than this many pixels in a format that cannot be reduced while it is read
// (a bitmap) is refused: decoding it whole would take too much memory and time (a bitmap of 25
// million pixels takes about 200 ms and 200 MB).
inline constexpr qint64 maxUnscaledPixels = 25'000'000;

}  // namespace photoStore
