// Seeded random sessions through the real window: whatever mix of pasted edits, removals,
// edits and removals of several rows at once, restores, CRC conversions, adds, duplicates,
// copies and pastes of ROMs, undos, redos, sorted and unsorted saves and reloads a user
// makes, the table is always the one a plain model of the history expects, every save
// writes the model's bytes, and undoing back to the last save writes that file again.
#include "app/RomListView.h"
#include "AppHarness.h"
#include "ModalDriver.h"
#include "editing/NewRomDialog.h"
#include "editing/frmProperties.h"
#include "inidb/AsciiCase.h"
#include "inidb/IniReader.h"
#include "inidb/IniWriter.h"
#include "ui/FileText.h"

#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QItemSelectionModel>
#include <QLineEdit>
#include <QMenu>

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
        writeFile(iniPath, generatedIni(80));
        h.openWindow(iniPath);
        list = h.window->findChild<RomListView *>(QStringLiteral("lvwMain"));
        startOver();
    }

    std::size_t pick(std::size_t count) { return std::uniform_int_distribution<std::size_t>(0, count - 1)(random); }

    // The model: every state of the history, the current one and the one last saved.
    void startOver()
    {
        states = {h.doc.EntryTable};
        at = 0;
        savedAt = 0;
        savedFile = readFile(iniPath);
    }
    void push(RomTable next)
    {
        states.resize(at + 1);
        if (savedAt > at)
            savedAt = NoState;
        states.push_back(std::move(next));
        ++at;
    }
    RomTable &expected() { return states[at]; }

    bool selectRow()
    {
        if (h.window->proxy().rowCount() == 0)
            return false;
        list->selectionModel()->setCurrentIndex(h.window->proxy().index(static_cast<int>(pick(h.window->proxy().rowCount())), 0),
                                                QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
        return true;
    }

    // Pastes random pieces over Name or Info, picks a comment and presses OK (Cancel when
    // OK refuses); the entry then holds exactly what the box showed.
    void editSelected()
    {
        const std::size_t entry = *h.window->selectedEntry();
        const bool name = pick(2) == 0;
        QString pasted;
        for (std::size_t piece = pick(6); piece > 0; --piece)
            pasted += Pieces[pick(std::size(Pieces))];
        QString shown;
        QString comment;
        bool refused = false;
        whenModal<frmProperties>([&](frmProperties *dialog) {
            QLineEdit *box = name ? dialog->controls().txtRomName : dialog->controls().txtInfo;
            box->selectAll();
            QApplication::clipboard()->setText(pasted);
            box->paste();
            shown = box->text();
            dialog->controls().cboComments->setCurrentIndex(static_cast<int>(pick(4)));
            comment = dialog->controls().cboComments->currentText();
            dialog->cmdOK_Click();
            refused = dialog->isVisible();
            if (refused)
                dialog->cmdCancel_Click();
        });
        h.window->viewRomPropertiesCommand();
        RomEntry after = h.doc.EntryTable[entry];
        if (refused || after == expected()[entry])
            return;
        EXPECT_EQ(fromFileText(h.doc.Encoding, name ? after.Name : after.Info), shown);
        EXPECT_EQ(fromFileText(h.doc.Encoding, after.Comment), comment);
        // Nothing else changed.
        RomEntry others = expected()[entry];
        (name ? others.Name : others.Info) = name ? after.Name : after.Info;
        others.Comment = after.Comment;
        EXPECT_EQ(after, others);
        RomTable next = expected();
        next[entry] = after;
        push(std::move(next));
    }

    void remove()
    {
        if (!selectRow())
            return;
        RomTable next = expected();
        next[*h.window->selectedEntry()].Removed = true;
        h.ui.yesNoAnswers = {true};
        h.window->removeRomEntryCommand();
        push(std::move(next));
    }

    void restoreFromMenu()
    {
        std::vector<QAction *> enabled;
        for (QAction *element : h.window->findChild<QMenu *>(QStringLiteral("mnuUndo"))->actions())
            if (element->isEnabled() && element->isVisible())
                enabled.push_back(element);
        if (enabled.empty())
            return;
        const std::vector<UndoRecord> &records = h.doc.UndoList;
        QAction *element = enabled[pick(enabled.size())];
        const std::size_t record = element->data().value<std::size_t>();
        RomTable next = expected();
        ASSERT_TRUE(next[records[record].entryIndex].Removed);
        next[records[record].entryIndex].Removed = false;
        element->trigger();
        push(std::move(next));
    }

    // Two or more rows: some picked with Ctrl, or all of them with Select All.
    bool selectRows()
    {
        const int rows = h.window->proxy().rowCount();
        if (rows < 2)
            return false;
        if (pick(4) == 0) {
            h.action("mnuSelectAll")->trigger();
            return true;
        }
        QItemSelectionModel &selection = *list->selectionModel();
        selection.clear();
        while (h.window->selectedEntries().size() < 2)
            for (std::size_t k = pick(5) + 2; k > 0; --k)
                selection.setCurrentIndex(h.window->proxy().index(static_cast<int>(pick(rows)), 0),
                                          QItemSelectionModel::Select | QItemSelectionModel::Rows);
        return true;
    }

    // Sets a few controls of the dialog of several ROMs and presses OK: those fields, and
    // only those, take the new values in every selected ROM.
    void editMany()
    {
        const std::vector<std::size_t> entries = h.window->selectedEntries();
        RomEntry changed;
        std::vector<StoredText RomEntry::*> texts;
        std::vector<bool RomEntry::*> flags;
        bool ucode = false;
        bool refused = false;
        whenModal<frmProperties>([&](frmProperties *dialog) {
            const PropertiesControls &c = dialog->controls();
            if (pick(2) == 0) {
                c.cboComments->setCurrentIndex(c.cboComments->findText(QStringLiteral("Not Playable")));
                changed.Comment = modelTexts.keep("Not Playable");
                texts.push_back(&RomEntry::Comment);
            }
            if (pick(2) == 0) {
                // Never empty: an empty box over differing texts leaves them as they are.
                QString pasted = Pieces[0];
                for (std::size_t piece = pick(4); piece > 0; --piece)
                    pasted += Pieces[pick(std::size(Pieces))];
                c.txtInfo->setFocus();
                c.txtInfo->selectAll();
                QApplication::clipboard()->setText(pasted);
                c.txtInfo->paste();
                changed.Info = modelTexts.keep(toFileText(h.doc.Encoding, c.txtInfo->text()).bytes);
                texts.push_back(&RomEntry::Info);
            }
            if (pick(2) == 0) {
                changed.DisableDynarec = pick(2) == 0;
                c.chkDynaRec->setCheckState(changed.DisableDynarec ? Qt::Checked : Qt::Unchecked);
                flags.push_back(&RomEntry::DisableDynarec);
            }
            if (pick(2) == 0) {
                changed.DisableEeprom = pick(2) == 0;
                c.chkEeprom->setCheckState(changed.DisableEeprom ? Qt::Unchecked : Qt::Checked);
                flags.push_back(&RomEntry::DisableEeprom);
            }
            if (pick(2) == 0) {
                c.cboUCode->setCurrentIndex(c.cboUCode->findText(QStringLiteral("4")));
                ucode = true;
            }
            dialog->cmdOK_Click();
            refused = dialog->isVisible();
            if (refused)
                dialog->cmdCancel_Click();
        });
        h.window->viewRomPropertiesCommand();
        if (refused)
            return;
        RomTable next = expected();
        for (const std::size_t entry : entries) {
            for (StoredText RomEntry::*text : texts)
                next[entry].*text = changed.*text;
            for (bool RomEntry::*flag : flags)
                next[entry].*flag = changed.*flag;
            if (ucode)
                next[entry].UCode = 4;
        }
        if (next != expected())
            push(std::move(next));
    }

    void removeMany()
    {
        const std::vector<std::size_t> entries = h.window->selectedEntries();
        RomTable next = expected();
        for (const std::size_t entry : entries)
            next[entry].Removed = true;
        h.ui.yesNoAnswers = {true};
        h.window->removeRomEntryCommand();
        EXPECT_EQ(h.ui.questions().back().text, QStringLiteral("Remove %1 ROM entries?").arg(entries.size()));
        push(std::move(next));
    }

    void convertCrcs()
    {
        RomTable next = expected();
        bool changed = false;
        for (RomEntry &entry : next) {
            const std::string upper = UpperCasedAscii(entry.CRC);
            changed = changed || upper != entry.CRC;
            entry.CRC = modelTexts.keep(upper);
        }
        h.ui.yesNoAnswers = {true};
        h.window->crcToUpperCaseCommand();
        if (changed)
            push(std::move(next));
    }

    // Add or Duplicate with a new CRC, or now and then one the table has, which is
    // refused; a new ROM goes to the end of the table.
    void addOrDuplicate(bool duplicate)
    {
        if (duplicate && !selectRow())
            return;
        const bool taken = pick(4) == 0 && !expected().empty();
        const std::string crc = taken ? std::string(expected()[pick(expected().size())].CRC)
                                      : "NEW" + std::to_string(++made) + "-45";
        const std::string name = "Made " + std::to_string(made);
        bool closedByOk = false;
        whenModal<NewRomDialog>([&](NewRomDialog *dialog) {
            dialog->crcBox().setText(QString::fromLatin1(crc));
            dialog->nameBox().setText(QString::fromLatin1(name));
            dialog->cmdOK_Click();
            closedByOk = !dialog->isVisible();
            if (!closedByOk)
                dialog->reject();
        });
        if (!taken && !duplicate)
            whenModal<frmProperties>([](frmProperties *dialog) { dialog->cmdOK_Click(); });
        RomEntry entry = duplicate ? expected()[*h.window->selectedEntry()] : RomEntry{};
        duplicate ? h.window->duplicateRomEntryCommand() : h.window->addRomEntryCommand();
        EXPECT_EQ(closedByOk, !taken);
        if (taken)
            return;
        entry.UCode = duplicate ? entry.UCode : std::int16_t{5};
        entry.CRC = modelTexts.keep(crc);
        entry.Name = modelTexts.keep(name);
        RomTable next = expected();
        next.push_back(entry);
        push(std::move(next));
    }

    // Copies a few rows, renames them in the clipboard's text and adds a block of a new
    // CRC: Yes replaces the copied ROMs and adds the new one, No only adds it, Cancel
    // changes nothing.
    void copyAndPaste()
    {
        const std::size_t rows = static_cast<std::size_t>(h.window->proxy().rowCount());
        if (rows == 0)
            return;
        QItemSelection selection;
        for (std::size_t n = 1 + pick(3); n > 0; --n) {
            const int row = static_cast<int>(pick(rows));
            selection.select(h.window->proxy().index(row, 0), h.window->proxy().index(row, 6));
        }
        list->selectionModel()->select(selection, QItemSelectionModel::ClearAndSelect);
        const std::vector<std::size_t> copied = h.window->selectedEntries();
        h.action("mnuCopy")->trigger();
        QString text = QApplication::clipboard()->text().replace(QStringLiteral("\r\nName="), QStringLiteral("\r\nName=P"));
        text += QStringLiteral("{PASTED%1-45}\r\nName=Pasted\r\n").arg(++made);
        QApplication::clipboard()->setText(text);
        const auto answer = static_cast<UserInterface::Answer>(pick(3));
        h.ui.yesNoCancelAnswers = {answer};
        h.action("mnuPaste")->trigger();
        if (answer == UserInterface::Answer::Cancel)
            return;
        ParsedIni pasted = ParseIni(toFileText(h.doc.Encoding, text).bytes);
        ASSERT_EQ(pasted.entries.size(), copied.size() + 1);
        RomTable next = expected();
        for (std::size_t k = 0; answer == UserInterface::Answer::Yes && k < copied.size(); ++k)
            next[copied[k]] = pasted.entries[k];
        next.push_back(pasted.entries.back());
        keptTexts.push_back(std::move(pasted.texts));
        push(std::move(next));
    }

    void undo()
    {
        h.action("mnuUndoStep")->trigger();
        at = at > 0 ? at - 1 : 0;
    }

    void redo()
    {
        h.action("mnuRedoStep")->trigger();
        at = std::min(at + 1, states.size() - 1);
    }

    // Saves in a random order: the file holds the model's bytes. A displayed order that
    // moved blocks leaves the table the file's, with a new history.
    void save(std::int16_t saveType)
    {
        h.doc.SaveType = saveType;
        // The rows shown, sorted or not, are the entries not removed.
        std::vector<std::size_t> order = h.window->proxy().displayedOrder();
        const bool moved = saveType == 1 && !std::is_sorted(order.begin(), order.end());
        if (!moved)
            std::sort(order.begin(), order.end());
        IniDocument written;
        written.Preamble = h.doc.Preamble;
        written.EntryTable = expected();
        const std::string bytes = SerializeIni(written, order);
        const std::size_t errorsBefore = h.ui.errors().size();
        h.window->saveCommand();
        EXPECT_EQ(h.ui.errors().size(), errorsBefore);
        EXPECT_EQ(readFile(iniPath), bytes);
        EXPECT_FALSE(h.window->windowTitle().startsWith(QLatin1Char('*')));
        if (moved) {
            startOver();
            return;
        }
        savedAt = at;
        savedFile = bytes;
    }

    // Undo or redo back to the last save: no "*", and a save writes that file again.
    void backToSave()
    {
        if (savedAt == NoState)
            return;
        while (at > savedAt)
            undo();
        while (at < savedAt)
            redo();
        EXPECT_FALSE(h.window->windowTitle().startsWith(QLatin1Char('*')));
        // Every saved file is in table order: a save that moved blocks starts over.
        const std::string before = savedFile;
        save(0);
        EXPECT_EQ(readFile(iniPath), before);
    }

    void reload()
    {
        if (h.window->windowTitle().startsWith(QLatin1Char('*')))
            h.ui.yesNoCancelAnswers = {UserInterface::Answer::No};
        h.window->openIniFile(iniPath);
        EXPECT_EQ(h.doc.EntryTable, ParseIni(savedFile).entries);
        startOver();
    }

    static constexpr std::size_t NoState = static_cast<std::size_t>(-1);

    AppHarness h;
    std::string iniPath;
    RomListView *list = nullptr;
    std::mt19937 random;
    std::vector<RomTable> states;
    std::size_t at = 0;
    std::size_t savedAt = 0;
    std::string savedFile;
    TextStore modelTexts;
    // Numbers the CRCs of the ROMs a session makes.
    int made = 0;
    // Keeps the texts of every state alive through the loads that replace the table.
    std::vector<TextStore> keptTexts;
};

TEST_F(RandomSession, TheTableFollowsAPlainModelOfTheHistory)
{
    for (const unsigned seed : {1u, 2u, 3u, 4u}) {
        random.seed(seed);
        for (int step = 0; step < 150 && !HasFailure(); ++step) {
            SCOPED_TRACE(testing::Message() << "seed " << seed << ", step " << step);
            keptTexts.push_back(h.doc.Texts);
            switch (pick(18)) {
            case 0:
            case 1:
                if (selectRow())
                    editSelected();
                break;
            case 2:
                remove();
                break;
            case 3:
                restoreFromMenu();
                break;
            case 4:
                convertCrcs();
                break;
            case 5:
            case 6:
                undo();
                break;
            case 7:
                redo();
                break;
            case 8:
                h.window->proxy().headerClicked(static_cast<int>(pick(7)));
                break;
            case 9:
                save(static_cast<std::int16_t>(pick(2)));
                break;
            case 10:
                backToSave();
                break;
            case 11:
                reload();
                break;
            case 12:
            case 13:
                if (selectRows())
                    editMany();
                break;
            case 14:
                if (selectRows())
                    removeMany();
                break;
            case 15:
            case 16:
                addOrDuplicate(pick(2) == 0);
                break;
            case 17:
                copyAndPaste();
                break;
            }
            EXPECT_EQ(h.doc.EntryTable, expected());
            EXPECT_EQ(h.window->windowTitle().startsWith(QLatin1Char('*')), at != savedAt);
        }
        save(0);
        reload();
    }
}

} // namespace
