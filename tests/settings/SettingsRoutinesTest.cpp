#include "StoreFixture.h"

#include "FakeUserInterface.h"
#include "inidb/IniDocument.h"
#include "settings/SettingsIniPathResolver.h"
#include "settings/badRegistry.h"

#include <tuple>

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
    std::string stored(const char *name) { return StoredSetting(*m_store, SettingsKey, name); }
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
    EXPECT_EQ(stored("FirstRun") + stored("AutoOpen") + stored("SaveType"), "010");
    m_doc.IniPath.clear();
    ASSERT_TRUE(startUp());
    EXPECT_EQ(m_doc.IniPath, "/roms/velmoran.ini");
    EXPECT_EQ(m_ui.shown.size(), 2u);
    EXPECT_TRUE(m_ui.errors().empty());
}

// Only a number other than 1 starts without asking; a text that is no number is offered
// for reset: No stops the start and keeps it, Yes goes on as at a first start.
TEST_P(RoutinesTest, AStoredFirstRunDecidesTheStart)
{
    for (const char *firstRun : {"0", " 2 ", "yes"}) {
        const bool isNumber = *firstRun != 'y';
        ASSERT_TRUE(CreateDefaultSettings(*m_store));
        store("FirstRun", firstRun);
        store("IniPath", "/kept.ini");
        m_ui.shown.clear();
        m_ui.yesNoAnswers = {false};
        EXPECT_EQ(startUp(), isNumber) << firstRun;
        EXPECT_EQ(m_ui.questions().size(), isNumber ? 0u : 1u);
        EXPECT_EQ(isNumber ? m_doc.IniPath : stored("FirstRun"), isNumber ? "/kept.ini" : firstRun);
    }
    m_ui.yesNoAnswers = {true};
    m_ui.fileAnswers = {QStringLiteral("/chosen.ini")};
    EXPECT_TRUE(startUp());
    EXPECT_EQ(stored("FirstRun"), "0");
    EXPECT_EQ(m_doc.IniPath, "/chosen.ini");
}

// Apply stores both options, and a given path is stored whole, however long; only 0 and 1
// read back as stored, any other text as the default.
TEST_P(RoutinesTest, OptionsAndPathAreStoredAndReadBack)
{
    const std::string longPath = "/" + std::string(995, 'd') + "/a.ini";
    EXPECT_TRUE(m_resolver->ResolveIniPath(longPath));
    SaveOptionSettings(*m_store, m_doc, "0", "1");
    m_doc = IniDocument{};
    LoadOptionSettings(*m_store, m_doc);
    EXPECT_EQ(Flags(m_doc.AutoOpen, m_doc.SaveType), Flags(0, 1));
    EXPECT_EQ(stored("IniPath"), longPath);
    store("AutoOpen", "abc");
    store("SaveType", "65537");
    LoadOptionSettings(*m_store, m_doc);
    EXPECT_EQ(Flags(m_doc.AutoOpen, m_doc.SaveType), Flags(1, 0));
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
    // The store file, and the file written in its place or in the way of its folder.
    const std::tuple<const char *, const char *, QByteArray, RegStatus, QString> breakages[] = {
        {"plain/Tamsic/settings.ini", "plain", "not a folder", RegStatusCode::StoreIoFailed, IoFailed},
        // A folder (or a FIFO, which would hold the start) where the file belongs.
        {"Tamsic/settings.ini", "Tamsic/settings.ini/x", "", RegStatusCode::StoreIoFailed,
         QStringLiteral("is not a regular file.")},
        {"Tamsic/settings.ini", "Tamsic/settings.ini", "[HKEY_LOCAL_MACHINE\nSoftware\\x=1\n", RegStatusCode::StoreCorrupt,
         Damaged},
        // A hand edit in another code page: QSettings would read the byte as a replacement
        // character and write the path back changed.
        {"Tamsic/settings.ini", "Tamsic/settings.ini", "[Velmoran%20ini%20Editor]\nIniPath=/home/jos\xe9/velmoran.ini\n",
         RegStatusCode::StoreCorrupt, Damaged}};
    for (const auto &[name, written, bytes, status, says] : breakages) {
        QTemporaryDir folder;
        const QString storeFile = folder.filePath(QString::fromLatin1(name));
        WriteTestFile(folder.filePath(QString::fromLatin1(written)), bytes);
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
    EXPECT_EQ(ui.questions().size(), 2u);
    EXPECT_EQ(StoredSetting(store, SettingsKey, "FirstRun"), "0");
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
    answer = "/chosen.ini";
    store.refuseWrites(5);
    EXPECT_FALSE(resolver.ResolveIniPath(""));
    EXPECT_EQ(doc.IniPath, "/first.ini");
    EXPECT_EQ(StoredSetting(store, SettingsKey, "IniPath"), "/first.ini");
    EXPECT_EQ(ui.errors().size(), 1u);
}

} // namespace
