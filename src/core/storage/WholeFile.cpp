#include "storage/WholeFile.h"

#include "storage/DiskFile.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QRandomGenerator>

#include <cerrno>

namespace wholeFile {
namespace {

bool fail(QString* error, const QString& why)
{
    if (error)
        *error = why;
    return false;
}

// A new, hidden file beside `path`, named so that no list of the program takes it for its own.
// The process number keeps stations and processes apart (a process started by fork() draws the
// same random numbers as its parent); the random part keeps apart the attempts of one process.
bool createTemporary(const QString& path, DiskFile& file)
{
    const QFileInfo target(path);
    for (int attempt = 0; attempt < 16; ++attempt) {
        const QString name = QStringLiteral("%1/.%2.%3-%4.tmp")
                                 .arg(target.absolutePath(), target.fileName())
                                 .arg(QCoreApplication::applicationPid())
                                 .arg(QRandomGenerator::global()->generate(), 8, 16, QLatin1Char('0'));
        if (file.open(name, DiskFile::Access::CreateNew))
            return true;
        if (file.errorCode() != EEXIST)
            return false;
    }
    return false;
}

}  // namespace

bool write(const QString& path, const QByteArray& bytes, QString* error)
{
    if (DiskFile::isOtherThanRegularFile(path))
        return fail(error, QStringLiteral("%1 is not a regular file").arg(path));

    DiskFile file;
    if (!createTemporary(path, file))
        return fail(error, file.errorString());
    const QString temporary = file.path();
    QString why;
    const bool written = file.setPermissionsOf(path) && file.writeAt(0, bytes.constData(), bytes.size()) && file.sync();
    if (!written)
        why = file.errorString();
    if (!file.close() && written)
        why = file.errorString();
    if (why.isEmpty() && DiskFile::replace(temporary, path, &why))
        return true;
    DiskFile::remove(temporary);
    return fail(error, why);
}

}  // namespace wholeFile
