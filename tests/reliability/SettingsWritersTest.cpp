// Two running copies of the program writing the settings file at once.
#include "settings/FileRegistryStore.h"
#include "settings/Reg.h"
#include "settings/badRegistry.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cstdio>
#include <sys/wait.h>
#include <unistd.h>

namespace {

const std::string Key = badRegistry::SettingsKey;
constexpr int kRounds = 150;

std::string textOf(Reg &reg, const std::string &name)
{
    return std::get<std::string>(reg.Query_Value(HKEY_LOCAL_MACHINE, Key, name, "(missing)"));
}

// Round r writes "<name>-<r>" to "Own<name>" (this writer's only) and to "Shared", then
// reads them back; true when every call succeeded and read back a value one of the
// writers wrote.
bool writeRounds(const std::string &name)
{
    const std::unique_ptr<RegistryStore> store = OpenUserSettingsStore();
    Reg reg(*store);
    for (int round = 0; round < kRounds; ++round) {
        const std::string value = name + "-" + std::to_string(round);
        const bool written = reg.Set_Value(HKEY_LOCAL_MACHINE, Key, "Own" + name, value, RegType::Text)
                          && reg.Set_Value(HKEY_LOCAL_MACHINE, Key, "Shared", value, RegType::Text);
        const std::string shared = textOf(reg, "Shared");
        if (!written || textOf(reg, "Own" + name) != value || !(shared.starts_with("A-") || shared.starts_with("B-"))
            || reg.ErrorNumber() != 0) {
            std::fprintf(stderr, "writer %s, round %d, shared \"%s\": error %d: %s\n", name.c_str(), round,
                         shared.c_str(), reg.ErrorNumber(), reg.ErrorDescription().c_str());
            return false;
        }
    }
    return true;
}

TEST(TwoWriters, LeaveEveryValueAsOneOfThemWroteItLast)
{
    QTemporaryDir configHome;
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(configHome.path()));
    for (const char *name : {"A", "B"})
        if (::fork() == 0)
            ::_exit(writeRounds(name) ? 0 : 1);
    for (int writer = 0; writer < 2; ++writer) {
        int end = 0;
        ::wait(&end);
        EXPECT_TRUE(WIFEXITED(end) && WEXITSTATUS(end) == 0) << "a writer failed or was killed";
    }

    const std::unique_ptr<RegistryStore> store = OpenUserSettingsStore();
    Reg reg(*store);
    const std::string last = std::to_string(kRounds - 1);
    EXPECT_EQ(textOf(reg, "OwnA"), "A-" + last);
    EXPECT_EQ(textOf(reg, "OwnB"), "B-" + last);
    const std::string shared = textOf(reg, "Shared");
    EXPECT_TRUE(shared == "A-" + last || shared == "B-" + last) << shared;
    EXPECT_EQ(store->health(), RegStatusCode::Success);
    EXPECT_EQ(reg.ErrorNumber(), 0) << reg.ErrorDescription();
}

} // namespace
