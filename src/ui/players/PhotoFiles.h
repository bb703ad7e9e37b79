#pragma once

#include <QImage>

class PictureBox;
class QWidget;

// The photo files the user picks: a JPEG or bitmap to load, a JPEG copy to save. A file that
// cannot be read or written is reported and changes nothing on screen.
namespace photoFiles {

// Puts the picture the user picks into `box`, decoded on a worker so that a huge file never holds
// the window up; the picture stays as it was when the dialog is cancelled, and when the file
// cannot be read, which is then reported.
void load(QWidget* owner, PictureBox& box);

// Asks for a file (initial name Foto.jpg, ".jpg" added to a name without extension) and writes
// `picture` there as JPEG.
void saveCopy(QWidget* owner, const QImage& picture);

}  // namespace photoFiles
