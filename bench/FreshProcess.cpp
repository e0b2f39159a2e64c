#include "FreshProcess.h"

#include "BenchFiles.h"

#include <algorithm>
#include <cstdio>
#include <fcntl.h>
#include <filesystem>
#include <sstream>
#include <sys/wait.h>
#include <unistd.h>

namespace {

std::string quoted(const std::string &text)
{
    std::string out = "'";
    for (char c : text)
        out += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return out + "'";
}

std::string commandLine(const std::vector<std::string> &words)
{
    std::string line;
    for (const std::string &word : words)
        line += quoted(word) + " ";
    return line;
}

} // namespace

std::string outputOfFreshRun(const std::vector<std::string> &args)
{
    std::vector<std::string> words{std::filesystem::read_symlink("/proc/self/exe").string()};
    words.insert(words.end(), args.begin(), args.end());
    FILE *pipe = ::popen(commandLine(words).c_str(), "r");
    if (!pipe)
        fail(IoStatus{1, "cannot start " + words.front()});
    std::string output;
    char buffer[256];
    while (const std::size_t got = std::fread(buffer, 1, sizeof buffer, pipe))
        output.append(buffer, got);
    if (::pclose(pipe) != 0)
        fail(IoStatus{1, "the fresh run " + commandLine(words) + "failed"});
    return output;
}

void runProcess(const std::vector<std::string> &command, int expectedExit)
{
    std::vector<char *> argv;
    for (const std::string &word : command)
        argv.push_back(const_cast<char *>(word.c_str()));
    argv.push_back(nullptr);
    const pid_t child = ::fork();
    if (child == 0) {
        if (const int null = ::open("/dev/null", O_WRONLY); null >= 0)
            ::dup2(null, STDOUT_FILENO);
        ::execv(argv[0], argv.data());
        ::_exit(127);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != expectedExit)
        fail(IoStatus{1, commandLine(command) + "failed"});
}

std::vector<double> bestOfFreshRuns(const std::vector<std::string> &args, int runs)
{
    std::vector<double> best;
    for (int run = 0; run < runs; ++run) {
        std::istringstream figures(outputOfFreshRun(args));
        std::vector<double> values;
        for (double value = 0; figures >> value;)
            values.push_back(value);
        if (best.empty())
            best = values;
        for (std::size_t i = 0; i < best.size() && i < values.size(); ++i)
            best[i] = std::min(best[i], values[i]);
    }
    return best;
}
