#pragma once

// Folders the tournament screens cannot write in, for the tests of their failure reports.

#include "storage/FileFaults.h"

#include <QString>

// While it lives, nothing can be created in or deleted from `path`, as in a folder without write
// permission. The program's file seam refuses, so the superuser is refused too.
class LockedFolder {
public:
    explicit LockedFolder(const QString& path)
        : m_create({fileFaults::Fault::CreateRefused, 0, path})
        , m_remove({fileFaults::Fault::RemoveRefused, 0, path})
    {
    }

private:
    fileFaults::Injected m_create;
    fileFaults::Injected m_remove;
};
