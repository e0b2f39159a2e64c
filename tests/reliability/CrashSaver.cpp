// Saves a big document to a path; the crash test kills it with SIGKILL while it does.
//   tamsic_crash_saver <target> <tag> <entries>
// Prints "ready" once the document is built and the save is about to start, and "saved"
// when the save returned.
#include "BigDocument.h"

#include "inidb/IniWriter.h"

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

struct KeepPath final : IniPathResolver {
    bool ResolveIniPath(const std::string &) override { return true; }
};

} // namespace

int main(int argc, char **argv)
{
    if (argc != 4) {
        std::fprintf(stderr, "usage: %s <target> <tag> <entries>\n", argv[0]);
        return 2;
    }
    IniDocument doc = BigDocument(argv[2], std::strtoul(argv[3], nullptr, 10));
    doc.IniPath = argv[1];
    std::printf("ready\n");
    std::fflush(stdout);
    KeepPath resolver;
    const SaveResult result = SaveIniFile(doc, argv[1], {}, resolver);
    if (!result.status.ok()) {
        std::fprintf(stderr, "%s\n", result.status.description.c_str());
        return 1;
    }
    std::printf("saved\n");
    return 0;
}
