#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QDateTime>
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

// The photo file of `position` as it stands on disk. Every write puts a new file in the old one's
// place, so a stamp that differs from an earlier one means the photo was written meanwhile
// (by another station, say).
struct Stamp {
    bool exists = false;
    qint64 size = 0;
    QDateTime modified;
    QDateTime created;
    QDateTime statusChanged;
    friend bool operator==(const Stamp&, const Stamp&) = default;
};
Stamp stamp(qint64 position);

struct Picture {
    QImage image;   // null when the file could not be read
    QString error;  // why, in a sentence the user can be shown; empty when read
    // The file's own bytes when the picture can be stored as they are (a JPEG read at its own
    // size, not too big a file); empty when it has to be encoded (a bitmap, a scaled picture).
    QByteArray jpeg;
};

// Reading and writing any picture file the photo box offers (JPEG or bitmap in, JPEG out).
Picture readPicture(const QString& file);
QImage read(const QString& file);
QByteArray encodeJpeg(const QImage& picture);
// A picture made elsewhere (a webcam frame) reduced to the size a file read gets: within the
// sheet's photo box at print resolution, in its proportions.
QImage reduced(const QImage& picture);
bool writeJpeg(const QString& file, const QImage& picture, QString* error = nullptr);

// A picture bigger than this many pixels in a format that cannot be reduced while it is read
// (a bitmap) is refused: decoding it whole would take too much memory and time (a bitmap of 25
// million pixels takes about 200 ms and 200 MB).
inline constexpr qint64 maxUnscaledPixels = 25'000'000;
// A JPEG file bigger than this is encoded again rather than kept byte for byte: a picture within
// the sheet's size needs far less, so the rest is not worth holding in memory.
inline constexpr qint64 maxKeptJpegBytes = 16 * 1024 * 1024;

}  // namespace photoStore
