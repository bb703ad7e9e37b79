#pragma once

// Small helpers for the archive tests: byte fixtures and files written around the code under test.

#include <QByteArray>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QString>
#include <QStringList>

#include <algorithm>
#include <csignal>
#include <functional>
#include <initializer_list>
#include <utility>

#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/wait.h>
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

// Every entry below `folder`, hidden ones too, as sorted relative paths.
inline QStringList listing(const QString& folder)
{
    QStringList names;
    QDirIterator it(folder, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext())
        names.append(QDir(folder).relativeFilePath(it.next()));
    names.sort();
    return names;
}

// Runs `body` in a child process whose address space and file sizes are limited (0: no limit), as
// a small machine or a full disk would have them; its exit code, or -1 when it was killed (by an
// abort on an allocation that failed, say).
inline int exitCodeUnderLimits(rlim_t memoryBytes, rlim_t fileBytes, const std::function<int()>& body)
{
    const pid_t child = ::fork();
    if (child < 0)
        return -2;
    if (child == 0) {
        if (memoryBytes) {
            const rlimit memory{memoryBytes, memoryBytes};
            ::setrlimit(RLIMIT_AS, &memory);
        }
        if (fileBytes) {
            const rlimit size{fileBytes, fileBytes};
            ::setrlimit(RLIMIT_FSIZE, &size);
            ::signal(SIGXFSZ, SIG_IGN);
        }
        ::_exit(body());
    }
    int status = 0;
    if (::waitpid(child, &status, 0) != child || !WIFEXITED(status))
        return -1;
    return WEXITSTATUS(status);
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
