#include "storage/FileFaults.h"

#include <QList>

#include <algorithm>
#include <cerrno>

#include <unistd.h>

namespace fileFaults {
namespace {

QList<Injected*>& active()
{
    static QList<Injected*> plans;
    return plans;
}

int errnoFor(Fault fault)
{
    switch (fault) {
    case Fault::WriteFails:
    case Fault::ShortWrite:
        return ENOSPC;
    case Fault::FlushFails:
    case Fault::CloseFails:
    case Fault::RenameFails:
        return EIO;
    case Fault::OpenRefused:
    case Fault::OpenForWritingRefused:
    case Fault::CreateRefused:
    case Fault::RemoveRefused:
        return EACCES;
    case Fault::CreateRaced:
        return EEXIST;
    case Fault::StopsAfterWrite:
    case Fault::StopsMidWrite:
    case Fault::StopsAfterFlush:
        return 0;
    }
    return EIO;
}

}  // namespace

Injected::Injected(Plan plan)
    : m_plan(std::move(plan))
{
    active().append(this);
}

Injected::~Injected() { active().removeOne(this); }

bool strike(Fault fault, const QString& path)
{
    bool struck = false;
    for (Injected* plan : std::as_const(active())) {
        if (plan->m_plan.fault != fault || !path.contains(plan->m_plan.pathPart))
            continue;
        ++plan->m_calls;
        if (plan->m_plan.nth == 0 || plan->m_plan.nth == plan->m_calls) {
            ++plan->m_strikes;
            struck = true;
        }
    }
    if (struck)
        errno = errnoFor(fault);
    return struck;
}

void stopIfStruck(Fault fault, const QString& path)
{
    if (strike(fault, path))
        ::_exit(stoppedExitCode);
}

}  // namespace fileFaults
