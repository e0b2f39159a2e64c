// Seeded random sessions through the real window: whatever mix of pasted edits, removals,
// undos, CRC conversions, sorted and unsorted saves and reloads a user makes, each edit
// stores what the dialog showed, each save reloads to exactly the table it wrote, and the
// file reads back without a problem.
#include "app/RomListView.h"
#include "AppHarness.h"
#include "ModalDriver.h"
#include "editing/frmProperties.h"
#include "inidb/IniReader.h"
#include "ui/FileText.h"

#include <QClipboard>
#include <QComboBox>
#include <QItemSelectionModel>
#include <QLineEdit>

#include <random>

namespace {

// Letters of both encodings' kinds, a character Windows-1252 cannot hold, line breaks,
// a tab and a control character.
const QString Pieces[] = {QStringLiteral("Kart"), QStringLiteral(" "), QStringLiteral("="), QStringLiteral("{x}"),
                          QStringLiteral(u"\u00E9\u00FC"), QStringLiteral(u"\u20AC"), QStringLiteral(u"\u65E5"),
                          QStringLiteral("\r\n"), QStringLiteral("\n"), QStringLiteral("\t"), QStringLiteral("\x01")};

std::string generatedIni(std::size_t blocks)
{
    std::string file = "// generated for a random session\r\n\r\n";
    for (std::size_t block = 0; block < blocks; ++block) {
        file += iniBlock("A1B2C3D4-0000" + std::to_string(1000 + block) + "-C:" + (block % 2 ? "4a" : "45"),
                         "Rom \xE9" + std::to_string(block), static_cast<int>(block % 7), "Playable");
        if (block % 5 == 0)
            file.insert(file.size() - 2, "Misspelt=kept\r\n");
    }
    return file;
}

class RandomSession : public ::testing::Test {
protected:
    RandomSession() : iniPath(h.path("velmoran.ini"))
    {
        writeFile(iniPath, generatedIni(30));
        h.openWindow(iniPath);
        list = h.window->findChild<RomListView *>(QStringLiteral("lvwMain"));
    }

    std::size_t pick(std::size_t count) { return std::uniform_int_distribution<std::size_t>(0, count - 1)(random); }

    bool selectRow()
    {
        if (h.window->proxy().rowCount() == 0)
            return false;
        list->selectionModel()->setCurrentIndex(h.window->proxy().index(static_cast<int>(pick(h.window->proxy().rowCount())), 0),
                                                QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
        return true;
    }

    // Pastes random pieces over Name or Info and presses OK (Cancel when OK refuses);
    // the entry then holds exactly what the box showed.
    void editSelected()
    {
        const std::size_t entry = *h.window->selectedEntry();
        const bool name = pick(2) == 0;
        QString pasted;
        for (std::size_t piece = pick(6); piece > 0; --piece)
            pasted += Pieces[pick(std::size(Pieces))];
        QString shown;
        bool refused = false;
        whenModal<frmProperties>([&](frmProperties *dialog) {
            QLineEdit *box = name ? dialog->controls().txtRomName : dialog->controls().txtInfo;
            box->selectAll();
            QApplication::clipboard()->setText(pasted);
            box->paste();
            shown = box->text();
            dialog->controls().cboComments->setCurrentIndex(static_cast<int>(pick(4)));
            dialog->cmdOK_Click();
            refused = dialog->isVisible();
            if (refused)
                dialog->cmdCancel_Click();
        });
        const RomEntry before = h.doc.EntryTable[entry];
        h.window->viewRomPropertiesCommand();
        const RomEntry &after = h.doc.EntryTable[entry];
        if (refused)
            EXPECT_EQ(after, before);
        else
            EXPECT_EQ(fromFileText(h.doc.Encoding, name ? after.Name : after.Info), shown);
    }

    // Saves in a random order; the reload must give back exactly the entries written.
    void save()
    {
        h.doc.SaveType = static_cast<std::int16_t>(pick(2));
        std::vector<std::size_t> order = h.doc.SaveType ? h.window->proxy().displayedOrder() : std::vector<std::size_t>{};
        if (order.empty())
            for (std::size_t entry = 0; entry < h.doc.EntryTable.size(); ++entry)
                order.push_back(entry);
        saved.clear();
        savedTexts = h.doc.Texts;
        for (const std::size_t entry : order)
            if (!h.doc.EntryTable[entry].Removed)
                saved.push_back(h.doc.EntryTable[entry]);
        const std::size_t errorsBefore = h.ui.errors().size();
        h.window->saveCommand();
        EXPECT_EQ(h.ui.errors().size(), errorsBefore);
        EXPECT_EQ(h.doc.EntryTable, saved);
        EXPECT_TRUE(ParseIni(readFile(iniPath)).problems.empty());
    }

    void reload()
    {
        if (h.window->windowTitle().startsWith(QLatin1Char('*')))
            h.ui.yesNoCancelAnswers = {UserInterface::Answer::No};
        h.window->openIniFile(iniPath);
        EXPECT_EQ(h.doc.EntryTable, saved);
    }

    AppHarness h;
    std::string iniPath;
    RomListView *list = nullptr;
    std::mt19937 random;
    RomTable saved;
    // Keeps the texts of the saved entries alive through the reloads that replace the table.
    TextStore savedTexts;
};

TEST_F(RandomSession, EverySaveReloadsToTheTableShown)
{
    for (const unsigned seed : {1u, 2u, 3u}) {
        SCOPED_TRACE(testing::Message() << "seed " << seed);
        random.seed(seed);
        saved = h.doc.EntryTable;
        savedTexts = h.doc.Texts;
        for (int step = 0; step < 120 && !HasFailure(); ++step) {
            switch (pick(8)) {
            case 0:
            case 1:
                if (selectRow())
                    editSelected();
                break;
            case 2:
                if (selectRow()) {
                    h.ui.yesNoAnswers = {true};
                    h.window->removeRomEntryCommand();
                }
                break;
            case 3:
                h.action("mnuUndoStep")->trigger();
                break;
            case 4:
                h.ui.yesNoAnswers = {true};
                h.window->crcToUpperCaseCommand();
                break;
            case 5:
                h.window->proxy().headerClicked(static_cast<int>(pick(7)));
                break;
            case 6:
                save();
                break;
            case 7:
                reload();
                break;
            }
            EXPECT_EQ(static_cast<std::size_t>(h.window->model().rowCount()),
                      static_cast<std::size_t>(std::count_if(h.doc.EntryTable.begin(), h.doc.EntryTable.end(),
                                                             [](const RomEntry &e) { return !e.Removed; })));
        }
        save();
        reload();
    }
}

} // namespace
