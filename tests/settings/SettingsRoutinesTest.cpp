#include "StoreFixture.h"

#include "FakeUserInterface.h"
#include "inidb/IniDocument.h"
#include "settings/SettingsIniPathResolver.h"
#include "settings/badRegistry.h"

#include <tuple>
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

    // Only 0 and 1 mean something; any other stored text reads as the default.
    const std::tuple<std::string, std::string, Flags> texts[] = {
        {"0", "1", {0, 1}}, {" 1 ", "0", {1, 0}}, {"2", "", {1, 0}}, {"abc", "65537", {1, 0}}};
    for (const auto &[autoOpen, saveType, expected] : texts) {
        store("AutoOpen", autoOpen);
        store("SaveType", saveType);
        const OptionSettings options = LoadOptionSettings(*m_store, m_doc);
        EXPECT_EQ(Flags(options.autoOpen, options.saveType), expected) << autoOpen << "/" << saveType;
        EXPECT_EQ(Flags(m_doc.AutoOpen, m_doc.SaveType), expected);
    }
}

INSTANTIATE_TEST_SUITE_P(BothStores, RoutinesTest, ::testing::Values(StoreKind::Memory, StoreKind::File),
                         StoreKindName);

// A store file that cannot be read or written, or is damaged as a whole, ends the start
// with an "Error" naming the file, never in a crash or a first-start question, and
// stays as it was for the user to mend; no store file is made.
TEST(StartupWithABrokenStore, ShowsTheErrorNamingTheFileAndKeepsIt)
{
    const QString IoFailed = QStringLiteral("cannot be read or written.");
    const QString Damaged = QStringLiteral("is damaged; correct or delete it.");
    // The store file, and what is written in the folder: a file with these bytes, or a
    // folder where the name ends in "/".
    const std::tuple<const char *, const char *, QByteArray, RegStatus, QString> breakages[] = {
        {"plain/Tamsic/settings.ini", "plain", "not a folder", RegStatusCode::StoreIoFailed, IoFailed},
        {"Tamsic/settings.ini", "Tamsic/settings.ini/", {}, RegStatusCode::StoreIoFailed, IoFailed},
        {"Tamsic/settings.ini", "Tamsic/settings.ini", "[HKEY_LOCAL_MACHINE\nSoftware\\x=1\n", RegStatusCode::StoreCorrupt,
         Damaged},
        {"Tamsic/settings.ini", "Tamsic/settings.ini", QByteArray("\x00\xff\xfe[\x01\x02=\x03\n\x80\x81]\n", 13),
         RegStatusCode::StoreCorrupt, Damaged},
        // A hand edit in another code page: QSettings would read the byte as a replacement
        // character and write the path back changed.
        {"Tamsic/settings.ini", "Tamsic/settings.ini", "[Velmoran%20ini%20Editor]\nIniPath=/home/jos\xe9/velmoran.ini\n",
         RegStatusCode::StoreCorrupt, Damaged}};
    for (const auto &[name, written, bytes, status, says] : breakages) {
        QTemporaryDir folder;
        const QString storeFile = folder.filePath(QString::fromLatin1(name));
        const QString blocker = folder.filePath(QString::fromLatin1(written));
        if (blocker.endsWith(u'/'))
            QDir().mkpath(blocker);
        else
            WriteTestFile(blocker, bytes);
        const QByteArray before = FileBytes(storeFile);
        const bool existed = QFileInfo::exists(storeFile);
        FileRegistryStore store(storeFile);
        IniDocument doc;
        FakeUserInterface ui;
        SettingsIniPathResolver resolver(store, doc, ui, []() -> std::optional<std::string> {
            ADD_FAILURE() << "a broken store must not lead to the first-start question";
            return std::nullopt;
        });
        EXPECT_FALSE(ReadStartupSettings(store, doc, resolver, ui));
        ASSERT_EQ(ui.errors().size(), 1u);
        EXPECT_EQ(ui.errors()[0].title, QStringLiteral("Error"));
        EXPECT_EQ(ui.errors()[0].text, QStringLiteral("Error %1: The settings file \"%2\" %3").arg(status).arg(storeFile, says));
        EXPECT_EQ(FileBytes(storeFile), before);
        EXPECT_EQ(QFileInfo::exists(storeFile), existed);
    }
}

// A single value the store's file cannot make sense of is offered for reset: No stops the
// start and keeps the file, Yes repairs the value and goes on.
TEST(StartupWithADamagedValue, KeepsItOnNoAndResetsItOnYes)
{
    QTemporaryDir folder;
    const QString storeFile = folder.filePath(QStringLiteral("Tamsic/settings.ini"));
    const QByteArray damaged = "[Velmoran%20ini%20Editor]\nFirstRun=@ByteArray(no type)\n";
    WriteTestFile(storeFile, damaged);
    FileRegistryStore store(storeFile);
    IniDocument doc;
    FakeUserInterface ui;
    SettingsIniPathResolver resolver(store, doc, ui, [] { return std::optional<std::string>("/x.ini"); });
    ui.yesNoAnswers = {false, true};
    EXPECT_FALSE(ReadStartupSettings(store, doc, resolver, ui));
    EXPECT_EQ(FileBytes(storeFile), damaged);
    EXPECT_TRUE(ReadStartupSettings(store, doc, resolver, ui));
    ASSERT_EQ(ui.questions().size(), 2u);
    EXPECT_EQ(ui.questions()[0].title, QStringLiteral("Error"));
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
