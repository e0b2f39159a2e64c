#include "BenchFiles.h"

#include "IniGenerator.h"

#include "inidb/FileSystem.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <unistd.h>

void fail(const IoStatus &status)
{
    std::fprintf(stderr, "benchmark: %s\n", status.description.c_str());
    std::exit(2);
}

void writeAndFlush(const std::string &path, const std::string &bytes)
{
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0 || ::write(fd, bytes.data(), bytes.size()) != static_cast<ssize_t>(bytes.size()) || ::fsync(fd) != 0)
        fail(IoFailure(errno, "write", path));
    ::close(fd);
}

void writeBenchIni(const std::string &path, std::size_t blocks)
{
    writeAndFlush(path, GenerateIni(blocks, 20240601u + static_cast<unsigned>(blocks)));
}

std::string makeBenchFolder(const std::string &base)
{
    std::string folder = base + "/tamsic-bench-XXXXXX";
    if (!::mkdtemp(folder.data()))
        fail(IoFailure(errno, "mkdtemp", folder));
    return folder;
}
