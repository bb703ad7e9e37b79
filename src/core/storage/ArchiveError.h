#pragma once

#include <QString>

#include <stdexcept>

// Every failure of the archive layer: a file that cannot be opened or created, a short read, a
// failed write, a record that is not where the caller expects it. Screens catch it in their one
// catch-all and show their fixed message, so the text is only for logs and tests.
class ArchiveError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Another station has been writing the archive for longer than a write takes, and still is.
class ArchiveBusy : public ArchiveError {
public:
    ArchiveBusy(const std::string& what, QString station)
        : ArchiveError(what)
        , m_station(std::move(station))
    {
    }
    // The name of the computer that holds the archive; empty when it could not be told.
    QString station() const { return m_station; }

private:
    QString m_station;
};

// The archive's lock file is something else than a file (a folder, a FIFO, a link to nowhere):
// no station can lock the archive until somebody removes it, so the user is told its name.
class LockNotAFile : public ArchiveError {
public:
    LockNotAFile(const std::string& what, QString lockPath)
        : ArchiveError(what)
        , m_lockPath(std::move(lockPath))
    {
    }
    QString lockPath() const { return m_lockPath; }

private:
    QString m_lockPath;
};

// The record to be overwritten is no longer what the screen read: another station saved it
// meanwhile. Nothing was written.
class RecordChanged : public ArchiveError {
public:
    using ArchiveError::ArchiveError;
};
