#pragma once

#include <string>
#include <sys/types.h>
#include <vector>

// A program of ours run in a child process, its standard output read line by line; its
// standard error stays the test's, so what it complains about shows in the test log.
class ChildProcess final {
public:
    // arguments[0] is the program's path; environment holds extra "NAME=value" settings.
    explicit ChildProcess(const std::vector<std::string> &arguments,
                          const std::vector<std::string> &environment = {});
    // Kills a child that still runs, so a failed test leaves none behind.
    ~ChildProcess();
    ChildProcess(const ChildProcess &) = delete;
    ChildProcess &operator=(const ChildProcess &) = delete;

    // The next line without its end; empty once the child closed its output.
    std::string readLine();
    void kill();

    struct End {
        bool exited = false; // by itself, with code; else by signal
        int code = 0;
        int signal = 0;
    };
    End wait();

private:
    pid_t m_pid = 0;
    int m_out = -1;
};
