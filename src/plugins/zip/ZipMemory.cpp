#include "ZipMemory.h"

std::unique_ptr<ZipInMemory> ZipMemory::open(QByteArray bytes)
{
    std::unique_ptr<ZipMemory> memory(new ZipMemory(std::move(bytes)));
    zip_error_t error;
    zip_error_init(&error);
    zip_source_t* source =
        zip_source_buffer_create(memory->m_bytes.constData(), zip_uint64_t(memory->m_bytes.size()), 0, &error);
    if (source) {
        memory->m_zip = zip_open_from_source(source, ZIP_RDONLY, &error);
        if (!memory->m_zip)
            zip_source_free(source);
    }
    zip_error_fini(&error);
    if (!memory->m_zip)
        return nullptr;
    return memory;
}

ZipMemory::~ZipMemory()
{
    if (m_zip)
        zip_discard(m_zip);
}

bool ZipMemory::contains(const QString& name) const { return zip_name_locate(m_zip, name.toUtf8().constData(), 0) >= 0; }

bool ZipMemory::stream(const QString& name, const std::function<bool(QByteArrayView)>& piece, qint64 maxBytes) const
{
    zip_file_t* file = zip_fopen(m_zip, name.toUtf8().constData(), 0);
    if (!file)
        return false;
    QByteArray buffer(1 << 16, Qt::Uninitialized);
    qint64 total = 0;
    bool whole = true;
    for (;;) {
        const zip_int64_t read = zip_fread(file, buffer.data(), zip_uint64_t(buffer.size()));
        if (read <= 0) {
            whole = read == 0;
            break;
        }
        total += read;
        if (total > maxBytes || !piece(QByteArrayView(buffer.constData(), read))) {
            whole = false;
            break;
        }
    }
    return zip_fclose(file) == 0 && whole;
}

std::optional<QByteArray> ZipMemory::read(const QString& name, qint64 maxBytes) const
{
    zip_stat_t stat;
    zip_stat_init(&stat);
    if (zip_stat(m_zip, name.toUtf8().constData(), 0, &stat) != 0 || !(stat.valid & ZIP_STAT_SIZE)
        || stat.size > zip_uint64_t(maxBytes))
        return std::nullopt;
    zip_file_t* file = zip_fopen(m_zip, name.toUtf8().constData(), 0);
    if (!file)
        return std::nullopt;
    QByteArray bytes(qsizetype(stat.size), Qt::Uninitialized);
    const zip_int64_t read = zip_fread(file, bytes.data(), stat.size);
    const bool whole = zip_fclose(file) == 0 && read == zip_int64_t(stat.size);
    if (!whole)
        return std::nullopt;
    return bytes;
}
