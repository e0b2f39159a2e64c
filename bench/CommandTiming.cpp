#include "CommandTiming.h"

#include "Timing.h"

#include <QApplication>

namespace {

void runHandled(const std::function<void()> &command)
{
    command();
    QApplication::processEvents();
}

} // namespace

double commandSeconds(const std::function<void()> &command)
{
    return secondsOf([&] { runHandled(command); });
}

double bestCommandSeconds(const std::function<void()> &command, int runs)
{
    return bestSeconds([&] { runHandled(command); }, runs);
}
