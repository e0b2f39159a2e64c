#pragma once

#include "FakeUserInterface.h"
#include "app/MainWindow.h"
#include "inidb/IniDocument.h"
#include "settings/MemoryRegistryStore.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>
#include <string>

// One ROM block as the saver writes it.
std::string iniBlock(const std::string &crc, const std::string &name, int ucode, const std::string &comment);
// Four ROMs of four countries, in this order: Zelda Quest (USA), alpha Racer (Japan),
// Mega Kart (Europe), Bravo (Germany).
std::string sampleIni();
void writeFile(const std::string &path, const std::string &bytes);
std::string readFile(const std::string &path);
QString columnTexts(const QAbstractItemModel &model, int column);
// The main window's caption with a file open.
QString captionFor(const std::string &iniPath);

// A document, a scripted ui and a settings store in memory, with the settings created
// as after a first start: "FirstRun" "0".
struct AppHarness {
    AppHarness();

    std::string path(const char *name) const;
    // velmoran.ini in the folder, holding sampleIni().
    std::string writeSample() const;
    // other.ini in the folder, holding one ROM: Other Game.
    std::string writeOther() const;
    void setSetting(const std::string &value, const std::string &text);
    std::string setting(const std::string &value);
    // A shown main window with path loaded and listed.
    MainWindow &openWindow(const std::string &iniPath);
    // The list's cell texts of one column, top to bottom, joined by "|".
    QString column(int column) const { return columnTexts(window->proxy(), column); }
    QString status() const;
    QAction *action(const char *name) const;

    QTemporaryDir dir;
    IniDocument doc;
    FakeUserInterface ui;
    MemoryRegistryStore store;
    std::unique_ptr<MainWindow> window;
};

// The sample file open in a shown main window.
class OpenedSample : public ::testing::Test {
protected:
    OpenedSample() : iniPath(h.writeSample()) { h.openWindow(iniPath); }

    AppHarness h;
    std::string iniPath;
};
