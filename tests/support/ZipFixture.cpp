#include "ZipFixture.h"

#include <QFile>
#include <QTemporaryDir>

#include <zip.h>

namespace zipFixture {

QByteArray make(const QList<Entry>& entries)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("fixture.zip"));
    int code = 0;
    zip_t* archive = zip_open(QFile::encodeName(path).constData(), ZIP_CREATE | ZIP_TRUNCATE, &code);
    if (!archive)
        return {};
    for (const Entry& entry : entries) {
        zip_source_t* source = zip_source_buffer(archive, entry.second.constData(), zip_uint64_t(entry.second.size()), 0);
        if (!source || zip_file_add(archive, entry.first.toUtf8().constData(), source, ZIP_FL_ENC_UTF_8) < 0) {
            zip_source_free(source);
            zip_discard(archive);
            return {};
        }
    }
    if (zip_close(archive) != 0) {
        zip_discard(archive);
        return {};
    }
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

}  // namespace zipFixture
