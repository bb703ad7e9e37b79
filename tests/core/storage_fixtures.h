#pragma once

// Small helpers for the archive tests: byte fixtures and files written around the code under test.

#include <QByteArray>
#include <QFile>
#include <QString>

#include <algorithm>
#include <initializer_list>
#include <utility>

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace fixtures {

// `size` zero bytes with each (offset, bytes) pair copied in.
inline QByteArray recordWith(int size, std::initializer_list<std::pair<int, QByteArray>> placed)
{
    QByteArray record(size, '\0');
    for (const auto& [offset, bytes] : placed)
        record.replace(offset, bytes.size(), bytes);
    return record;
}

// A record whose every byte depends on its number, so records cannot be mistaken for each other.
inline QByteArray numberedRecord(int size, qint64 number)
{
    QByteArray record(size, Qt::Uninitialized);
    for (int i = 0; i < size; ++i)
        record[i] = static_cast<char>((number * 31 + i) % 251);
    return record;
}

// `count` numbered records (1..count) followed by `fragment` bytes of a record that was never finished.
inline QByteArray archiveBytes(int recordSize, qint64 count, int fragment = 0)
{
    QByteArray bytes;
    bytes.reserve(recordSize * (count + 1));
    for (qint64 n = 1; n <= count; ++n)
        bytes += numberedRecord(recordSize, n);
    bytes += QByteArray(fragment, 'z');
    return bytes;
}

inline bool writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size();
}

inline QByteArray fileContent(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

// A Unix socket bound at `path`, left behind as a special file in the folder.
inline bool makeSocket(const QString& path)
{
    const QByteArray native = QFile::encodeName(path);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    if (size_t(native.size()) >= sizeof(address.sun_path))
        return false;
    std::copy(native.begin(), native.end(), address.sun_path);
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    const bool bound = fd >= 0 && ::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof(address)) == 0;
    if (fd >= 0)
        ::close(fd);
    return bound;
}

}  // namespace fixtures
