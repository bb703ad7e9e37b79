#include "ZipFiles.h"

#include "backup/ZipPlugin.h"

#include <cerrno>
#include <cstdio>

#include <unistd.h>

namespace zipFiles {
namespace {

// The writable zip source libzip writes a new archive through, on the program's checked writer. The
// archive is always new: it reports that nothing exists yet, so libzip never reads it.
struct Target {
    ZipTarget& writer;
    zip_error_t error;
};

zip_int64_t failed(Target& target, int code)
{
    zip_error_set(&target.error, code, EIO);
    return -1;
}

zip_int64_t callback(void* state, void* data, zip_uint64_t length, zip_source_cmd_t command)
{
    Target& target = *static_cast<Target*>(state);
    ZipTarget& writer = target.writer;
    switch (command) {
    case ZIP_SOURCE_SUPPORTS:
        return ZIP_SOURCE_SUPPORTS_WRITABLE;
    case ZIP_SOURCE_STAT:
        zip_error_set(&target.error, ZIP_ER_READ, ENOENT);
        return -1;
    case ZIP_SOURCE_ERROR:
        return zip_error_to_data(&target.error, data, length);
    case ZIP_SOURCE_BEGIN_WRITE:
        return writer.open() ? 0 : failed(target, ZIP_ER_OPEN);
    case ZIP_SOURCE_WRITE:
        return writer.write(QByteArrayView(static_cast<const char*>(data), qsizetype(length)))
                   ? zip_int64_t(length)
                   : failed(target, ZIP_ER_WRITE);
    case ZIP_SOURCE_SEEK_WRITE: {
        const zip_int64_t to = zip_source_seek_compute_offset(zip_uint64_t(writer.position()), zip_uint64_t(writer.size()),
                                                              data, length, &target.error);
        if (to < 0)
            return -1;
        return writer.seek(to) ? 0 : failed(target, ZIP_ER_SEEK);
    }
    case ZIP_SOURCE_TELL_WRITE:
        return writer.position();
    case ZIP_SOURCE_COMMIT_WRITE:
        return writer.commit() ? 0 : failed(target, ZIP_ER_WRITE);
    case ZIP_SOURCE_ROLLBACK_WRITE:
        writer.abandon();
        return 0;
    case ZIP_SOURCE_REMOVE:
        writer.abandon();
        return 0;
    case ZIP_SOURCE_FREE:
        zip_error_fini(&target.error);
        delete &target;
        return 0;
    case ZIP_SOURCE_OPEN:
    case ZIP_SOURCE_CLOSE:
        return 0;
    default:
        return failed(target, ZIP_ER_OPNOTSUPP);
    }
}

}  // namespace

QString errorText(int code)
{
    zip_error_t error;
    zip_error_init_with_code(&error, code);
    const QString text = QString::fromLocal8Bit(zip_error_strerror(&error));
    zip_error_fini(&error);
    return text;
}

QString errorText(zip_t* archive) { return QString::fromLocal8Bit(zip_strerror(archive)); }

Archive create(ZipTarget& writer, QString* error)
{
    auto* target = new Target{writer, {}};
    zip_error_init(&target->error);
    zip_error_t failure;
    zip_error_init(&failure);
    zip_source_t* source = zip_source_function_create(callback, target, &failure);
    if (!source) {
        zip_error_fini(&target->error);
        delete target;
    }
    zip_t* archive = source ? zip_open_from_source(source, ZIP_CREATE | ZIP_TRUNCATE, &failure) : nullptr;
    if (!archive) {
        if (source)
            zip_source_free(source);
        *error = QString::fromLocal8Bit(zip_error_strerror(&failure));
    }
    zip_error_fini(&failure);
    return Archive(archive);
}

Archive openForReading(int fd, QString* error)
{
    FILE* stream = ::fdopen(fd, "rb");
    if (!stream) {
        ::close(fd);
        *error = QStringLiteral("cannot read the file");
        return nullptr;
    }
    zip_error_t failure;
    zip_error_init(&failure);
    zip_source_t* source = zip_source_filep_create(stream, 0, -1, &failure);
    zip_t* archive = nullptr;
    if (!source) {
        std::fclose(stream);
    } else if (!(archive = zip_open_from_source(source, ZIP_RDONLY | ZIP_CHECKCONS, &failure))) {
        zip_source_free(source);
    }
    if (!archive)
        *error = QString::fromLocal8Bit(zip_error_strerror(&failure));
    zip_error_fini(&failure);
    return Archive(archive);
}

}  // namespace zipFiles
