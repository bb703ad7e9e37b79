#pragma once

#include "backup/ZipPlugin.h"

#include <zip.h>

// A zip held in memory, read through libzip.
class ZipMemory final : public ZipInMemory {
public:
    // Null when `bytes` is no zip archive libzip can read.
    static std::unique_ptr<ZipInMemory> open(QByteArray bytes);
    ~ZipMemory() override;

    bool contains(const QString& name) const override;
    std::optional<QByteArray> read(const QString& name, qint64 maxBytes) const override;
    bool stream(const QString& name, const std::function<bool(QByteArrayView)>& piece, qint64 maxBytes) const override;

private:
    explicit ZipMemory(QByteArray bytes) : m_bytes(std::move(bytes)) {}

    QByteArray m_bytes;  // libzip reads from it for the object's whole life
    zip_t* m_zip = nullptr;
};
