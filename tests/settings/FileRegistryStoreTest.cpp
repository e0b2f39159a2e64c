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

// What a person may type into the file, and what the program reads from it; nullopt: a
// damaged value, which fails its own read alone.
struct HandEdit {
    QByteArray line;
    std::optional<std::string> read;
};

TEST_F(FileStoreTest, HoldsPlainKeysAndValuesAndReadsThemAfterAHandEdit)
{
    FileRegistryStore store(path());
    ASSERT_TRUE(badRegistry::CreateDefaultSettings(store));
    ASSERT_TRUE(Reg(store).Set_Value(HKEY_LOCAL_MACHINE, Key, "IniPath", "/home/jo/a, b/velmoran.ini", RegType::Text));
    EXPECT_EQ(FileBytes(path()), "[Velmoran%20ini%20Editor]\nAutoOpen=1\nFirstRun=1\n"
                                 "IniPath=\"/home/jo/a, b/velmoran.ini\"\nSaveType=0\n");

    const HandEdit edits[] = {
        {"IniPath=/home/jo/my roms/velmoran.ini", "/home/jo/my roms/velmoran.ini"},
        {"IniPath = \"/home/jo/a, b.ini\"  ", "/home/jo/a, b.ini"},
        {"IniPath=/home/jos\xc3\xa9/velmoran.ini", "/home/jos\xc3\xa9/velmoran.ini"},
        {"IniPath=  1  ", "1"},
        {"IniPath=", ""},
        // Unquoted, QSettings reads a list and the spacing around the comma is lost.
        {"IniPath=/home/jo/a, b.ini", std::nullopt},
        {"IniPath=@ByteArray(no type)", std::nullopt},
    };
    for (const HandEdit &edit : edits) {
        WriteTestFile(path(), "[Velmoran ini Editor]\nAutoOpen=0\n" + edit.line + "\n");
        Reg reg(store);
        EXPECT_EQ(reg.Query_Value(HKEY_LOCAL_MACHINE, Key, "IniPath", "dflt"),
                  RegQueryResult(edit.read.value_or("dflt"))) << edit.line.toStdString();
        EXPECT_EQ(reg.ErrorNumber(), edit.read ? 0 : RegStatusCode::StoreCorrupt);
        EXPECT_EQ(StoredText(store, Key, "AutoOpen"), "0");
        EXPECT_EQ(store.health(), RegStatusCode::Success);
    }
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
