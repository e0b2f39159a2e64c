#include "Timing.h"

#include <algorithm>
#include <chrono>
#include <cstdio>

double secondsOf(const std::function<void()> &work)
{
    const auto start = std::chrono::steady_clock::now();
    work();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

double bestSeconds(const std::function<void()> &work, int runs)
{
    double best = 1e30;
    for (int run = 0; run < runs; ++run)
        best = std::min(best, secondsOf(work));
    return best;
}

void Verdict::line(const char *what, double value, const char *unit, double ratio, const char *against,
                   double target)
{
    std::printf("  %-26s %9.1f %-3s %6.2fx %s", what, value, unit, ratio, against);
    if (judged && target > 0) {
        const bool met = ratio <= target;
        allMet = allMet && met;
        std::printf("  (target <= %.1fx: %s)", target, met ? "met" : "MISSED");
    }
    std::printf("\n");
}

void Verdict::require(const char *what, bool met)
{
    allMet = allMet && met;
    std::printf("  %s: %s\n", what, met ? "met" : "MISSED");
}
