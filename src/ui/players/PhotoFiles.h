#pragma once

#include "players/PhotoStore.h"

#include <QImage>

#include <optional>

class QWidget;

// The photo files the user picks: a JPEG or bitmap to load, a JPEG copy to save. A file that
// cannot be read or written is reported and changes nothing on screen.
namespace photoFiles {

// The picture the user picked, with the file's bytes when they can be stored as they are; nothing
// when the dialog was cancelled or the file unreadable.
std::optional<photoStore::Picture> load(QWidget* owner);

// Asks for a file (initial name Foto.jpg, ".jpg" added to a name without extension) and writes
// `picture` there as JPEG.
void saveCopy(QWidget* owner, const QImage& picture);

}  // namespace photoFiles
