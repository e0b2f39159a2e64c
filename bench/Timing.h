#pragma once

#include <functional>

// The best of several runs: the others measure the machine's other work.
double bestSeconds(const std::function<void()> &work, int runs = 7);
// One run of work, in seconds.
double secondsOf(const std::function<void()> &work);

// Prints one figure a line, as a ratio to what it is measured against, and remembers
// whether every target was met.
struct Verdict {
    // Targets hold only where judged; the other figures are shown for comparison.
    bool judged = true;
    bool allMet = true;

    void line(const char *what, double value, const char *unit, double ratio, const char *against,
              double target = 0);
    // A condition that is not a ratio, judged whatever the size.
    void require(const char *what, bool met);
};
