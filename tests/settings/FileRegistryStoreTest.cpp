#include "StoreFixture.h"

#include "settings/badRegistry.h"

#include <QDateTime>
#include <QFile>

namespace {

const std::string Key = badRegistry::SettingsKey;

// The file holds plain keys and values a person can read; what a person may type into
// it reads as below, and nullopt is a damaged value, which fails its own read alone.
TEST(FileStore, HoldsPlainKeysAndValuesAndReadsThemAfterAHandEdit)
{
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("Tamsic/settings.ini"));
    FileRegistryStore store(path);
    ASSERT_TRUE(badRegistry::CreateDefaultSettings(store));
    ASSERT_TRUE(Reg(store).Set_Value(HKEY_LOCAL_MACHINE, Key, "IniPath", "/home/jo/a, b/velmoran.ini", RegType::Text));
    EXPECT_EQ(FileBytes(path), "[Velmoran%20ini%20Editor]\nAutoOpen=1\nFirstRun=1\n"
                               "IniPath=\"/home/jo/a, b/velmoran.ini\"\nSaveType=0\n");

    const std::pair<QByteArray, std::optional<std::string>> edits[] = {
        {"IniPath = \"/home/jo/a, b.ini\"  ", "/home/jo/a, b.ini"},
        {"IniPath=/home/jos\xc3\xa9/my roms.ini", "/home/jos\xc3\xa9/my roms.ini"},
        // Unquoted, QSettings reads a list and the spacing around the comma is lost.
        {"IniPath=/home/jo/a, b.ini", std::nullopt},
        {"IniPath=@ByteArray(no type)", std::nullopt},
    };
    qint64 second = 1'700'000'000;
    for (const auto &[line, read] : edits) {
        WriteTestFile(path, "[Velmoran ini Editor]\nAutoOpen=0\n" + line + "\n");
        // A person's edits lie seconds apart; two of equal size written in one tick of the
        // file clock would look unchanged to the settings cache.
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::Append));
        file.setFileTime(QDateTime::fromSecsSinceEpoch(++second), QFileDevice::FileModificationTime);
        Reg reg(store);
        EXPECT_EQ(reg.Query_Value(HKEY_LOCAL_MACHINE, Key, "IniPath", "dflt"), RegQueryResult(read.value_or("dflt")))
            << line.toStdString();
        EXPECT_EQ(reg.ErrorNumber(), read ? 0 : RegStatusCode::StoreCorrupt);
        EXPECT_EQ(StoredSetting(store, Key, "AutoOpen"), "0");
    }
}

// $XDG_CONFIG_HOME/Tamsic/settings.ini; a relative one is ignored for ~/.config.
TEST(FileStore, TheUserStoreLivesInTheConfigurationFolder)
{
    const QByteArray savedConfig = qgetenv("XDG_CONFIG_HOME");
    const QByteArray savedHome = qgetenv("HOME");
    QTemporaryDir folder;
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(folder.path()));
    ASSERT_TRUE(Reg(*OpenUserSettingsStore()).Set_Key(HKEY_LOCAL_MACHINE, Key));
    EXPECT_TRUE(QFileInfo::exists(folder.path() + QStringLiteral("/Tamsic/settings.ini")));
    qputenv("HOME", QFile::encodeName(folder.path()));
    qputenv("XDG_CONFIG_HOME", "relative/config");
    EXPECT_EQ(UserSettingsPath(), folder.path() + QStringLiteral("/.config/Tamsic/settings.ini"));
    qputenv("XDG_CONFIG_HOME", savedConfig);
    qputenv("HOME", savedHome);
}

} // namespace
