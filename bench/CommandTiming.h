#pragma once

#include <functional>

// A command as the user gives it: it runs, then the window handles what it queued, so the
// list has laid itself out and painted before the clock stops. One run, in seconds.
double commandSeconds(const std::function<void()> &command);
// The best of runs runs of the command.
double bestCommandSeconds(const std::function<void()> &command, int runs);
