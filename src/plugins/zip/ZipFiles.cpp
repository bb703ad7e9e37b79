#include "ZipFiles.h"

#include <QDir>
#include <QFile>

#include <zip.h>

namespace {

QString zipError(zip_t* archive) { return QString::fromLocal8Bit(zip_strerror(archive)); }

QString openError(int code)
{
    zip_error_t error;
    zip_error_init_with_code(&error, code);
    const QString text = QString::fromLocal8Bit(zip_error_strerror(&error));
    zip_error_fini(&error);
    return text;
}

class LibzipReader final : public ZipReader {
public:
    explicit LibzipReader(zip_t* archive) : m_archive(archive) {}
    ~LibzipReader() override { zip_discard(m_archive); }

    qint64 count() const override { return zip_get_num_entries(m_archive, 0); }

    QString name(qint64 index) const override
    {
        return QString::fromUtf8(zip_get_name(m_archive, zip_uint64_t(index), ZIP_FL_ENC_GUESS));
    }

    bool read(qint64 index, QByteArray& content, QString& error) override
    {
        const std::unique_ptr<zip_file_t, int (*)(zip_file_t*)> entry(zip_fopen_index(m_archive, zip_uint64_t(index), 0),
                                                                      zip_fclose);
        if (!entry) {
            error = zipError(m_archive);
            return false;
        }
        content.clear();
        char buffer[1 << 16];
        zip_int64_t read = 0;
        while ((read = zip_fread(entry.get(), buffer, sizeof buffer)) > 0)
            content.append(buffer, qsizetype(read));
        if (read < 0) {
            error = zipError(m_archive);
            return false;
        }
        return true;
    }

private:
    zip_t* m_archive;
};

}  // namespace

QString ZipFiles::write(const QString& zipPath, const QString& folder, const QStringList& files)
{
    // libzip writes the archive into a temporary file and renames it at the close: a backup
    // interrupted half-way never stands as the day's backup, nor replaces it.
    int code = 0;
    zip_t* archive = zip_open(QFile::encodeName(zipPath).constData(), ZIP_CREATE | ZIP_TRUNCATE, &code);
    if (!archive)
        return QStringLiteral("impossibile creare %1: %2").arg(zipPath, openError(code));
    const QDir data(folder);
    for (const QString& name : files) {
        zip_source_t* source = zip_source_file(archive, QFile::encodeName(data.filePath(name)).constData(), 0, -1);
        if (!source || zip_file_add(archive, name.toUtf8().constData(), source, ZIP_FL_ENC_UTF_8) < 0) {
            if (source)
                zip_source_free(source);
            const QString error = QStringLiteral("impossibile aggiungere %1: %2").arg(name, zipError(archive));
            zip_discard(archive);
            return error;
        }
    }
    if (zip_close(archive) != 0) {
        const QString error = QStringLiteral("impossibile scrivere %1: %2").arg(zipPath, zipError(archive));
        zip_discard(archive);
        return error;
    }
    return {};
}

std::unique_ptr<ZipReader> ZipFiles::open(const QString& zipPath, QString& error)
{
    int code = 0;
    zip_t* archive = zip_open(QFile::encodeName(zipPath).constData(), ZIP_RDONLY, &code);
    if (!archive) {
        error = openError(code);
        return nullptr;
    }
    return std::make_unique<LibzipReader>(archive);
}
