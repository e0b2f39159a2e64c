#pragma once

#include <string>
#include <vector>

// Runs this program again, as a new process that has touched no memory yet, with the
// given arguments, and returns what it printed. A first load is judged this way: it
// meets the fresh pages and cold allocator that a user's first open meets.
std::string outputOfFreshRun(const std::vector<std::string> &args);
// Runs a program as a new process, what it prints dropped, and waits for it; ends the
// benchmark when it exits otherwise than with expectedExit.
void runProcess(const std::vector<std::string> &command, int expectedExit = 0);
// The best of runs fresh runs of this program, each printing its figures as numbers on
// one line; the smallest value of every figure is kept.
std::vector<double> bestOfFreshRuns(const std::vector<std::string> &args, int runs);
