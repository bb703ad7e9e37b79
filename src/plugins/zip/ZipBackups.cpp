#include "ZipBackups.h"

#include "ZipFiles.h"
#include "ZipMemory.h"

#include <QDir>
#include <QFile>

namespace {

class EntryReader final : public ZipEntryReader {
public:
    explicit EntryReader(zip_file_t* file) : m_file(file) {}
    ~EntryReader() override { zip_fclose(m_file); }

    qint64 read(char* into, qint64 most) override { return zip_fread(m_file, into, zip_uint64_t(most)); }
    QString errorString() const override { return QString::fromLocal8Bit(zip_file_strerror(m_file)); }

private:
    zip_file_t* m_file;
};

class Reader final : public ZipReader {
public:
    explicit Reader(zipFiles::Archive archive) : m_archive(std::move(archive)) {}

    qint64 count() const override { return zip_get_num_entries(m_archive.get(), 0); }

    Entry entry(qint64 index) const override
    {
        zip_stat_t stat;
        zip_stat_init(&stat);
        if (zip_stat_index(m_archive.get(), zip_uint64_t(index), 0, &stat) != 0 || !(stat.valid & ZIP_STAT_NAME))
            return {};
        Entry entry{true, QString::fromUtf8(stat.name), bool(stat.valid & ZIP_STAT_SIZE), stat.size};
        zip_uint8_t system = 0;
        zip_uint32_t attributes = 0;
        if (zip_file_get_external_attributes(m_archive.get(), zip_uint64_t(index), 0, &system, &attributes) == 0) {
            entry.attributesKnown = true;
            entry.system = system;
            entry.attributes = attributes;
        }
        return entry;
    }

    std::unique_ptr<ZipEntryReader> open(qint64 index) override
    {
        zip_file_t* file = zip_fopen_index(m_archive.get(), zip_uint64_t(index), 0);
        return file ? std::make_unique<EntryReader>(file) : nullptr;
    }

    QString errorString() const override { return zipFiles::errorText(m_archive.get()); }

private:
    zipFiles::Archive m_archive;
};

}  // namespace

QString ZipBackups::write(ZipTarget& target, const QString& zipPath, const QString& folder, const QStringList& files)
{
    QString error;
    zipFiles::Archive archive = zipFiles::create(target, &error);
    if (!archive)
        return QStringLiteral("impossibile creare %1: %2").arg(zipPath, error);
    const QDir data(folder);
    for (const QString& name : files) {
        zip_source_t* source = zip_source_file(archive.get(), QFile::encodeName(data.filePath(name)).constData(), 0, -1);
        if (!source || zip_file_add(archive.get(), name.toUtf8().constData(), source, ZIP_FL_ENC_UTF_8) < 0) {
            if (source)
                zip_source_free(source);
            return QStringLiteral("impossibile aggiungere %1: %2").arg(name, zipFiles::errorText(archive.get()));
        }
    }
    if (zip_close(archive.get()) != 0) {
        // libzip has abandoned the target: the old file, if any, is untouched.
        return QStringLiteral("impossibile scrivere %1: %2")
            .arg(zipPath, target.errorString().isEmpty() ? zipFiles::errorText(archive.get()) : target.errorString());
    }
    archive.release();  // zip_close has freed it
    return {};
}

std::unique_ptr<ZipReader> ZipBackups::read(int fd, QString* error)
{
    zipFiles::Archive archive = zipFiles::openForReading(fd, error);
    return archive ? std::make_unique<Reader>(std::move(archive)) : nullptr;
}

std::unique_ptr<ZipInMemory> ZipBackups::open(QByteArray bytes) { return ZipMemory::open(std::move(bytes)); }
