#include "ChildProcess.h"

#include <signal.h>
#include <stdexcept>
#include <sys/wait.h>
#include <unistd.h>

ChildProcess::ChildProcess(const std::vector<std::string> &arguments, const std::vector<std::string> &environment)
{
    // Built before the fork: the child only calls what is safe between fork and exec. The
    // given settings come first, and a program takes the first setting of a name.
    std::vector<char *> argv;
    std::vector<char *> envp;
    for (const std::string &argument : arguments)
        argv.push_back(const_cast<char *>(argument.c_str()));
    for (const std::string &setting : environment)
        envp.push_back(const_cast<char *>(setting.c_str()));
    for (char **inherited = environ; *inherited; ++inherited)
        envp.push_back(*inherited);
    argv.push_back(nullptr);
    envp.push_back(nullptr);
    int out[2];
    if (::pipe(out) != 0 || (m_pid = ::fork()) < 0)
        throw std::runtime_error("cannot start a process");
    if (m_pid == 0) {
        ::dup2(out[1], STDOUT_FILENO);
        ::close(out[0]);
        ::close(out[1]);
        ::execve(argv[0], argv.data(), envp.data());
        ::_exit(127);
    }
    ::close(out[1]);
    m_out = out[0];
}

ChildProcess::~ChildProcess()
{
    if (m_pid > 0) {
        kill();
        wait();
    }
    ::close(m_out);
}

std::string ChildProcess::readLine()
{
    std::string line;
    char c;
    while (::read(m_out, &c, 1) == 1 && c != '\n')
        line += c;
    return line;
}

void ChildProcess::kill()
{
    ::kill(m_pid, SIGKILL);
}

ChildProcess::End ChildProcess::wait()
{
    int status = 0;
    ::waitpid(m_pid, &status, 0);
    m_pid = 0;
    if (WIFEXITED(status))
        return {true, WEXITSTATUS(status), 0};
    return {false, 0, WIFSIGNALED(status) ? WTERMSIG(status) : 0};
}
