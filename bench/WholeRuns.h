#pragma once

#include <functional>
#include <string>
#include <vector>

// Whole runs side by side with their floors: each column is run once to warm the page cache and
// the code, then all of them in turn, round after round, the order turned every round so that no
// column always follows another; medians and ratios against the first column are printed.
// Each run is timed twice: wall time, and processor time (user + system) of the run alone, which
// a busy machine disturbs much less.
namespace wholeRuns {

struct Time {
    double wall;  // ms
    double cpu;   // ms
};

// One run of a program, its output thrown away; fails the benchmark unless it exits 0.
Time runProcess(const std::vector<const char*>& argv);

// One run of `run` in this thread.
Time timed(const std::function<void()>& run);

double median(std::vector<double> values);

struct Column {
    std::string name;
    std::function<Time()> run;
    std::vector<double> wall;
    std::vector<double> cpu;
};

// Runs the columns as above and prints a table under `heading`; the first column is the floor.
void compare(const char* heading, std::vector<Column>& columns, int rounds);

}  // namespace wholeRuns
