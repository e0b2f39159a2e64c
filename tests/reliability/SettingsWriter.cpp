// Writes and reads the user's settings many times over, as a second running copy of the
// program would; the two-writer test runs two of these at once.
//   tamsic_settings_writer <name> <rounds>
// Round r writes "<name>-<r>" to the value "Own<name>" (only this writer's) and to
// "Shared" (both writers'), and r to "Round" below its own key, then reads them back.
// Prints "done" and exits 0 when every call succeeded and read back a value written.
#include "settings/FileRegistryStore.h"
#include "settings/Reg.h"
#include "settings/badRegistry.h"

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

namespace {

std::string textOf(const RegQueryResult &result)
{
    const std::string *text = std::get_if<std::string>(&result);
    return text ? *text : std::string("(a number)");
}

} // namespace

int main(int argc, char **argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s <name> <rounds>\n", argv[0]);
        return 2;
    }
    const std::string name = argv[1];
    const int rounds = std::atoi(argv[2]);
    const std::string key = badRegistry::SettingsKey;
    const std::string ownKey = key + "\\Writer " + name;
    const std::unique_ptr<RegistryStore> store = OpenUserSettingsStore();
    Reg reg(*store);

    for (int round = 0; round < rounds; ++round) {
        const std::string value = name + "-" + std::to_string(round);
        const bool written = reg.Set_Value(HKEY_LOCAL_MACHINE, key, "Own" + name, value, RegType::Text)
                          && reg.Set_Value(HKEY_LOCAL_MACHINE, key, "Shared", value, RegType::Text)
                          && reg.Set_Value(HKEY_LOCAL_MACHINE, ownKey, "Round", std::to_string(round), RegType::Text);
        const std::string own = textOf(reg.Query_Value(HKEY_LOCAL_MACHINE, key, "Own" + name));
        const std::string shared = textOf(reg.Query_Value(HKEY_LOCAL_MACHINE, key, "Shared"));
        const std::string ownRound = textOf(reg.Query_Value(HKEY_LOCAL_MACHINE, ownKey, "Round"));
        const bool readBack = own == value && ownRound == std::to_string(round)
                           && (shared.starts_with("A-") || shared.starts_with("B-"));
        if (!written || !readBack || reg.ErrorNumber() != 0) {
            std::fprintf(stderr, "writer %s, round %d: wrote %s, read own \"%s\", shared \"%s\", round \"%s\"; error %d: %s\n",
                         name.c_str(), round, written ? "all" : "not all", own.c_str(), shared.c_str(),
                         ownRound.c_str(), reg.ErrorNumber(), reg.ErrorDescription().c_str());
            return 1;
        }
    }
    std::printf("done\n");
    return 0;
}
