// The plain document changes: each is taken back exactly by its opposite, and the undo
// records follow their entries through inserts and erases.
#include "TestRom.h"

#include "inidb/DocumentEdits.h"

#include <gtest/gtest.h>

namespace {

std::string names(const IniDocument &doc)
{
    std::string text;
    for (const RomEntry &entry : doc.EntryTable)
        text += std::string(entry.Name) + "|";
    return text;
}

TEST(DocumentEdits, InsertAndEraseAreOppositesAndUndoRecordsFollowTheirEntries)
{
    IniDocument doc;
    doc.EntryTable = {Rom("A", "a-45"), Rom("B", "b-45"), Rom("C", "C-45"), Rom("D", "d-45")};
    for (const std::size_t index : {0u, 1u, 3u})
        doc.UndoList.push_back({"", "", index, 0});
    const RomTable before = doc.EntryTable;

    InsertEntries(doc, std::vector<PlacedEntry>{{0, Rom("x", "")}, {3, Rom("y", "")}, {5, Rom("z", "")}, {7, Rom("w", "")}});
    EXPECT_EQ(names(doc), "x|A|B|y|C|z|D|w|");
    EXPECT_EQ(doc.UndoList[0].entryIndex, 1u);
    EXPECT_EQ(doc.UndoList[1].entryIndex, 2u);
    EXPECT_EQ(doc.UndoList[2].entryIndex, 6u);

    const std::vector<PlacedEntry> erased = EraseEntries(doc, std::vector<std::size_t>{0, 3, 5, 7});
    EXPECT_EQ(doc.EntryTable, before);
    EXPECT_EQ(doc.UndoList[2].entryIndex, 3u);
    InsertEntries(doc, erased);
    EXPECT_EQ(names(doc), "x|A|B|y|C|z|D|w|");

    // A record whose entry was erased restores nothing any more.
    EraseEntries(doc, std::vector<std::size_t>{1});
    EXPECT_GE(doc.UndoList[0].entryIndex, doc.EntryTable.size());
    EXPECT_EQ(doc.UndoList[2].entryIndex, 5u);
}

// Only changed CRCs are returned, and setting them back gives the table as it was.
TEST(DocumentEdits, UpperCasingReturnsOnlyTheCrcsItChanged)
{
    IniDocument doc;
    doc.EntryTable = {Rom("A", "ab-4a"), Rom("B", "CD-45"), Rom("C", "\xe9x-45")};
    const RomTable before = doc.EntryTable;
    ASSERT_TRUE(AnyLowerCaseCrc(doc));
    const std::vector<ChangedCrc> changes = UpperCaseCRCs(doc);
    ASSERT_EQ(changes.size(), 2u);
    EXPECT_EQ(changes[1].index, 2u);
    EXPECT_EQ(doc.EntryTable[0].CRC, "AB-4A");
    EXPECT_EQ(doc.EntryTable[2].CRC, "\xe9X-45");
    EXPECT_FALSE(AnyLowerCaseCrc(doc));
    SetCrcs(doc, changes, false);
    EXPECT_EQ(doc.EntryTable, before);
}

} // namespace
