#include "TempFolder.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <ranges>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

constexpr std::string_view kClean = "// head\r\n{A-45}\r\nName=Alpha\r\nUCode=1\r\nComment=Playable\r\n\r\n";
constexpr std::string_view kMessy = "// head\n{A-45}\nUCode=one\nName=Alpha\n\n[B-4A]\nName=Old\nName=Beta";

struct ToolRun {
    int exitCode = -1;
    std::string output;
};

// Runs the built tool with the shell, standard error joined to standard output (or dropped).
ToolRun tool(const std::string &arguments, bool withErrors = true)
{
    const std::string command =
        std::string("'") + TAMSIC_INI_PATH + "' " + arguments + (withErrors ? " 2>&1" : " 2>/dev/null");
    ToolRun run;
    FILE *pipe = ::popen(command.c_str(), "r");
    char buffer[4096];
    while (std::size_t got = std::fread(buffer, 1, sizeof buffer, pipe))
        run.output.append(buffer, got);
    const int status = ::pclose(pipe);
    run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
}

// check lists each unread line with its number; normalize writes the saver's form (in place
// too) and compat the report; each failure has its own exit code.
TEST(Cli, CommandsWriteTheirOutputAndExitWithTheirCodes)
{
    TempFolder folder;
    WriteBytes(folder.file("clean.ini"), kClean);
    WriteBytes(folder.file("messy.ini"), kMessy);
    const auto quoted = [&folder](std::string_view name) { return "'" + folder.file(name) + "'"; };
    const ToolRun messy = tool("check " + quoted("messy.ini"));
    EXPECT_EQ(messy.exitCode, 1);
    EXPECT_EQ(messy.output, folder.file("messy.ini") + ":3: \"UCode=one\" could not be read; used UCode 0 "
                                                       "(not a whole number from -32768 to 32767); the line is "
                                                       "kept as written\n"
                                + folder.file("messy.ini") + ":8: \"Name=Beta\": a second Name= in this block; "
                                                             "the first is kept as written\n");
    EXPECT_EQ(tool("check " + quoted("clean.ini")).exitCode, 0);
    const ToolRun missing = tool("check " + quoted("gone.ini"));
    EXPECT_EQ(missing.exitCode, 2);
    EXPECT_NE(missing.output.find(folder.file("gone.ini")), std::string::npos);

    EXPECT_EQ(tool("normalize " + quoted("clean.ini") + " " + quoted("clean.ini")).exitCode, 0);
    EXPECT_EQ(ReadBytes(folder.file("clean.ini")), kClean);
    EXPECT_EQ(tool("normalize " + quoted("messy.ini") + " " + quoted("out.ini")).exitCode, 1);
    EXPECT_EQ(ReadBytes(folder.file("out.ini")), "// head\r\n{A-45}\r\nName=Alpha\r\nUCode=0\r\nUCode=one\r\n\r\n"
                                                 "{B-4A}\r\nName=Old\r\nName=Beta\r\nUCode=0\r\n\r\n");
    EXPECT_EQ(ReadBytes(folder.file("messy.ini")), kMessy);
    EXPECT_EQ(tool("normalize " + quoted("clean.ini") + " " + quoted("none/out.ini")).exitCode, 3);

    EXPECT_EQ(tool("compat " + quoted("clean.ini") + " " + quoted("compat.txt")).exitCode, 0);
    EXPECT_NE(ReadBytes(folder.file("compat.txt")).find("Alpha - E (USA)\r\n\r\n(001/1) 100%\r\n"), std::string::npos);
    const ToolRun printed = tool("compat " + quoted("clean.ini") + " -", false);
    EXPECT_EQ(printed.exitCode, 0);
    EXPECT_EQ(printed.output, ReadBytes(folder.file("compat.txt")));
    EXPECT_EQ(folder.listing(), "clean.ini\ncompat.txt\nmessy.ini\nout.ini\n");
    EXPECT_EQ(tool("frobnicate a b").exitCode, 64);
    const ToolRun help = tool("--help", false);
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_TRUE(help.output.starts_with("usage: tamsic-ini check FILE\n")) << help.output;
    EXPECT_EQ(tool("--version", false).output, "tamsic-ini 1.1b\n");
    // The report never replaces the ini file it is made from, however OUT spells it.
    ASSERT_EQ(::symlink("clean.ini", folder.file("link.ini").c_str()), 0);
    for (const char *out : {"clean.ini", "./clean.ini", "link.ini"}) {
        const ToolRun refused = tool("compat " + quoted("clean.ini") + " '" + folder.path() + "/" + out + "'");
        EXPECT_EQ(refused.exitCode, 3) << out;
        EXPECT_NE(refused.output.find(folder.file("clean.ini")), std::string::npos) << refused.output;
    }
    EXPECT_EQ(ReadBytes(folder.file("clean.ini")), kClean);
}

// Text from the file reaches the terminal with its control characters escaped, in the
// list of unread lines and in the report alike.
TEST(Cli, ControlCharactersOfTheFileArePrintedEscaped)
{
    const std::pair<std::string_view, std::string_view> cases[] = {
        {"\x1B]0;PWNED\x07\x1B[31m", "\\x1B]0;PWNED\\x07\\x1B[31m"},
        {"\x7F\xC2\x9B" "2J\t", "\\x7F\\xC2\\x9B" "2J\\x09"},
        {std::string_view("\0\x08", 2), "\\x00\\x08"},
        {"caf\xC3\xA9", "caf\xC3\xA9"}};
    TempFolder folder;
    for (const auto &[raw, escaped] : cases) {
        WriteBytes(folder.file("e.ini"), "{A-45}\r\nName=" + std::string(raw) + "\r\nUCode=" + std::string(raw) + "\r\n");
        const std::string path = "'" + folder.file("e.ini") + "'";
        EXPECT_NE(tool("check " + path).output.find("\"UCode=" + std::string(escaped) + "\""), std::string::npos)
            << escaped;
        EXPECT_NE(tool("compat " + path + " -", false).output.find("\r\n" + std::string(escaped) + " - E (USA)\r\n"),
                  std::string::npos)
            << escaped;
    }
}

// merge writes the merged file (to MINE without -o) and prints each conflict; a file it
// cannot write stays as it was.
TEST(Cli, MergeWritesTheMergedFileAndListsConflicts)
{
    TempFolder folder;
    const auto block = [](std::string_view lines) { return "{A-45}\r\nName=Alpha\r\nUCode=1\r\n" + std::string(lines) + "\r\n"; };
    WriteBytes(folder.file("base.ini"), block(""));
    WriteBytes(folder.file("empty.ini"), "");
    WriteBytes(folder.file("mine.ini"), block("Info=mine\r\n"));
    WriteBytes(folder.file("theirs.ini"), block("Comment=Playable\r\nInfo=theirs\r\n"));
    WriteBytes(folder.file("same.ini"), block("Info=mine\r\n"));
    const auto files = [&folder](std::string_view names) {
        std::string quoted;
        for (const auto name : std::views::split(names, ' '))
            quoted += " '" + folder.file(std::string_view(name.begin(), name.end())) + "'";
        return quoted;
    };
    const ToolRun conflict = tool("merge" + files("base.ini mine.ini theirs.ini") + " -o " + files("out.ini"));
    EXPECT_EQ(conflict.exitCode, 1);
    EXPECT_EQ(conflict.output, "{A-45} Alpha: Info: base \"\", mine \"mine\", theirs \"theirs\"\n");
    EXPECT_EQ(ReadBytes(folder.file("out.ini")), block("Comment=Playable\r\nInfo=mine\r\n"));
    EXPECT_EQ(tool("merge" + files("base.ini same.ini base.ini")).exitCode, 0);
    EXPECT_EQ(ReadBytes(folder.file("same.ini")), block("Info=mine\r\n"));
    // Without a common ancestor git hands over an empty base.
    EXPECT_EQ(tool("merge" + files("empty.ini same.ini mine.ini")).exitCode, 0);
    EXPECT_EQ(tool("merge" + files("base.ini same.ini gone.ini")).exitCode, 2);
    ASSERT_EQ(::mkdir(folder.file("dir").c_str(), 0700), 0);
    EXPECT_EQ(tool("merge" + files("base.ini mine.ini theirs.ini") + " -o " + files("dir")).exitCode, 3);
    EXPECT_EQ(folder.listing(), "base.ini\ndir\nempty.ini\nmine.ini\nout.ini\nsame.ini\ntheirs.ini\n");
    EXPECT_EQ(tool("merge" + files("base.ini mine.ini")).exitCode, 64);
    EXPECT_EQ(tool("merge" + files("base.ini mine.ini theirs.ini") + " -o").exitCode, 64);
    EXPECT_EQ(tool("merge -x" + files("base.ini mine.ini theirs.ini")).exitCode, 64);
    // Nothing to bring in: OUT gets mine's bytes as they are, not as a save writes them.
    WriteBytes(folder.file("messy.ini"), kMessy);
    EXPECT_EQ(tool("merge" + files("base.ini messy.ini base.ini") + " -o " + files("copy.ini")).exitCode, 0);
    EXPECT_EQ(ReadBytes(folder.file("copy.ini")), kMessy);
}

// As git's merge driver: branches that add lines at one place of a block (a conflict to
// git's own merge) merge, and a field both changed stops the merge as a conflict.
TEST(Cli, MergeDriverMergesGitBranches)
{
    TempFolder folder;
    const auto shell = [&folder](const std::string &commands) {
        // Neither the user's nor the system's git configuration is read or written.
        const std::string line = "cd '" + folder.path() + "' && export GIT_CONFIG_GLOBAL=/dev/null GIT_CONFIG_NOSYSTEM=1 "
                                 "GIT_AUTHOR_NAME=T GIT_AUTHOR_EMAIL=t@example.com GIT_COMMITTER_NAME=T "
                                 "GIT_COMMITTER_EMAIL=t@example.com && " + commands + " >/dev/null 2>&1";
        return std::system(line.c_str());
    };
    const std::string ini = folder.file("velmoran.ini");
    const auto block = [](std::string_view lines) { return "{A-45}\r\nName=Alpha\r\nUCode=1\r\n" + std::string(lines) + "\r\n"; };
    WriteBytes(folder.file(".gitattributes"), "velmoran.ini merge=tamsic\n");
    WriteBytes(ini, block(""));
    ASSERT_EQ(shell(std::string("git init -q -b main && git config merge.tamsic.driver \"'") + TAMSIC_INI_PATH
                    + "' merge %O %A %B -o %A\" && git add . && git commit -qm base && git checkout -qb theirs"), 0);
    WriteBytes(ini, block("Comment=Playable\r\n"));
    ASSERT_EQ(shell("git commit -qam theirs && git checkout -q main"), 0);
    WriteBytes(ini, block("Info=mine\r\n"));
    ASSERT_EQ(shell("git commit -qam mine"), 0);
    EXPECT_EQ(shell("git merge -q --no-edit theirs"), 0);
    EXPECT_EQ(ReadBytes(ini), block("Comment=Playable\r\nInfo=mine\r\n"));

    ASSERT_EQ(shell("git checkout -q theirs"), 0);
    WriteBytes(ini, block("Comment=Playable\r\nInfo=theirs\r\n"));
    ASSERT_EQ(shell("git commit -qam again && git checkout -q main"), 0);
    EXPECT_NE(shell("git merge -q --no-edit theirs"), 0);
    EXPECT_EQ(shell("git diff --name-only --diff-filter=U | grep -qx velmoran.ini"), 0);
    EXPECT_EQ(ReadBytes(ini), block("Comment=Playable\r\nInfo=mine\r\n"));
}

} // namespace
