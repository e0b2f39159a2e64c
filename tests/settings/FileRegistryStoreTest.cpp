#include "StoreFixture.h"

#include "settings/badRegistry.h"

namespace {

const std::string Key = badRegistry::SettingsKey;

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
    EXPECT_EQ(StoredText(second, Key, "IniPath"), "/one.ini");
    ASSERT_TRUE(reader.Set_Value(HKEY_LOCAL_MACHINE, Key, "IniPath", "/two.ini", RegType::Text));
    EXPECT_EQ(StoredText(first, Key, "IniPath"), "/two.ini");
    ASSERT_TRUE(reader.Delete_Value(HKEY_LOCAL_MACHINE, Key, "IniPath"));
    EXPECT_EQ(StoredValue(first, Key, "IniPath"), std::nullopt);
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

// One damaged value loses only that value; damage to the whole file is noticed on the next call.
TEST_F(FileStoreTest, AValueNotWrittenByTheStoreReadsAsDamaged)
{
    FileRegistryStore store(path());
    ASSERT_TRUE(badRegistry::CreateDefaultSettings(store));
    DamageValue(path(), "FirstRun");
    Reg reg(store);
    EXPECT_EQ(reg.Query_Value(HKEY_LOCAL_MACHINE, Key, "FirstRun", "dflt"),
              RegQueryResult(std::string("dflt")));
    EXPECT_EQ(reg.ErrorNumber(), RegStatusCode::StoreCorrupt);
    EXPECT_EQ(StoredText(store, Key, "AutoOpen"), "1");
    EXPECT_EQ(store.health(), RegStatusCode::Success);

    WriteTestFile(path(), "[HKEY_LOCAL_MACHINE\nSoftware\\x=1\n");
    EXPECT_EQ(store.health(), RegStatusCode::StoreCorrupt);
}

class ConfigHome : public ::testing::Test {
protected:
    void TearDown() override
    {
        qputenv("XDG_CONFIG_HOME", m_savedConfig);
        qputenv("HOME", m_savedHome);
    }

    const QByteArray m_savedConfig = qgetenv("XDG_CONFIG_HOME");
    const QByteArray m_savedHome = qgetenv("HOME");
};

TEST_F(ConfigHome, TheUserStoreLivesInTheConfigurationFolder)
{
    QTemporaryDir folder;
    const QString file = folder.path() + QStringLiteral("/Tamsic/settings.ini");
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(folder.path()));
    ASSERT_TRUE(Reg(*OpenUserSettingsStore()).Set_Key(HKEY_LOCAL_MACHINE, Key));
    EXPECT_TRUE(QFileInfo::exists(file));

    // Unset or relative, the folder is ~/.config.
    qputenv("HOME", QFile::encodeName(folder.path()));
    for (const QByteArray &unusable : {QByteArray(), QByteArray("relative/config")}) {
        qputenv("XDG_CONFIG_HOME", unusable);
        EXPECT_EQ(UserSettingsPath(), folder.path() + QStringLiteral("/.config/Tamsic/settings.ini"));
    }
}

} // namespace
