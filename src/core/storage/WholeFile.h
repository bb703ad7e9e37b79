#pragma once

#include <QByteArray>
#include <QString>

// Files written whole (the password store, printed documents): the new content goes into a
// temporary file beside the old one, every write and the flush are checked, and only then does
// it take the old file's place in one step. A failure at any point, or a crash, leaves the old
// file exactly as it was; there is no writing in place when the folder refuses the temporary file.
namespace wholeFile {

// False with `error` set when the new content could not be put in place.
bool write(const QString& path, const QByteArray& bytes, QString* error = nullptr);

}  // namespace wholeFile
