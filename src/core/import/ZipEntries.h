#pragma once

#include "backup/ZipAccess.h"

#include <QByteArray>
#include <QString>

#include <functional>
#include <memory>
#include <optional>

// The files inside a zip held in memory (the workbooks of the spreadsheet programs), through the
// zip plugin. Read only.
class ZipEntries {
public:
    // Not open when `bytes` is no zip archive the plugin can read, or the plugin is missing.
    explicit ZipEntries(QByteArray bytes) : m_zip(zipAccess::open(std::move(bytes))) {}
    ZipEntries(const ZipEntries&) = delete;
    ZipEntries& operator=(const ZipEntries&) = delete;

    bool isOpen() const { return m_zip != nullptr; }
    bool contains(const QString& name) const { return m_zip && m_zip->contains(name); }

    // The whole entry, or nothing when it is missing, damaged or would unpack to more than
    // `maxBytes` (a small file that unpacks to gigabytes is refused, not read).
    std::optional<QByteArray> read(const QString& name, qint64 maxBytes = qint64(256) << 20) const
    {
        return m_zip ? m_zip->read(name, maxBytes) : std::nullopt;
    }
    // The same in pieces as it unpacks, handed to `piece` until it returns false; false when the
    // entry is missing, damaged, larger than `maxBytes` or a piece was refused.
    bool stream(const QString& name, const std::function<bool(QByteArrayView)>& piece,
                qint64 maxBytes = qint64(256) << 20) const
    {
        return m_zip && m_zip->stream(name, piece, maxBytes);
    }

private:
    std::unique_ptr<ZipInMemory> m_zip;
};
