#include "StoreFixture.h"

#include "FakeUserInterface.h"
#include "inidb/IniDocument.h"
#include "settings/SettingsIniPathResolver.h"
#include "settings/badRegistry.h"

#include <functional>
#include <utility>

using namespace badRegistry;

namespace {

// AutoOpen and SaveType, compared as a pair.
using Flags = std::pair<int, int>;

const FileFilter IniFilter{QStringLiteral("Velmoran.ini"), QStringLiteral("velmoran.ini")};

// The routines as the program wires them: the resolver asks through the scripted dialogs.
class RoutinesTest : public StoreTest {
protected:
    void SetUp() override
    {
        StoreTest::SetUp();
        m_resolver = std::make_unique<SettingsIniPathResolver>(*m_store, m_doc, m_ui, [this] {
            const std::optional<QString> chosen = m_ui.chooseFileToOpen(nullptr, IniFilter);
            return chosen ? std::optional(QFile::encodeName(*chosen).toStdString()) : std::nullopt;
        });
    }

    bool startUp() { return ReadStartupSettings(*m_store, m_doc, *m_resolver, m_ui); }
    std::string stored(const char *name) { return StoredText(*m_store, SettingsKey, name); }
    void store(const char *name, const std::string &text)
    {
        ASSERT_TRUE(Reg(*m_store).Set_Value(HKEY_LOCAL_MACHINE, SettingsKey, name, text, RegType::Text));
    }
    std::size_t fileQuestions() const
    {
        return static_cast<std::size_t>(std::count_if(m_ui.shown.begin(), m_ui.shown.end(),
                                                      [](const auto &s) { return s.kind == QStringLiteral("open"); }));
    }

    IniDocument m_doc;
    FakeUserInterface m_ui;
    std::unique_ptr<SettingsIniPathResolver> m_resolver;
};

TEST_P(RoutinesTest, FirstStartCreatesTheDefaultsAndRemembersTheChosenFile)
{
    m_ui.fileAnswers.push_back(QStringLiteral("/roms/velmoran.ini"));
    ASSERT_TRUE(startUp());
    EXPECT_EQ(fileQuestions(), 1u);
    EXPECT_TRUE(m_ui.errors().empty());
    for (const auto &[name, text] : {std::pair{"FirstRun", "0"}, {"IniPath", "/roms/velmoran.ini"},
                                     {"AutoOpen", "1"}, {"SaveType", "0"}})
        EXPECT_EQ(stored(name), text) << name;
    EXPECT_EQ(m_doc.IniPath, "/roms/velmoran.ini");

    // The next start asks nothing.
    m_doc.IniPath.clear();
    ASSERT_TRUE(startUp());
    EXPECT_EQ(fileQuestions(), 1u);
    EXPECT_EQ(m_doc.IniPath, "/roms/velmoran.ini");
}

TEST_P(RoutinesTest, CancelledFirstStartAsksAgainNextTime)
{
    m_ui.fileAnswers.push_back(std::nullopt);
    EXPECT_FALSE(startUp());
    EXPECT_TRUE(m_ui.errors().empty());
    EXPECT_EQ(stored("FirstRun"), "1");
    EXPECT_EQ(stored("IniPath"), "");
    EXPECT_EQ(m_doc.IniPath, "");

    m_ui.fileAnswers.push_back(QStringLiteral("/second/velmoran.ini"));
    EXPECT_TRUE(startUp());
    EXPECT_EQ(fileQuestions(), 2u);
    EXPECT_EQ(stored("FirstRun"), "0");
}

// Only a number other than 1 starts without asking; a text that is no number is offered
// for reset: No stops the start, Yes goes on as at a first start.
TEST_P(RoutinesTest, AStoredFirstRunDecidesTheStart)
{
    for (const char *firstRun : {"0", "2", " 0 ", "", "yes"}) {
        const bool isNumber = *firstRun != '\0' && *firstRun != 'y';
        ASSERT_TRUE(CreateDefaultSettings(*m_store));
        store("FirstRun", firstRun);
        store("IniPath", "/kept.ini");
        m_ui.shown.clear();
        m_ui.yesNoAnswers = {false};
        EXPECT_EQ(startUp(), isNumber) << firstRun;
        EXPECT_EQ(fileQuestions(), 0u);
        if (isNumber) {
            EXPECT_EQ(m_doc.IniPath, "/kept.ini");
            continue;
        }
        ASSERT_EQ(m_ui.questions().size(), 1u);
        EXPECT_EQ(m_ui.questions()[0].title, QStringLiteral("Error"));
        EXPECT_EQ(m_ui.questions()[0].text,
                  QStringLiteral("Error 13: Type mismatch: the setting \"FirstRun\" holds \"%1\", not a number.\n"
                                 "Settings file: %2\n\nReset \"FirstRun\" to its default \"1\" and go on?")
                      .arg(QLatin1String(firstRun), QString::fromStdString(m_store->location())));
        EXPECT_EQ(stored("FirstRun"), firstRun);
    }
    m_ui.yesNoAnswers = {true};
    m_ui.fileAnswers = {QStringLiteral("/chosen.ini")};
    EXPECT_TRUE(startUp());
    EXPECT_EQ(stored("FirstRun"), "0");
    EXPECT_EQ(m_doc.IniPath, "/chosen.ini");
}

TEST_P(RoutinesTest, ApplyOkAndCancelKeepWhatWasSaved)
{
    m_ui.fileAnswers.push_back(QStringLiteral("/roms/velmoran.ini"));
    ASSERT_TRUE(startUp());
    LoadOptionSettings(*m_store, m_doc);

    // Apply: both stored, both globals follow at once.
    SaveOptionSettings(*m_store, m_doc, "0", "1");
    EXPECT_EQ(stored("AutoOpen"), "0");
    EXPECT_EQ(stored("SaveType"), "1");
    EXPECT_EQ(Flags(m_doc.AutoOpen, m_doc.SaveType), Flags(0, 1));
    EXPECT_EQ(stored("IniPath"), "/roms/velmoran.ini");

    // Cancel saves nothing; loading the dialog again shows what Apply stored.
    m_doc.AutoOpen = 1;
    const OptionSettings reopened = LoadOptionSettings(*m_store, m_doc);
    EXPECT_EQ(Flags(reopened.autoOpen, reopened.saveType), Flags(0, 1));
    EXPECT_EQ(m_doc.AutoOpen, 0);
}

TEST_P(RoutinesTest, ResolvingAGivenPathAsksNothingAndKeepsLongPathsWhole)
{
    const std::string longPath = "/" + std::string(995, 'd') + "/a.ini";
    EXPECT_TRUE(m_resolver->ResolveIniPath(longPath));
    EXPECT_EQ(m_doc.IniPath, longPath);
    EXPECT_EQ(stored("IniPath"), longPath);
    EXPECT_EQ(fileQuestions(), 0u);

    // At start-up the long path comes back whole too.
    store("FirstRun", "0");
    m_doc.IniPath.clear();
    ASSERT_TRUE(startUp());
    EXPECT_EQ(m_doc.IniPath, longPath);
}

INSTANTIATE_TEST_SUITE_P(BothStores, RoutinesTest,
                         ::testing::Values(StoreKind::Memory, StoreKind::File), StoreKindName);

struct OptionCase {
    std::string autoOpen;
    std::string saveType;
    OptionSettings expected;
};

void PrintTo(const OptionCase &option, std::ostream *out)
{
    *out << "'" << option.autoOpen << "' '" << option.saveType << "'";
}

class StoredOptions : public ::testing::TestWithParam<OptionCase> {};

// Only 0 and 1 mean something; any other stored text reads as the default.
TEST_P(StoredOptions, ReadAsZeroOneOrTheDefault)
{
    MemoryRegistryStore store;
    IniDocument doc;
    Reg reg(store);
    ASSERT_TRUE(reg.Set_Value(HKEY_LOCAL_MACHINE, SettingsKey, "AutoOpen", GetParam().autoOpen, 1));
    ASSERT_TRUE(reg.Set_Value(HKEY_LOCAL_MACHINE, SettingsKey, "SaveType", GetParam().saveType, 1));
    const OptionSettings options = LoadOptionSettings(store, doc);
    EXPECT_EQ(Flags(options.autoOpen, options.saveType),
              Flags(GetParam().expected.autoOpen, GetParam().expected.saveType));
    EXPECT_EQ(Flags(doc.AutoOpen, doc.SaveType), Flags(options.autoOpen, options.saveType));
}

INSTANTIATE_TEST_SUITE_P(Texts, StoredOptions,
                         ::testing::Values(OptionCase{"0", "1", {0, 1}},
                                           OptionCase{" 1 ", "0", {1, 0}},
                                           OptionCase{"2", "2", {1, 0}},
                                           OptionCase{"", "", {1, 0}},
                                           OptionCase{"abc", "1x", {1, 0}},
                                           OptionCase{"65536", "65537", {1, 0}}));

struct BrokenStoreCase {
    const char *name;
    // Breaks the store at the given path; returns the status the user should see.
    std::function<RegStatus(const QString &folder, QString &storeFile)> breakStore;
    const char *says;
};

void PrintTo(const BrokenStoreCase &broken, std::ostream *out)
{
    *out << broken.name;
}

class StartupWithABrokenStore : public ::testing::TestWithParam<BrokenStoreCase> {};

// The store's own trouble reaches the user with the store file's name, and nothing crashes.
TEST_P(StartupWithABrokenStore, ShowsTheErrorNamingTheFile)
{
    QTemporaryDir folder;
    QString storeFile = folder.filePath(QStringLiteral("Tamsic/settings.ini"));
    const RegStatus status = GetParam().breakStore(folder.path(), storeFile);
    const QByteArray before = FileBytes(storeFile);
    const bool existed = QFileInfo::exists(storeFile);
    FileRegistryStore store(storeFile);
    IniDocument doc;
    FakeUserInterface ui;
    SettingsIniPathResolver resolver(store, doc, ui, [] { return std::optional<std::string>("/x.ini"); });
    EXPECT_FALSE(ReadStartupSettings(store, doc, resolver, ui));
    ASSERT_EQ(ui.errors().size(), 1u);
    EXPECT_EQ(ui.errors()[0].title, QStringLiteral("Error"));
    EXPECT_EQ(ui.errors()[0].text, QStringLiteral("Error %1: The settings file \"%2\" %3")
                                       .arg(status)
                                       .arg(storeFile, QLatin1String(GetParam().says)));
    // Nothing the user could still repair is overwritten, and no store file is made.
    EXPECT_EQ(FileBytes(storeFile), before);
    EXPECT_EQ(QFileInfo::exists(storeFile), existed);
}

INSTANTIATE_TEST_SUITE_P(
    Stores, StartupWithABrokenStore,
    ::testing::Values(
        BrokenStoreCase{"FolderCannotBeCreated",
                        [](const QString &folder, QString &storeFile) {
                            WriteTestFile(folder + QStringLiteral("/plain"), "not a folder");
                            storeFile = folder + QStringLiteral("/plain/Tamsic/settings.ini");
                            return RegStatusCode::StoreIoFailed;
                        },
                        "cannot be read or written."},
        BrokenStoreCase{"FileCannotBeRead",
                        [](const QString &, QString &storeFile) {
                            QDir().mkpath(storeFile);
                            return RegStatusCode::StoreIoFailed;
                        },
                        "cannot be read or written."},
        BrokenStoreCase{"FileIsDamaged",
                        [](const QString &, QString &storeFile) {
                            WriteTestFile(storeFile, "[HKEY_LOCAL_MACHINE\nSoftware\\x=1\n");
                            return RegStatusCode::StoreCorrupt;
                        },
                        "is damaged; correct or delete it."}),
    [](const auto &info) { return std::string(info.param.name); });

// A value the store's file cannot make sense of is offered for reset too; Yes repairs it.
TEST(StartupWithADamagedValue, ResetsItOnYesAndGoesOn)
{
    QTemporaryDir folder;
    const QString storeFile = folder.filePath(QStringLiteral("Tamsic/settings.ini"));
    FileRegistryStore store(storeFile);
    ASSERT_TRUE(CreateDefaultSettings(store));
    DamageValue(storeFile, "FirstRun");
    IniDocument doc;
    FakeUserInterface ui;
    SettingsIniPathResolver resolver(store, doc, ui, [] { return std::optional<std::string>("/x.ini"); });
    ui.yesNoAnswers = {true};
    EXPECT_TRUE(ReadStartupSettings(store, doc, resolver, ui));
    ASSERT_EQ(ui.questions().size(), 1u);
    EXPECT_TRUE(ui.questions()[0].text.contains(QStringLiteral("holds a damaged value \"FirstRun\"")));
    EXPECT_EQ(StoredText(store, SettingsKey, "FirstRun"), "0");
    EXPECT_EQ(doc.IniPath, "/x.ini");
}

// Neither a cancelled question nor a refused write loses the path in use.
TEST(ResolveIniPathFailures, KeepTheOpenPath)
{
    MemoryRegistryStore store;
    IniDocument doc;
    FakeUserInterface ui;
    std::optional<std::string> answer;
    SettingsIniPathResolver resolver(store, doc, ui, [&] { return answer; });
    ASSERT_TRUE(resolver.ResolveIniPath("/first.ini"));
    EXPECT_FALSE(resolver.ResolveIniPath(""));
    EXPECT_TRUE(ui.errors().empty());
    answer = "/chosen.ini";
    store.refuseWrites(5);
    EXPECT_FALSE(resolver.ResolveIniPath(""));
    EXPECT_EQ(doc.IniPath, "/first.ini");
    EXPECT_EQ(StoredText(store, SettingsKey, "IniPath"), "/first.ini");
    ASSERT_EQ(ui.errors().size(), 1u);
    EXPECT_EQ(ui.errors()[0].text, QStringLiteral("Error 5: Cannot write to specified key.\nSettings file: (settings in memory)"));
}

} // namespace
