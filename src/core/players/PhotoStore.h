#pragma once

#include <QImage>
#include <QString>

// The players' photos: one JPEG per record position in the folder Anagrafica of the program
// folder, kept at the pixel size the picture had when it was saved.
namespace photoStore {

inline const QString folderName = QStringLiteral("Anagrafica");

QString path(qint64 position);

// Writes `picture` as the photo of `position`, creating the folder when missing; false when the
// folder or the file cannot be written (the earlier photo file, if any, is then left as it was).
bool store(qint64 position, const QImage& picture);

// The photo of `position`; a null image when there is none or it cannot be read.
QImage load(qint64 position);

// Reading and writing any picture file the photo box offers (JPEG or bitmap in, JPEG out).
QImage read(const QString& file);
bool writeJpeg(const QString& file, const QImage& picture);

}  // namespace photoStore
