#pragma once

#include <QString>

#include <chrono>
#include <memory>

class QLockFile;

// Keeps the other stations that share the program folder out of an archive while this one writes
// it: a lock file beside the archive ("<archive>.lock"), which carries the computer's name and the
// process, lives only for the length of one write and never appears in a list. A lock left by a
// crashed process on this computer is taken over at once; one left by another computer once it
// is older than any write could be. A lock that stays held gives up with ArchiveBusy naming the
// station; a folder where no lock can be made gives ArchiveError. Never waits without end.
class ArchiveLock {
public:
    explicit ArchiveLock(const QString& archivePath);
    ~ArchiveLock();
    ArchiveLock(const ArchiveLock&) = delete;
    ArchiveLock& operator=(const ArchiveLock&) = delete;

    static QString lockPathFor(const QString& archivePath);

    // How long to wait for another station before telling the user.
    static std::chrono::milliseconds patience();
    static void setPatience(std::chrono::milliseconds wait);  // tests shorten it
    // Age at which a lock of another computer counts as left behind by a crash.
    static constexpr std::chrono::milliseconds staleAfter{20000};
    // Age at which a lock that names nobody (its writer died creating it) counts as left behind.
    static constexpr std::chrono::milliseconds unfinishedAfter{1000};

private:
    std::unique_ptr<QLockFile> m_lock;
};
