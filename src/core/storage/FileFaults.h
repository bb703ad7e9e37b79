#pragma once

#include <QString>

// A seam under every file the program writes (archives, the password store, printed PDFs, new and
// deleted tournaments). Tests use it to make the file system fail in ways a real one rarely does on
// demand: a full disk at the third write, a flush that fails, a folder that refuses new files even
// to the superuser. Nothing is in force unless a test installs a plan.
namespace fileFaults {

enum class Fault {
    WriteFails,             // a write stores nothing and fails as on a full disk
    ShortWrite,             // a write stores half of its bytes, then fails as on a full disk
    FlushFails,             // flushing to the disk fails (an input/output error)
    CloseFails,             // closing reports an input/output error
    OpenRefused,            // an existing file may not be opened at all, not even for reading
    OpenForWritingRefused,  // an existing file may be opened for reading only
    CreateRefused,          // no file can be created in the folder
    CreateRaced,            // another station creates the file just before we do
    RemoveRefused,          // no file can be deleted from the folder
    RenameFails,            // a finished file cannot take the place of the old one
    // The process stops dead (as when it is killed or the machine loses power after the data
    // reached the disk) right after a write, halfway through one, or right after a flush:
    StopsAfterWrite,
    StopsMidWrite,
    StopsAfterFlush,
};

// The exit code of a process that a Stops… fault ended.
inline constexpr int stoppedExitCode = 77;

struct Plan {
    Fault fault;
    int nth = 0;        // strike only the nth matching call from now (1 = the next); 0 = every call
    QString pathPart;   // only calls on paths containing this; empty = every path
};

// While it lives, `plan` is in force. Plans may be stacked; each counts its own calls.
class Injected {
public:
    explicit Injected(Plan plan);
    ~Injected();
    Injected(const Injected&) = delete;
    Injected& operator=(const Injected&) = delete;

    int strikes() const { return m_strikes; }  // how often the fault struck

private:
    friend bool strike(Fault, const QString&);
    Plan m_plan;
    int m_calls = 0;
    int m_strikes = 0;
};

// Called by the storage code before each such call: true when it must fail. Sets errno to what
// the real failure would leave there.
bool strike(Fault fault, const QString& path);
// Ends the process at once, without cleaning up anything, when `fault` strikes.
void stopIfStruck(Fault fault, const QString& path);

}  // namespace fileFaults
