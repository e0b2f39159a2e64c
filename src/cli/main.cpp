// tamsic-ini: the editor's load, save and report for scripts and version control.

#include "CliReport.h"
#include "MergeCommand.h"
#include "TerminalText.h"
#include "inidb/FileSystem.h"
#include "inidb/IniReader.h"
#include "inidb/IniWriter.h"
#include "inidb/SameFile.h"
#include "reports/CompatText.h"

#include <cerrno>
#include <algorithm>
#include <functional>
#include <iostream>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace {

constexpr std::string_view kUsage =
    "usage: tamsic-ini check FILE\n"
    "       tamsic-ini normalize IN OUT   (OUT may be IN)\n"
    "       tamsic-ini compat IN OUT      (OUT - writes to standard output)\n"
    "       tamsic-ini merge BASE MINE THEIRS [-o OUT]   (OUT is MINE when not given)\n"
    "       tamsic-ini --help | --version\n";

// The report on standard output: its CR LF line ends stay, whatever the names hold is escaped.
IoStatus printReport(const IniDocument &doc)
{
    const std::string report = CompatListText(doc.EntryTable);
    std::string_view text = report;
    std::string printed;
    while (!text.empty()) {
        const std::size_t end = std::min(text.find("\r\n"), text.size());
        printed += ForTerminal(text.substr(0, end));
        printed += "\r\n";
        text.remove_prefix(std::min(text.size(), end + 2));
    }
    std::cout << printed << std::flush;
    return std::cout ? IoStatus::success() : IoFailure(EIO, "write", "standard output");
}

// Loads in and lists the lines it could not read on problemsOut; then hands the document
// to write, when there is something to write.
Exit runOnFile(const std::string &in, std::ostream &problemsOut,
               const std::function<IoStatus(IniDocument &)> &write = {})
{
    IniDocument doc;
    doc.IniPath = in;
    const LoadResult loaded = LoadIniFile(doc);
    if (!loaded.status.ok())
        return Failure(Exit::CannotOpen, loaded.status);
    ListProblems(problemsOut, in, loaded.problems);
    if (write) {
        const IoStatus written = write(doc);
        if (!written.ok())
            return Failure(Exit::CannotWrite, written);
    }
    return loaded.problems.empty() ? Exit::Clean : Exit::LinesNotRead;
}

Exit check(const std::string &path)
{
    return runOnFile(path, std::cout);
}

Exit normalize(const std::string &in, const std::string &out)
{
    return runOnFile(in, std::cerr, [&out](IniDocument &doc) {
        doc.SaveType = static_cast<std::int16_t>(SaveOrder::ReadIn);
        // Written and done: unlike the editor, nothing here needs the file read back.
        return WriteIniFile(doc, out, {}, DefaultFileSystem()).status;
    });
}

Exit compat(const std::string &in, const std::string &out)
{
    if (IsSameFile(in, out))
        return Failure(Exit::CannotWrite, {EEXIST, "The compatibility list cannot be written over the ini file " + in
                                                       + " itself; it was left as it was. Choose another name."});
    if (out == "-")
        return runOnFile(in, std::cerr, printReport);
    return runOnFile(in, std::cerr,
                     [&out](IniDocument &doc) { return WriteCompatList(doc, out, DefaultFileSystem()); });
}

Exit run(const std::vector<std::string> &args)
{
    if (args.size() == 1 && (args[0] == "--help" || args[0] == "-h")) {
        std::cout << kUsage;
        return Exit::Clean;
    }
    if (args.size() == 1 && args[0] == "--version") {
        std::cout << "tamsic-ini " TAMSIC_VERSION "\n";
        return Exit::Clean;
    }
    if (args.size() == 2 && args[0] == "check")
        return check(args[1]);
    if (args.size() == 3 && args[0] == "normalize")
        return normalize(args[1], args[2]);
    if (args.size() == 3 && args[0] == "compat")
        return compat(args[1], args[2]);
    if (!args.empty() && args[0] == "merge")
        if (const std::optional<MergeArguments> merge = ParseMergeArguments(args))
            return RunMerge(*merge);
    std::cerr << kUsage;
    return Exit::BadArguments;
}

} // namespace

int main(int argc, char **argv)
{
    try {
        return static_cast<int>(run(std::vector<std::string>(argv + 1, argv + argc)));
    } catch (const std::exception &error) {
        // Out of memory on a huge file, for instance: say so rather than abort.
        std::cerr << "tamsic-ini: " << error.what() << "\n";
        return static_cast<int>(Exit::CannotOpen);
    }
}
