#pragma once

#include <QString>

#include <zip.h>

#include <memory>

namespace wholeFile {
class Writer;
}

// libzip on the program's own files: a zip written through the checked writer, and a zip read
// only from a regular file.
namespace zipFiles {

struct Closer {
    void operator()(zip_t* archive) const { zip_discard(archive); }
};
using Archive = std::unique_ptr<zip_t, Closer>;

// A new, empty archive whose every byte goes through `writer` (opened at zip_close, committed
// when the archive is whole, abandoned otherwise). `writer` must outlive the archive.
Archive create(wholeFile::Writer& writer, QString* error);

// An existing archive for reading, checked for consistency; null with `error` set when the file
// is not a regular file or not a whole zip.
Archive openForReading(const QString& path, QString* error);

QString errorText(int code);
QString errorText(zip_t* archive);

}  // namespace zipFiles
