#pragma once

#include <QImage>

class PlayerPhoto;
class QWidget;

// The photo files the user picks: a JPEG or bitmap to load, a JPEG copy to save. A file that
// cannot be read or written is reported and changes nothing on screen.
namespace photoFiles {

// Puts the picture file the user picks into the player's photo, decoded on a worker; a JPEG is
// kept as the file's own bytes when it can be stored as they are. The photo stays as it was when
// the dialog is cancelled, and when the file cannot be read, which is then reported.
void load(QWidget* owner, PlayerPhoto& photo);

// Asks for a file (initial name Foto.jpg, ".jpg" added to a name without extension) and writes
// `picture` there as JPEG.
void saveCopy(QWidget* owner, const QImage& picture);

}  // namespace photoFiles
