#pragma once

#include <QString>

#include <zip.h>

#include <memory>

class ZipTarget;

// libzip on the program's own files: a zip written through the program's checked writer, and a
// zip read from a file the program has opened.
namespace zipFiles {

struct Closer {
    void operator()(zip_t* archive) const { zip_discard(archive); }
};
using Archive = std::unique_ptr<zip_t, Closer>;

// A new, empty archive whose every byte goes through `target` (opened at zip_close, committed
// when the archive is whole, abandoned otherwise). `target` must outlive the archive.
Archive create(ZipTarget& target, QString* error);

// An existing archive for reading from the open file `fd`, which it takes over, checked for
// consistency; null with `error` set when it is not a whole zip.
Archive openForReading(int fd, QString* error);

QString errorText(int code);
QString errorText(zip_t* archive);

}  // namespace zipFiles
