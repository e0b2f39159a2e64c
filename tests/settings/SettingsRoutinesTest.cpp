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

// The routines as the program wires them: the resolver asks through the scripted dialogs.
class RoutinesTest : public StoreTest {
protected:
    void SetUp() override
    {
        StoreTest::SetUp();
        m_resolver = std::make_unique<SettingsIniPathResolver>(*m_store, m_doc, m_ui, [this] {
            const auto chosen = m_ui.chooseFileToOpen(nullptr, {QStringLiteral("Velmoran.ini"), QStringLiteral("velmoran.ini")});
            return chosen ? std::optional(QFile::encodeName(*chosen).toStdString()) : std::nullopt;
        });
    }

    bool startUp() { return ReadStartupSettings(*m_store, m_doc, *m_resolver, m_ui); }
    std::string stored(const char *name) { return StoredText(*m_store, SettingsKey, name); }
    void store(const char *name, const std::string &text)
    {
        ASSERT_TRUE(Reg(*m_store).Set_Value(HKEY_LOCAL_MACHINE, SettingsKey, name, text, RegType::Text));
    }

    IniDocument m_doc;
    FakeUserInterface m_ui;
    std::unique_ptr<SettingsIniPathResolver> m_resolver;
};

// A cancelled first start asks again next time; the chosen file is remembered with the
// defaults, and the start after that asks nothing.
TEST_P(RoutinesTest, FirstStartAsksUntilAFileIsChosen)
{
    m_ui.fileAnswers = {std::nullopt, QStringLiteral("/roms/velmoran.ini")};
    EXPECT_FALSE(startUp());
    EXPECT_EQ(stored("FirstRun"), "1");
    EXPECT_EQ(stored("IniPath"), "");
    ASSERT_TRUE(startUp());
    for (const auto &[name, text] : {std::pair{"FirstRun", "0"}, {"IniPath", "/roms/velmoran.ini"},
                                     {"AutoOpen", "1"}, {"SaveType", "0"}})
        EXPECT_EQ(stored(name), text) << name;
    m_doc.IniPath.clear();
    ASSERT_TRUE(startUp());
    EXPECT_EQ(m_doc.IniPath, "/roms/velmoran.ini");
    EXPECT_EQ(m_ui.shown.size(), 2u);
    EXPECT_TRUE(m_ui.errors().empty());
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
        EXPECT_EQ(m_ui.shown.size(), isNumber ? 0u : 1u);
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

// Apply stores both and the globals follow; reloading shows what was stored. A given path
// is stored whole, however long, and comes back at the next start.
TEST_P(RoutinesTest, OptionsAndPathAreStoredAndReadBack)
{
    const std::string longPath = "/" + std::string(995, 'd') + "/a.ini";
    EXPECT_TRUE(m_resolver->ResolveIniPath(longPath));
    EXPECT_EQ(m_doc.IniPath, longPath);
    SaveOptionSettings(*m_store, m_doc, "0", "1");
    EXPECT_EQ(Flags(m_doc.AutoOpen, m_doc.SaveType), Flags(0, 1));
    m_doc = IniDocument{};
    const OptionSettings reopened = LoadOptionSettings(*m_store, m_doc);
    EXPECT_EQ(Flags(reopened.autoOpen, reopened.saveType), Flags(0, 1));
    EXPECT_EQ(Flags(m_doc.AutoOpen, m_doc.SaveType), Flags(0, 1));
    store("FirstRun", "0");
    ASSERT_TRUE(startUp());
    EXPECT_EQ(m_doc.IniPath, longPath);
    EXPECT_TRUE(m_ui.shown.empty());
}

INSTANTIATE_TEST_SUITE_P(BothStores, RoutinesTest, ::testing::Values(StoreKind::Memory, StoreKind::File),
                         StoreKindName);

// Only 0 and 1 mean something; any other stored text reads as the default.
TEST(StoredOptions, ReadAsZeroOneOrTheDefault)
{
    const std::tuple<std::string, std::string, Flags> texts[] = {
        {"0", "1", {0, 1}}, {" 1 ", "0", {1, 0}}, {"2", "2", {1, 0}}, {"", "", {1, 0}}, {"abc", "1x", {1, 0}},
        {"65536", "65537", {1, 0}}};
    for (const auto &[autoOpen, saveType, expected] : texts) {
        MemoryRegistryStore store;
        IniDocument doc;
        Reg reg(store);
        ASSERT_TRUE(reg.Set_Value(HKEY_LOCAL_MACHINE, SettingsKey, "AutoOpen", autoOpen, 1));
        ASSERT_TRUE(reg.Set_Value(HKEY_LOCAL_MACHINE, SettingsKey, "SaveType", saveType, 1));
        const OptionSettings options = LoadOptionSettings(store, doc);
        EXPECT_EQ(Flags(options.autoOpen, options.saveType), expected) << autoOpen << "/" << saveType;
        EXPECT_EQ(Flags(doc.AutoOpen, doc.SaveType), expected);
    }
}

// A store that cannot be read or written, or holds a damaged value, reaches the user with the
// store file's name, and no store file is made (stores damaged as a whole are the settings
// reliability test's).
TEST(StartupWithABrokenStore, ShowsTheErrorNamingTheFile)
{
    const QString IoFailed = QStringLiteral("cannot be read or written.");
    // Each breaks the store at its usual path inside the folder, or returns another path.
    const std::tuple<std::function<QString(const QString &)>, RegStatus, QString> breakages[] = {
        {[](const QString &folder) {
             WriteTestFile(folder + QStringLiteral("/plain"), "not a folder");
             return folder + QStringLiteral("/plain/Tamsic/settings.ini");
         },
         RegStatusCode::StoreIoFailed, IoFailed},
        {[](const QString &folder) {
             QDir().mkpath(folder + QStringLiteral("/Tamsic/settings.ini"));
             return folder + QStringLiteral("/Tamsic/settings.ini");
         },
         RegStatusCode::StoreIoFailed, IoFailed},
        {[](const QString &folder) {
             const QString file = folder + QStringLiteral("/Tamsic/settings.ini");
             WriteTestFile(file, "[HKEY_LOCAL_MACHINE\nSoftware\\x=1\n");
             return file;
         },
         RegStatusCode::StoreCorrupt, QStringLiteral("is damaged; correct or delete it.")}};
    for (const auto &[breakStore, status, says] : breakages) {
        QTemporaryDir folder;
        const QString storeFile = breakStore(folder.path());
        const QByteArray before = FileBytes(storeFile);
        const bool existed = QFileInfo::exists(storeFile);
        FileRegistryStore store(storeFile);
        IniDocument doc;
        FakeUserInterface ui;
        SettingsIniPathResolver resolver(store, doc, ui, [] { return std::optional<std::string>("/x.ini"); });
        EXPECT_FALSE(ReadStartupSettings(store, doc, resolver, ui));
        ASSERT_EQ(ui.errors().size(), 1u);
        EXPECT_EQ(ui.errors()[0].text, QStringLiteral("Error %1: The settings file \"%2\" %3").arg(status).arg(storeFile, says));
        EXPECT_EQ(FileBytes(storeFile), before);
        EXPECT_EQ(QFileInfo::exists(storeFile), existed);
    }
}

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
