#include "AppHarness.h"

#include "settings/Reg.h"
#include "settings/badRegistry.h"

#include <QApplication>
#include <QLabel>

#include <fstream>
#include <iterator>
#include <variant>

std::string iniBlock(const std::string &crc, const std::string &name, int ucode, const std::string &comment)
{
    return "{" + crc + "}\r\nName=" + name + "\r\nUCode=" + std::to_string(ucode) + "\r\nComment=" + comment
           + "\r\n\r\n";
}

std::string sampleIni()
{
    return "// our own test file\r\n" + iniBlock("1A2B3C4D-5E6F7A8B-C:45", "Zelda Quest", 5, "Playable")
           + iniBlock("0F0E0D0C-0B0A0908-C:4a", "alpha Racer", 10, "Not Playable")
           + iniBlock("11223344-55667788-C:50", "Mega Kart", 0, "Almost Playable")
           + iniBlock("99AABBCC-DDEEFF00-C:44", "Bravo", 5, "Doesn't Work");
}

void writeFile(const std::string &path, const std::string &bytes)
{
    std::ofstream out(path, std::ios::binary);
    out << bytes;
    ASSERT_TRUE(out.good());
}

std::string readFile(const std::string &path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

QString captionFor(const std::string &iniPath)
{
    return QStringLiteral("Tamsic (Velmoran ini Editor) v1.1b - ") + QString::fromStdString(iniPath);
}

QString columnTexts(const QAbstractItemModel &model, int column)
{
    QStringList texts;
    for (int row = 0; row < model.rowCount(); ++row)
        texts.append(model.index(row, column).data().toString());
    return texts.join(QLatin1Char('|'));
}

AppHarness::AppHarness()
{
    badRegistry::CreateDefaultSettings(store);
    setSetting("FirstRun", "0");
}

std::string AppHarness::path(const char *name) const
{
    return dir.filePath(QLatin1String(name)).toStdString();
}

std::string AppHarness::writeSample() const
{
    const std::string file = path("velmoran.ini");
    writeFile(file, sampleIni());
    return file;
}

std::string AppHarness::writeOther() const
{
    const std::string file = path("other.ini");
    writeFile(file, iniBlock("AABBCCDD-EEFF0011-C:45", "Other Game", 5, "Playable"));
    return file;
}

void AppHarness::setSetting(const std::string &value, const std::string &text)
{
    Reg(store).Set_Value(HKEY_LOCAL_MACHINE, badRegistry::SettingsKey, value, text, 1);
}

std::string AppHarness::setting(const std::string &value)
{
    return std::get<std::string>(Reg(store).Query_Value(HKEY_LOCAL_MACHINE, badRegistry::SettingsKey, value));
}

MainWindow &AppHarness::openWindow(const std::string &iniPath)
{
    window = std::make_unique<MainWindow>(doc, ui, store);
    EXPECT_TRUE(window->iniPathResolver().ResolveIniPath(iniPath));
    EXPECT_TRUE(window->loadIniFile());
    window->show();
    QApplication::processEvents();
    return *window;
}

QString AppHarness::status() const
{
    return window->findChild<QLabel *>(QStringLiteral("stbMainPanel1"))->text();
}

QAction *AppHarness::action(const char *name) const
{
    return window->findChild<QAction *>(QLatin1String(name));
}
