#include "TempFolder.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <sys/wait.h>

namespace {

constexpr std::string_view kClean = "// head\r\n{A-45}\r\nName=Alpha\r\nUCode=1\r\nComment=Playable\r\n\r\n";
constexpr std::string_view kMessy = "// head\n{A-45}\nUCode=one\nName=Alpha\n\n[B-4A]\nName=Beta";

struct ToolRun {
    int exitCode = -1;
    std::string output;
};

// Runs the built tool with the shell, standard error joined to standard output.
ToolRun tool(const std::string &arguments)
{
    const std::string command = std::string("'") + TAMSIC_INI_PATH + "' " + arguments + " 2>&1";
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
                                                       "kept as written\n");
    EXPECT_EQ(tool("check " + quoted("clean.ini")).exitCode, 0);
    const ToolRun missing = tool("check " + quoted("gone.ini"));
    EXPECT_EQ(missing.exitCode, 2);
    EXPECT_NE(missing.output.find(folder.file("gone.ini")), std::string::npos);

    EXPECT_EQ(tool("normalize " + quoted("clean.ini") + " " + quoted("clean.ini")).exitCode, 0);
    EXPECT_EQ(ReadBytes(folder.file("clean.ini")), kClean);
    EXPECT_EQ(tool("normalize " + quoted("messy.ini") + " " + quoted("out.ini")).exitCode, 1);
    EXPECT_EQ(ReadBytes(folder.file("out.ini")), "// head\r\n{A-45}\r\nName=Alpha\r\nUCode=0\r\nUCode=one\r\n\r\n"
                                                 "{B-4A}\r\nName=Beta\r\nUCode=0\r\n\r\n");
    EXPECT_EQ(ReadBytes(folder.file("messy.ini")), kMessy);
    EXPECT_EQ(tool("normalize " + quoted("clean.ini") + " " + quoted("none/out.ini")).exitCode, 3);

    EXPECT_EQ(tool("compat " + quoted("clean.ini") + " " + quoted("compat.txt")).exitCode, 0);
    EXPECT_NE(ReadBytes(folder.file("compat.txt")).find("Alpha - E (USA)\r\n\r\n(001/1) 100%\r\n"), std::string::npos);
    EXPECT_EQ(folder.listing(), "clean.ini\ncompat.txt\nmessy.ini\nout.ini\n");
    EXPECT_EQ(tool("frobnicate a b").exitCode, 64);
}

} // namespace
