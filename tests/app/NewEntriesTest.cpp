// Add, Duplicate, Copy and Paste through the real window: what reaches the table, what
// the user is asked, and the bytes a save then writes.
#include "AppHarness.h"
#include "ModalDriver.h"
#include "app/RomListView.h"
#include "editing/NewRomDialog.h"
#include "editing/frmProperties.h"

#include <QClipboard>
#include <QItemSelectionModel>
#include <QLineEdit>
#include <QTest>

namespace {

using Answer = UserInterface::Answer;

// Answers the next Add or Duplicate dialog; one that OK leaves open is cancelled.
void answerNewRom(const QString &crc, const QString &name, bool &closedByOk)
{
    whenModal<NewRomDialog>([=, &closedByOk](NewRomDialog *dialog) {
        dialog->crcBox().setText(crc);
        dialog->nameBox().setText(name);
        dialog->cmdOK_Click();
        closedByOk = !dialog->isVisible();
        if (!closedByOk)
            dialog->reject();
    });
}

void answerProperties(bool ok)
{
    whenModal<frmProperties>([ok](frmProperties *dialog) { ok ? dialog->cmdOK_Click() : dialog->cmdCancel_Click(); });
}

QString lastShown(const AppHarness &h)
{
    return h.ui.shown.empty() ? QString() : h.ui.shown.back().text;
}

TEST_F(OpenedSample, ARefusedCrcOrNameNeverReachesTheTable)
{
    h.window->session().removeEntries({2});
    const struct {
        QString crc;
        QString name;
        QString told;
    } cases[] = {
        {{}, QStringLiteral("N"), QStringLiteral("Enter the ROM's CRC identifier")},
        {QStringLiteral("AB\nCD-45"), QStringLiteral("N"), QStringLiteral("holds a line break")},
        {QStringLiteral("{AB-45"), QStringLiteral("N"), QStringLiteral("holds \"{\"")},
        {QStringLiteral("AB}-45"), QStringLiteral("N"), QStringLiteral("holds \"}\"")},
        {QStringLiteral("[AB-45"), QStringLiteral("N"), QStringLiteral("holds \"[\"")},
        {QStringLiteral("AB]-45"), QStringLiteral("N"), QStringLiteral("holds \"]\"")},
        {QStringLiteral("AB=CD-45"), QStringLiteral("N"), QStringLiteral("holds \"=\"")},
        {QStringLiteral("1A2B3C4D-5E6F7A8B-C:45"), QStringLiteral("N"), QStringLiteral("\"Zelda Quest\" has the CRC")},
        {QStringLiteral("11223344-55667788-C:50"), QStringLiteral("N"), QStringLiteral("removed ROM \"Mega Kart\"")},
        {QStringLiteral(u"\u0100B-45"), QStringLiteral("N"), QStringLiteral(u"CRC: the character \"\u0100\"")},
        {QStringLiteral("AB-45"), QStringLiteral(u"\u65E5"), QStringLiteral(u"Name: the character \"\u65E5\"")},
    };
    const RomTable before = h.doc.EntryTable;
    for (const auto &c : cases) {
        SCOPED_TRACE(c.told.toStdString());
        bool closedByOk = true;
        answerNewRom(c.crc, c.name, closedByOk);
        h.window->addRomEntryCommand();
        EXPECT_FALSE(closedByOk);
        EXPECT_TRUE(lastShown(h).contains(c.told)) << lastShown(h).toStdString();
        EXPECT_EQ(h.doc.EntryTable, before);
    }
    EXPECT_EQ(h.window->session().history().count(), 1);
}

TEST_F(OpenedSample, AnUnknownCountryIsAskedAboutAndTheNewRomIsShownAtTheEnd)
{
    h.window->proxy().headerClicked(0);
    h.window->findBox().setText(QStringLiteral("Zelda"));
    bool closedByOk = false;
    // Refused warning: back to the dialog, which is then cancelled.
    h.ui.yesNoAnswers = {false};
    answerNewRom(QStringLiteral("AB-ZZ"), QStringLiteral("New One"), closedByOk);
    h.window->addRomEntryCommand();
    EXPECT_FALSE(closedByOk);
    EXPECT_EQ(h.ui.questions().back().title, QStringLiteral("Unknown Country"));
    // Accepted, but the properties cancelled.
    h.ui.yesNoAnswers = {true};
    answerNewRom(QStringLiteral("AB-ZZ"), QStringLiteral("New One"), closedByOk);
    answerProperties(false);
    h.window->addRomEntryCommand();
    EXPECT_EQ(h.doc.EntryTable.size(), 4u);
    // A known country in lower case asks nothing.
    answerNewRom(QStringLiteral("ab-4a"), QStringLiteral("New One"), closedByOk);
    answerProperties(true);
    h.window->addRomEntryCommand();
    ASSERT_EQ(h.doc.EntryTable.size(), 5u);
    EXPECT_EQ(h.window->selectedEntries(), std::vector<std::size_t>{4});
    EXPECT_TRUE(h.window->findBox().text().isEmpty());
    EXPECT_EQ(h.action("mnuUndoStep")->text(), QStringLiteral("&Undo Add \"New One\""));
}

TEST_F(OpenedSample, CopyThenPasteIntoAnotherFileWritesTheSameBlocks)
{
    const std::string kept = "{AB-45}\r\nName=Caf\xE9\r\nUCode=4\r\nMisspelt=kept\r\n\r\n";
    const std::string second = "{EF-50}\r\nName=Two\r\nUCode=1\r\nDisablePatches\r\n\r\n";
    writeFile(iniPath, kept + iniBlock("CD-45", "Not Copied", 5, "Playable") + second);
    h.window->openIniFile(iniPath);
    QItemSelection rows(h.window->proxy().index(0, 0), h.window->proxy().index(0, 6));
    rows.select(h.window->proxy().index(2, 0), h.window->proxy().index(2, 6));
    h.window->findChild<RomListView *>()->selectionModel()->select(rows, QItemSelectionModel::ClearAndSelect);
    h.action("mnuCopy")->trigger();

    const std::string other = h.writeOther();
    h.window->openIniFile(other);
    h.action("mnuPaste")->trigger();
    EXPECT_EQ(h.window->selectedEntries(), (std::vector<std::size_t>{1, 2}));
    h.window->saveCommand();
    EXPECT_EQ(readFile(other), iniBlock("AABBCCDD-EEFF0011-C:45", "Other Game", 5, "Playable") + kept + second);
}

TEST_F(OpenedSample, PastedRowsTakeTheirPlacesInTheSortAndAreSelected)
{
    // A new row after each old one: a few runs of new rows, or more than are told one by one.
    for (const int count : {4, 20}) {
        SCOPED_TRACE(count);
        std::string file;
        QString pasted;
        QStringList names;
        for (int n = 0; n < count; ++n) {
            const std::string name = "B" + std::to_string(10 + n);
            file += iniBlock("OLD" + std::to_string(n) + "-45", name, 5, "");
            pasted += QStringLiteral("{NEW%1-45}\r\nName=%2a\r\n\r\n").arg(n).arg(QString::fromStdString(name));
            names << QString::fromStdString(name) << QString::fromStdString(name) + QLatin1Char('a');
        }
        writeFile(iniPath, file);
        h.ui.yesNoCancelAnswers = {Answer::No};
        h.window->openIniFile(iniPath);
        h.window->proxy().sort(0);
        QApplication::clipboard()->setText(pasted);
        h.window->pasteCommand();
        EXPECT_EQ(h.column(0), names.join(QLatin1Char('|')));
        EXPECT_EQ(h.window->selectedEntries().size(), static_cast<std::size_t>(count));
    }
}

TEST_F(OpenedSample, AKnownCrcIsReplacedOnlyAfterYes)
{
    const struct {
        Answer answer;
        QString names;
    } cases[] = {
        {Answer::Yes, QStringLiteral("Zelda Two|alpha Racer|Mega Kart|Bravo|New")},
        {Answer::No, QStringLiteral("Zelda Quest|alpha Racer|Mega Kart|Bravo|New")},
        {Answer::Cancel, QStringLiteral("Zelda Quest|alpha Racer|Mega Kart|Bravo")},
    };
    for (const auto &c : cases) {
        h.ui.yesNoCancelAnswers = {Answer::No};
        h.window->openIniFile(iniPath);
        QApplication::clipboard()->setText(QStringLiteral("{1A2B3C4D-5E6F7A8B-C:45}\nName=Zelda Two\n\n{N-45}\nName=New\n"));
        h.ui.yesNoCancelAnswers = {c.answer};
        h.window->pasteCommand();
        EXPECT_EQ(h.ui.questions().back().text, QStringLiteral("Replace the settings of 1 ROM, add 1?"));
        EXPECT_EQ(h.column(0), c.names);
        EXPECT_EQ(h.window->session().history().count(), c.answer == Answer::Cancel ? 0 : 1);
    }
}

// A removed ROM stays in the table after a save: its pasted block brings it back, into
// the next save, and the paste's undo takes it out of the file again.
TEST_F(OpenedSample, APastedBlockOfARemovedRomBringsItBackUntilUndone)
{
    ASSERT_TRUE(h.window->session().removeEntries({0}));
    h.window->saveCommand();
    QApplication::clipboard()->setText(QStringLiteral("{1A2B3C4D-5E6F7A8B-C:45}\r\nName=Zelda Two\r\n"));
    h.ui.yesNoCancelAnswers = {Answer::Yes};
    h.window->pasteCommand();
    EXPECT_EQ(h.column(0), QStringLiteral("Zelda Two|alpha Racer|Mega Kart|Bravo"));
    h.window->saveCommand();
    EXPECT_NE(readFile(iniPath).find("Name=Zelda Two"), std::string::npos);
    h.action("mnuUndoStep")->trigger();
    h.window->saveCommand();
    EXPECT_EQ(readFile(iniPath).find("1A2B3C4D"), std::string::npos);
}

TEST_F(OpenedSample, PasteRefusesWhatTheFileCannotHoldAndTellsWhatItCouldNotRead)
{
    const struct {
        QString text;
        std::size_t entries;
        QString told;
    } cases[] = {
        {QStringLiteral(u"{N-45}\r\nName=\u65E5\r\n"), 4, QStringLiteral(u"Clipboard: the character \"\u65E5\"")},
        {QStringLiteral("{N-45}\r\nUCode=x\r\n"), 5, QStringLiteral("1 line(s) of the clipboard could not be read")},
    };
    for (const auto &c : cases) {
        QApplication::clipboard()->setText(c.text);
        h.window->pasteCommand();
        EXPECT_EQ(h.doc.EntryTable.size(), c.entries);
        EXPECT_TRUE(lastShown(h).contains(c.told)) << lastShown(h).toStdString();
    }
    EXPECT_EQ(h.doc.EntryTable.back().UnknownLines, "UCode=x\r\n");
}

TEST_F(OpenedSample, TheCopyAndPasteKeysOfTheFindBoxStayWithItsText)
{
    h.window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(h.window.get()));
    QLineEdit &box = h.window->findBox();
    box.setFocus();
    QTest::keyClicks(&box, QStringLiteral("Zel"));
    box.selectAll();
    QTest::keySequence(&box, QKeySequence::Copy);
    EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("Zel"));
    QApplication::clipboard()->setText(QStringLiteral("{N-45}"));
    QTest::keySequence(&box, QKeySequence::Paste);
    EXPECT_EQ(box.text(), QStringLiteral("{N-45}"));
    EXPECT_EQ(h.doc.EntryTable.size(), 4u);
    // In the list the same key pastes ROMs.
    QTest::keySequence(h.window->findChild<RomListView *>(), QKeySequence::Paste);
    EXPECT_EQ(h.doc.EntryTable.size(), 5u);
}

} // namespace
