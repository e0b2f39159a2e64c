#include "StoreFixture.h"

#include "settings/badRegistry.h"

namespace {

const std::string Key = badRegistry::SettingsKey;

QByteArray fileBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

class FileStoreTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(m_folder.isValid()); }

    QString path() const { return m_folder.filePath(QStringLiteral("Tamsic/settings.ini")); }

    QTemporaryDir m_folder;
};

TEST_F(FileStoreTest, TwoStoresOverOneFileSeeEachOthersWrites)
{
    FileRegistryStore first(path());
    FileRegistryStore second(path());
    Reg writer(first);
    Reg reader(second);
    ASSERT_TRUE(writer.Set_Value(HKEY_LOCAL_MACHINE, Key, "IniPath", "/one.ini", RegType::Text));
    EXPECT_EQ(reader.Query_Value(HKEY_LOCAL_MACHINE, Key, "IniPath"),
              RegQueryResult(std::string("/one.ini")));
    ASSERT_TRUE(reader.Set_Value(HKEY_LOCAL_MACHINE, Key, "IniPath", "/two.ini", RegType::Text));
    EXPECT_EQ(writer.Query_Value(HKEY_LOCAL_MACHINE, Key, "IniPath"),
              RegQueryResult(std::string("/two.ini")));
    ASSERT_TRUE(reader.Delete_Value(HKEY_LOCAL_MACHINE, Key, "IniPath"));
    EXPECT_EQ(writer.Query_Value(HKEY_LOCAL_MACHINE, Key, "IniPath", "gone"),
              RegQueryResult(std::string("gone")));
    // A store made later reads what the file holds.
    FileRegistryStore third(path());
    EXPECT_TRUE(Reg(third).Query_Key(HKEY_LOCAL_MACHINE, Key));
}

TEST_F(FileStoreTest, AKeyOpenedBeforeAnotherStoreDeletedItReportsTheDeletion)
{
    FileRegistryStore first(path());
    FileRegistryStore second(path());
    HKEY key = 0;
    ASSERT_EQ(first.createKey(HKEY_LOCAL_MACHINE, Key, RegAccess::AllUsed, key), 0);
    ASSERT_EQ(second.deleteKey(HKEY_LOCAL_MACHINE, Key), 0);
    EXPECT_EQ(first.setValue(key, "V", {RegType::Text, "x"}), RegStatusCode::KeyDeleted);
    EXPECT_EQ(first.closeKey(key), 0);
    EXPECT_EQ(first.closeKey(key), RegStatusCode::InvalidHandle);
}

TEST_F(FileStoreTest, HandlesKeepTheirAccessRights)
{
    FileRegistryStore store(path());
    HKEY key = 0;
    ASSERT_EQ(store.createKey(HKEY_LOCAL_MACHINE, Key, RegAccess::QueryValue, key), 0);
    EXPECT_EQ(store.setValue(key, "V", {RegType::Text, "x"}), RegStatusCode::AccessDenied);
    std::string name;
    EXPECT_EQ(store.enumKey(key, 0, name), RegStatusCode::AccessDenied);
    store.closeKey(key);
}

// A damaged file is reported with its name on every call and left exactly as it was.
TEST_F(FileStoreTest, ADamagedFileIsReportedAndNeverOverwritten)
{
    const QByteArray damaged = "[HKEY_LOCAL_MACHINE\nSoftware\\x=1\n";
    WriteTestFile(path(), damaged);
    FileRegistryStore store(path());
    Reg reg(store);
    EXPECT_FALSE(reg.Query_Key(HKEY_LOCAL_MACHINE, Key));
    EXPECT_FALSE(reg.Set_Key(HKEY_LOCAL_MACHINE, Key));
    EXPECT_EQ(reg.ErrorNumber(), RegStatusCode::StoreCorrupt);
    const std::string file = QFile::encodeName(path()).toStdString();
    EXPECT_EQ(reg.ErrorDescription(),
              "The settings file \"" + file + "\" is damaged; correct or delete it.");
    EXPECT_EQ(store.health(), RegStatusCode::StoreCorrupt);
    EXPECT_EQ(fileBytes(path()), damaged);
}

TEST_F(FileStoreTest, AnUnreadableFileIsReportedWithItsName)
{
    // A folder in the file's place cannot be read by anyone, root included.
    QDir().mkpath(path());
    FileRegistryStore store(path());
    Reg reg(store);
    EXPECT_FALSE(reg.Set_Value(HKEY_LOCAL_MACHINE, Key, "V", "x", RegType::Text));
    const std::string file = QFile::encodeName(path()).toStdString();
    EXPECT_EQ(store.health(), RegStatusCode::StoreIoFailed);
    EXPECT_EQ(RegStatusDescription(store.health(), store),
              "The settings file \"" + file + "\" cannot be read or written.");
    EXPECT_EQ(reg.Query_Value(HKEY_LOCAL_MACHINE, Key, "V", "dflt"), RegQueryResult(std::string("dflt")));
}

TEST_F(FileStoreTest, AFolderThatCannotBeCreatedRefusesWritesAndReadsNothing)
{
    WriteTestFile(m_folder.filePath(QStringLiteral("plain")), "not a folder");
    const QString blocked = m_folder.filePath(QStringLiteral("plain/Tamsic/settings.ini"));
    FileRegistryStore store(blocked);
    Reg reg(store);
    EXPECT_FALSE(reg.Set_Key(HKEY_LOCAL_MACHINE, Key));
    EXPECT_EQ(reg.ErrorNumber(), RegStatusCode::StoreIoFailed);
    EXPECT_NE(reg.ErrorDescription().find(QFile::encodeName(blocked).toStdString()), std::string::npos);
    EXPECT_FALSE(reg.Query_Key(HKEY_LOCAL_MACHINE, Key));
    EXPECT_FALSE(QFileInfo::exists(blocked));
}

TEST_F(FileStoreTest, AValueNotWrittenByTheStoreReadsAsDamaged)
{
    WriteTestFile(path(), "[HKEY_LOCAL_MACHINE]\nSoftware\\Velmoran%20ini%20Editor\\.FirstRun=1\n");
    FileRegistryStore store(path());
    Reg reg(store);
    EXPECT_TRUE(reg.Query_Key(HKEY_LOCAL_MACHINE, Key));
    EXPECT_EQ(reg.Query_Value(HKEY_LOCAL_MACHINE, Key, "FirstRun", "dflt"),
              RegQueryResult(std::string("dflt")));
    EXPECT_EQ(reg.ErrorNumber(), RegStatusCode::StoreCorrupt);
    const std::string file = QFile::encodeName(path()).toStdString();
    EXPECT_EQ(reg.ErrorDescription(),
              "The settings file \"" + file + "\" holds a damaged value \"FirstRun\"; correct or delete it.");
    // Only that value is lost: the rest of the file stays usable.
    EXPECT_EQ(store.health(), RegStatusCode::Success);

    // Once the whole file is damaged, that is what the store reports.
    WriteTestFile(path(), "[HKEY_LOCAL_MACHINE\nSoftware\\x=1\n");
    EXPECT_EQ(store.health(), RegStatusCode::StoreCorrupt);
    EXPECT_EQ(RegStatusDescription(store.health(), store),
              "The settings file \"" + file + "\" is damaged; correct or delete it.");
}

class ConfigHome : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_savedConfig = qgetenv("XDG_CONFIG_HOME");
        m_savedHome = qgetenv("HOME");
    }
    void TearDown() override
    {
        qputenv("XDG_CONFIG_HOME", m_savedConfig);
        qputenv("HOME", m_savedHome);
    }

    QByteArray m_savedConfig;
    QByteArray m_savedHome;
};

TEST_F(ConfigHome, TheUserStoreLivesInTheConfigurationFolder)
{
    QTemporaryDir folder;
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(folder.path()));
    EXPECT_EQ(UserSettingsPath(), folder.path() + QStringLiteral("/Tamsic/settings.ini"));
    ASSERT_TRUE(Reg(*OpenUserSettingsStore()).Set_Key(HKEY_LOCAL_MACHINE, Key));
    EXPECT_TRUE(QFileInfo::exists(folder.path() + QStringLiteral("/Tamsic/settings.ini")));

    // Unset or relative, the folder is ~/.config.
    qputenv("HOME", QFile::encodeName(folder.path()));
    for (const QByteArray &unusable : {QByteArray(), QByteArray("relative/config")}) {
        qputenv("XDG_CONFIG_HOME", unusable);
        EXPECT_EQ(UserSettingsPath(), folder.path() + QStringLiteral("/.config/Tamsic/settings.ini"));
    }
}

} // namespace
