#include "WholeRuns.h"

#include <QElapsedTimer>
#include <QtGlobal>

#include <algorithm>
#include <cstdio>

#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace wholeRuns {
namespace {

double msSince(const QElapsedTimer& timer)
{
    return double(timer.nsecsElapsed()) / 1e6;
}

double cpuMs(const rusage& usage)
{
    return (double(usage.ru_utime.tv_sec) + double(usage.ru_stime.tv_sec)) * 1e3
           + (double(usage.ru_utime.tv_usec) + double(usage.ru_stime.tv_usec)) / 1e3;
}

}  // namespace

Time runProcess(const std::vector<const char*>& argv)
{
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    std::vector<char*> args;
    for (const char* arg : argv)
        args.push_back(const_cast<char*>(arg));
    args.push_back(nullptr);
    QElapsedTimer timer;
    timer.start();
    pid_t child = 0;
    if (posix_spawnp(&child, args[0], &actions, nullptr, args.data(), environ) != 0)
        qFatal("cannot run %s", argv[0]);
    int status = 0;
    rusage usage{};
    wait4(child, &status, 0, &usage);
    const double wall = msSince(timer);
    posix_spawn_file_actions_destroy(&actions);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
        qFatal("%s failed", argv[0]);
    return {wall, cpuMs(usage)};
}

Time timed(const std::function<void()>& run)
{
    rusage before{};
    rusage after{};
    getrusage(RUSAGE_THREAD, &before);
    QElapsedTimer timer;
    timer.start();
    run();
    const double wall = msSince(timer);
    getrusage(RUSAGE_THREAD, &after);
    return {wall, cpuMs(after) - cpuMs(before)};
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

void compare(const char* heading, std::vector<Column>& columns, int rounds)
{
    for (Column& column : columns)
        column.run();
    for (int round = 0; round < rounds; ++round) {
        for (std::size_t i = 0; i < columns.size(); ++i) {
            Column& column = columns[(round % 2 ? columns.size() - 1 - i : i)];
            const Time time = column.run();
            column.wall.push_back(time.wall);
            column.cpu.push_back(time.cpu);
        }
    }
    const double floorWall = median(columns.front().wall);
    const double floorCpu = median(columns.front().cpu);
    std::printf("%s, %d rounds, medians:\n", heading, rounds);
    std::printf("  %-40s %10s %8s %10s %8s\n", "run", "wall ms", "ratio", "cpu ms", "ratio");
    for (const Column& column : columns) {
        const double wall = median(column.wall);
        const double cpu = median(column.cpu);
        std::printf("  %-40s %10.2f %8.2f %10.2f %8.2f\n", column.name.c_str(), wall, wall / floorWall, cpu, cpu / floorCpu);
    }
    std::fflush(stdout);
}

}  // namespace wholeRuns
