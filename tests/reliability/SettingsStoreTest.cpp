// The settings file under two running copies of the program, and damaged settings files.
#include "ChildProcess.h"
#include "FakeUserInterface.h"

#include "inidb/IniDocument.h"
#include "inidb/IniWriter.h"
#include "settings/FileRegistryStore.h"
#include "settings/Reg.h"
#include "settings/badRegistry.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

const std::string Key = badRegistry::SettingsKey;
constexpr int kRounds = 150;

std::string storedText(Reg &reg, const std::string &key, const std::string &name)
{
    const RegQueryResult result = reg.Query_Value(HKEY_LOCAL_MACHINE, key, name, "(missing)");
    return std::holds_alternative<std::string>(result) ? std::get<std::string>(result) : "(a number)";
}

TEST(TwoWriters, LeaveEveryValueAsOneOfThemWroteItLast)
{
    QTemporaryDir configHome;
    ASSERT_TRUE(configHome.isValid());
    const std::string environment = "XDG_CONFIG_HOME=" + QFile::encodeName(configHome.path()).toStdString();
    ChildProcess first({TAMSIC_SETTINGS_WRITER, "A", std::to_string(kRounds)}, {environment});
    ChildProcess second({TAMSIC_SETTINGS_WRITER, "B", std::to_string(kRounds)}, {environment});
    EXPECT_EQ(first.readLine(), "done");
    EXPECT_EQ(second.readLine(), "done");
    const ChildProcess::End firstEnd = first.wait();
    const ChildProcess::End secondEnd = second.wait();
    EXPECT_TRUE(firstEnd.exited && firstEnd.code == 0) << "signal " << firstEnd.signal;
    EXPECT_TRUE(secondEnd.exited && secondEnd.code == 0) << "signal " << secondEnd.signal;

    FileRegistryStore store(configHome.filePath(QStringLiteral("Tamsic/settings.ini")));
    Reg reg(store);
    const std::string lastA = "A-" + std::to_string(kRounds - 1);
    const std::string lastB = "B-" + std::to_string(kRounds - 1);
    EXPECT_EQ(storedText(reg, Key, "OwnA"), lastA);
    EXPECT_EQ(storedText(reg, Key, "OwnB"), lastB);
    const std::string shared = storedText(reg, Key, "Shared");
    EXPECT_TRUE(shared == lastA || shared == lastB) << shared;
    for (const char *writer : {"A", "B"})
        EXPECT_EQ(storedText(reg, Key + "\\Writer " + writer, "Round"), std::to_string(kRounds - 1)) << writer;
    EXPECT_EQ(store.health(), RegStatusCode::Success);
    EXPECT_EQ(reg.ErrorNumber(), 0) << reg.ErrorDescription();
}

struct Damage {
    const char *name;
    QByteArray bytes;
    bool wholeFile; // damage the file as a whole shows, rather than one value
};

void PrintTo(const Damage &damage, std::ostream *os)
{
    *os << damage.name;
}

class DamagedStore : public testing::TestWithParam<Damage> {};

struct NoQuestion final : IniPathResolver {
    bool ResolveIniPath(const std::string &) override
    {
        ADD_FAILURE() << "a damaged store must not lead to the first-start question";
        return false;
    }
};

// At start-up the program reads its settings first: a damaged file must end in an
// "Error" message naming it, never in a crash, and stay as it was for the user to mend.
TEST_P(DamagedStore, IsReportedAtStartUpAndLeftAsItWas)
{
    QTemporaryDir configHome;
    const QString path = configHome.filePath(QStringLiteral("Tamsic/settings.ini"));
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(GetParam().bytes);
    file.close();

    FileRegistryStore store(path);
    IniDocument doc;
    NoQuestion resolver;
    FakeUserInterface ui;
    // One damaged value is offered for reset; No keeps it as it was.
    ui.yesNoAnswers = {false};
    EXPECT_FALSE(badRegistry::ReadStartupSettings(store, doc, resolver, ui));
    const auto told = GetParam().wholeFile ? ui.errors() : ui.questions();
    ASSERT_EQ(told.size(), 1u);
    EXPECT_EQ(told[0].title, QStringLiteral("Error"));
    if (GetParam().wholeFile) {
        EXPECT_EQ(ui.errors()[0].text, QStringLiteral("Error 1009: The settings file \"%1\" is damaged; correct or delete it.").arg(path));
    }
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), GetParam().bytes);
}

INSTANTIATE_TEST_SUITE_P(
    Files, DamagedStore,
    testing::Values(
        Damage{"UnclosedSection", "[HKEY_LOCAL_MACHINE\nSoftware\\x=1\n", true},
        Damage{"BinaryGarbage", QByteArray("\x00\xff\xfe[\x01\x02=\x03\n\x80\x81]\n", 13), true},
        // A hand edit in another code page: QSettings would read the byte as a replacement
        // character and write the path back changed.
        Damage{"Latin1ByteInAPath", "[Velmoran%20ini%20Editor]\nIniPath=/home/jos\xe9/velmoran.ini\n", true},
        Damage{"CutOffInAValue", "[Velmoran%20ini%20Editor]\nFirstRun=@ByteArray(1:0", false},
        Damage{"ValueWithoutType", "[Velmoran%20ini%20Editor]\nFirstRun=@ByteArray(0)\n", false}),
    [](const testing::TestParamInfo<Damage> &info) { return std::string(info.param.name); });

} // namespace
