#include "TempFolder.h"

#include <gtest/gtest.h>

#include <cstdio>
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

} // namespace
