#include "AppHarness.h"

#include "ModalDriver.h"
#include "app/MergeDialog.h"

#include <QLineEdit>
#include <QPushButton>
#include <QUndoStack>

#include <gtest/gtest.h>

#include <functional>

namespace {

using MergeWindow = OpenedSample;
using DialogAct = std::function<void(MergeDialog &)>;

const QString Original = QStringLiteral("Zelda Quest|alpha Racer|Mega Kart|Bravo");

void click(MergeDialog &dialog, const QString &button)
{
    dialog.findChild<QPushButton *>(button)->click();
}

// File > Merge Another ini File... with theirs and, when given, the base; act on the merge
// dialog, then OK or Cancel.
void mergeFromMenu(AppHarness &h, const std::string &theirs, const std::string &base, const DialogAct &act,
                   bool ok = true)
{
    h.ui.fileAnswers = {QString::fromStdString(theirs)};
    h.ui.choiceAnswers = {base.empty() ? QStringLiteral("Merge Without Base") : QStringLiteral("Choose Base...")};
    if (!base.empty())
        h.ui.fileAnswers.push_back(QString::fromStdString(base));
    whenModal<MergeDialog>([act, ok](MergeDialog *dialog) {
        act(*dialog);
        click(*dialog, ok ? QStringLiteral("cmdOK") : QStringLiteral("cmdCancel"));
    });
    h.action("mnuMerge")->trigger();
}

// Against the file as loaded, mine changed Zelda's UCode to 6; theirs changed it to 7 (a
// conflict), changed Mega Kart's comment, removed alpha Racer and added two ROMs. What a
// choice in the dialog leaves in the list after OK, as one step that Ctrl+Z takes back
// wholly; Cancel changes nothing.
TEST_F(MergeWindow, TheDialogsChoicesAreOneStep)
{
    const std::string theirs = h.path("theirs.ini");
    writeFile(theirs, "// our own test file, release 2\r\n" + iniBlock("1A2B3C4D-5E6F7A8B-C:45", "Zelda Quest", 7, "Playable")
                          + iniBlock("11223344-55667788-C:50", "Mega Kart", 0, "Playable")
                          + iniBlock("99AABBCC-DDEEFF00-C:44", "Bravo", 5, "Doesn't Work")
                          + iniBlock("CAFE0000-00000000-C:45", "Caf\xC3\xA9 Racer", 5, "Playable")
                          + iniBlock("D0000000-00000000-C:45", "Dune Buggy", 5, "Playable"));
    const struct {
        const char *choice;
        DialogAct act;
        bool ok;
        QString names;
        QString zeldaUCode;
    } cases[] = {
        {"the defaults", [](MergeDialog &) {}, true, QStringLiteral("Zelda Quest|Mega Kart|Bravo|Café Racer|Dune Buggy"),
         QStringLiteral("6")},
        {"Keep All new ROMs", [](MergeDialog &d) { click(d, QStringLiteral("cmdKeepAll0")); }, true,
         QStringLiteral("Zelda Quest|Mega Kart|Bravo"), QStringLiteral("6")},
        {"Take All conflicts", [](MergeDialog &d) { click(d, QStringLiteral("cmdTakeAll2")); }, true,
         QStringLiteral("Zelda Quest|Mega Kart|Bravo|Café Racer|Dune Buggy"), QStringLiteral("7")},
        {"Keep All removals", [](MergeDialog &d) { click(d, QStringLiteral("cmdKeepAll3")); }, true,
         QStringLiteral("Zelda Quest|alpha Racer|Mega Kart|Bravo|Café Racer|Dune Buggy"), QStringLiteral("6")},
        {"Keep All new ROMs found by \"cafe\"",
         [](MergeDialog &d) {
             d.findChild<QLineEdit *>(QStringLiteral("txtMergeFind"))->setText(QStringLiteral("cafe"));
             click(d, QStringLiteral("cmdKeepAll0"));
         },
         true, QStringLiteral("Zelda Quest|Mega Kart|Bravo|Dune Buggy"), QStringLiteral("6")},
        {"Cancel", [](MergeDialog &d) { click(d, QStringLiteral("cmdTakeAll2")); }, false, Original,
         QStringLiteral("6")},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.choice);
        h.openWindow(iniPath);
        RomEntry zelda = h.doc.EntryTable[0];
        zelda.UCode = 6;
        h.window->session().editEntry(0, zelda);
        const int steps = h.window->session().history().count();
        mergeFromMenu(h, theirs, iniPath, c.act, c.ok);
        EXPECT_EQ(h.column(0), c.names);
        EXPECT_TRUE(h.column(3).startsWith(c.zeldaUCode + QLatin1Char(' ')));
        EXPECT_EQ(h.window->session().history().count(), steps + (c.ok ? 1 : 0));
        EXPECT_EQ(h.doc.Preamble, c.ok ? "// our own test file, release 2\r\n" : "// our own test file\r\n");
        h.action("mnuUndoStep")->trigger();
        EXPECT_EQ(h.doc.Preamble, "// our own test file\r\n");
        EXPECT_EQ(h.column(0), c.ok ? Original : QStringLiteral("Zelda Quest|alpha Racer|Mega Kart|Bravo"));
        EXPECT_TRUE(h.column(3).startsWith(c.ok ? QStringLiteral("6 ") : QStringLiteral("5 ")));
        EXPECT_EQ(h.window->windowTitle().startsWith(QLatin1Char('*')), c.ok);
    }
}

// Merging the open file with itself finds nothing and says so; a file that cannot be read
// is told. Neither shows a dialog or makes a step.
TEST_F(MergeWindow, NothingToMergeIsToldNotShown)
{
    for (const std::string &other : {iniPath, h.path("missing.ini")}) {
        h.ui.fileAnswers = {QString::fromStdString(other)};
        h.ui.choiceAnswers = {QStringLiteral("Merge Without Base")};
        h.action("mnuMerge")->trigger();
        EXPECT_EQ(h.window->session().history().count(), 0);
    }
    EXPECT_EQ(h.ui.shown.at(2).text, QStringLiteral("The files hold the same ROMs and settings."));
    EXPECT_EQ(h.ui.errors().size(), 1u);
}

// Bravo's UCode, comment and info changed differently on both sides, theirs' info and the
// base's in a character this file cannot hold (shown as their files hold it): ticking the
// comment alone takes only the comment, and the info cannot be ticked, nor a new ROM whose
// CRC this file cannot hold.
TEST_F(MergeWindow, AConflictIsChosenFieldByField)
{
    const std::string bravo = iniBlock("99AABBCC-DDEEFF00-C:44", "Bravo", 5, "Doesn't Work");
    std::string theirs = sampleIni();
    theirs.replace(theirs.find(bravo), bravo.size(),
                   iniBlock("99AABBCC-DDEEFF00-C:44", "Bravo", 7, "Not Playable").insert(bravo.size() - 2,
                                                                                          "Info=\xCE\xA9 note\r\n"));
    const std::string theirsPath = h.path("theirs.ini");
    writeFile(theirsPath, theirs + iniBlock("\xCE\xA9-45", "Omega", 5, "Playable"));
    std::string base = sampleIni();
    base.insert(base.find(bravo) + bravo.size() - 2, "Info=\xCE\xA9 base\r\n");
    const std::string basePath = h.path("base.ini");
    writeFile(basePath, base);
    RomEntry mine = h.doc.EntryTable[3];
    mine.UCode = 6;
    mine.Comment = h.doc.Texts.keep("Playable");
    mine.Info = h.doc.Texts.keep("Mine note");
    h.window->session().editEntry(3, mine);
    mergeFromMenu(h, theirsPath, basePath, [](MergeDialog &dialog) {
        MergeListModel &model = dialog.model();
        const QModelIndex rom = model.index(0, 0, model.groupIndex(MergeListModel::Group::Conflicts));
        for (int row = 0; row < model.rowCount(rom); ++row) {
            const QString field = model.index(row, 2, rom).data().toString();
            const QModelIndex check = model.index(row, 0, rom);
            if (field == QStringLiteral("Comment")) {
                EXPECT_TRUE(model.setData(check, Qt::Checked, Qt::CheckStateRole));
            } else if (field == QStringLiteral("Info")) {
                EXPECT_FALSE(model.flags(check) & Qt::ItemIsUserCheckable);
                EXPECT_EQ(model.index(row, 3, rom).data().toString(), QStringLiteral("\u03A9 base"));
            }
        }
        EXPECT_EQ(rom.data(Qt::CheckStateRole).value<Qt::CheckState>(), Qt::PartiallyChecked);
        EXPECT_FALSE(model.flags(model.index(1, 0, rom.parent())) & Qt::ItemIsUserCheckable);
    });
    const RomEntry &merged = h.doc.EntryTable[3];
    EXPECT_EQ(merged.UCode, 6);
    EXPECT_EQ(merged.Comment, "Not Playable");
    EXPECT_EQ(merged.Info, "Mine note");
    EXPECT_EQ(h.window->model().rowCount(), 4);
}

// A merge of many removals, or of many new ROMs: the list shows what a fresh fill of the
// table shows after the merge, its undo and its redo, and the save writes theirs exactly.
TEST_F(MergeWindow, TheListFollowsAMergeOfManyRoms)
{
    for (const bool removals : {true, false}) {
        std::string base, theirs;
        for (int block = 0; block < 100; ++block) {
            const std::string crc = QStringLiteral("%1-00000000-C:45").arg(block, 8, 16, QLatin1Char('0')).toStdString();
            base += iniBlock(crc, "Game " + std::to_string(block), 5, "Playable");
            if (!removals || block < 10 || block >= 80)
                theirs += iniBlock(crc, "Game " + std::to_string(block), 5, "Playable");
            if (!removals && block < 70)
                theirs += iniBlock("F" + crc.substr(1), "New " + std::to_string(block), 5, "Playable");
        }
        writeFile(iniPath, base);
        const std::string theirsPath = h.path("theirs.ini");
        writeFile(theirsPath, theirs);
        h.openWindow(iniPath);
        mergeFromMenu(h, theirsPath, iniPath, [](MergeDialog &) {});
        const auto freshFill = [&] {
            RomListModel fresh(h.doc);
            fresh.reset();
            return columnTexts(fresh, 0) + columnTexts(fresh, 1);
        };
        const QString merged = freshFill();
        EXPECT_EQ(h.column(0) + h.column(1), merged);
        h.window->session().history().undo();
        EXPECT_EQ(h.column(0) + h.column(1), freshFill());
        EXPECT_EQ(h.window->model().rowCount(), 100);
        h.window->session().history().redo();
        EXPECT_EQ(h.column(0) + h.column(1), merged);
        h.window->saveCommand();
        EXPECT_EQ(readFile(iniPath), theirs);
    }
}

} // namespace
