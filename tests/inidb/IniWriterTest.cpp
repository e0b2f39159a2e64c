#include "TempFolder.h"
#include "TestRom.h"

#include "inidb/DocumentSave.h"
#include "inidb/FileSystem.h"
#include "inidb/IniReader.h"
#include "inidb/IniWriter.h"
#include "TestText.h"

#include <gtest/gtest.h>


namespace {

// Every kind of value the file can hold, in one document.
IniDocument variedDocument()
{
    IniDocument doc;
    doc.Preamble = "// Velmoran settings\r\n\r\n//\r\n";
    RomEntry full = Rom("Lava Rally \xa9", "0BADF00D-12345678-C:45", "Almost Playable");
    full.UCode = -7;
    full.Info = Text("a=b; c");
    full.DisableDynarec = full.DisablePatches = full.DisableTextureCRC = full.DisableEeprom = true;
    full.DisableSpeedSync = full.IncTexRectEdge = full.ExpansionPak = true;
    full.EepromSize = 16384;
    full.OSRescanCount = -1;
    full.ScaleFactor = 4;
    full.UnknownLines = Text("Cheat0=8033B177 0001\r\n// keep me\r\nscalefactor=2\r\n");
    doc.EntryTable = {full, Rom("", ""), Rom("Tiny", "7", "Playable")};
    doc.EntryTable[1].UCode = 32767;
    return doc;
}

std::string serialized(const IniDocument &doc)
{
    return SerializeIni(doc, ReadInOrder(doc));
}

// Keys in the fixed order, defaults left out, unknown lines last; the saved text reads back
// to the same entries and bytes.
TEST(IniWriter, WritesTheFixedFormAndReadsBackTheSame)
{
    const IniDocument doc = variedDocument();
    const std::string text = serialized(doc);
    EXPECT_EQ(text, doc.Preamble
                        + "{0BADF00D-12345678-C:45}\r\nName=Lava Rally \xa9\r\nUCode=-7\r\nComment=Almost Playable\r\n"
                          "Info=a=b; c\r\nDisableDynarec\r\nDisablePatches\r\nDisableTextureCRC\r\nDisableEeprom\r\n"
                          "DisableSpeedSync\r\nIncTexRectEdge\r\nExpansionPak\r\nEepromSize=16384\r\n"
                          "OSRescanCount=-1\r\nScaleFactor=4\r\nCheat0=8033B177 0001\r\n// keep me\r\n"
                          "scalefactor=2\r\n\r\n{}\r\nName=\r\nUCode=32767\r\n\r\n{7}\r\nName=Tiny\r\nUCode=0\r\n"
                          "Comment=Playable\r\n\r\n");
    const ParsedIni parsed = ParseIni(text);
    EXPECT_TRUE(parsed.problems.empty());
    EXPECT_EQ(parsed.preamble, doc.Preamble);
    EXPECT_EQ(parsed.entries, doc.EntryTable);
}

class SaveTest : public testing::Test {
protected:
    void SetUp() override
    {
        doc = variedDocument();
        doc.IniPath = folder.file("velmoran.ini");
        WriteBytes(doc.IniPath, "old");
    }

    // Saves in the save type's order and gives the names of the entries the table lists
    // afterwards.
    std::string saveAndList(std::int16_t saveType, std::vector<std::size_t> rows = {})
    {
        doc.SaveType = saveType;
        const DocumentSaveResult result = SaveDocument(doc, doc.IniPath, rows, DefaultFileSystem());
        EXPECT_TRUE(result.status.ok() && result.readBack.status.ok()) << result.status.description;
        std::string names;
        for (const RomEntry &entry : doc.EntryTable)
            if (!entry.Removed)
                names += std::string(entry.Name) + "/" + std::string(entry.Comment) + "|";
        return names;
    }

    TempFolder folder;
    IniDocument doc;
};

// Read-in order (also for an unknown save type) skips removed entries; the displayed order
// writes every row's own entry (twins and empty names too) and never loses one the rows miss
// or repeat. A save in table order keeps the table (removed entries too); one that moved
// blocks takes the file's table.
TEST_F(SaveTest, SavesInTheChosenOrderAndReloads)
{
    doc.EntryTable[1].Removed = true;
    const std::uint64_t generation = doc.LoadGeneration;
    EXPECT_EQ(saveAndList(0), "Lava Rally \xa9/Almost Playable|Tiny/Playable|");
    EXPECT_EQ(doc.LoadGeneration, generation);
    EXPECT_TRUE(doc.EntryTable[1].Removed);
    EXPECT_EQ(ReadBytes(doc.IniPath), serialized(doc));
    EXPECT_EQ(folder.listing(), "velmoran.ini\n");

    doc.EntryTable = variedDocument().EntryTable;
    doc.EntryTable.push_back(Rom("Tiny", "7", "Doesn't Work"));
    EXPECT_EQ(saveAndList(1, {3, 2, 1, 0}), "Tiny/Doesn't Work|Tiny/Playable|/|Lava Rally \xa9/Almost Playable|");
    EXPECT_TRUE(ReadBytes(doc.IniPath).starts_with(variedDocument().Preamble + "{7}\r\n"));
    doc.EntryTable[0].Removed = true;
    EXPECT_EQ(saveAndList(1, {2, 0, 2, 99}), "/|Tiny/Playable|Lava Rally \xa9/Almost Playable|");
    EXPECT_EQ(saveAndList(7, {2, 1, 0}), "/|Tiny/Playable|Lava Rally \xa9/Almost Playable|");
}

// A load reuses the entries of the table it replaces, and nothing of them may remain (a
// load that fails is the window's tests', which see that it keeps the document).
TEST_F(SaveTest, LoadGivesExactlyTheNewFile)
{
    const std::string rich = folder.file("rich.ini");
    WriteBytes(rich, serialized(doc));
    for (const std::string plain : {"{P-45}\r\nName=P\r\n", "{P-45}\r\n\r\n{Q-50}\r\n\r\n[R]\r\nUCode=1\r\n\r\n{S}"}) {
        for (const std::string &path : {rich, folder.file("plain.ini")}) {
            WriteBytes(folder.file("plain.ini"), plain);
            doc.IniPath = path;
            ASSERT_TRUE(LoadIniFile(doc).status.ok());
        }
        EXPECT_EQ(doc.EntryTable, ParseIni(plain).entries);
    }
}

} // namespace
