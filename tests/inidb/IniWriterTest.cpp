#include "TempFolder.h"
#include "TestRom.h"

#include "inidb/FileSystem.h"
#include "inidb/IniReader.h"
#include "inidb/IniWriter.h"

#include <gtest/gtest.h>

#include <cerrno>

namespace {

class RecordingResolver final : public IniPathResolver {
public:
    explicit RecordingResolver(IniDocument &doc) : m_doc(doc) {}
    bool ResolveIniPath(const std::string &path) override
    {
        paths.push_back(path);
        m_doc.IniPath = path;
        return true;
    }
    std::vector<std::string> paths;

private:
    IniDocument &m_doc;
};

// Every kind of value the file can hold, in one document.
IniDocument variedDocument()
{
    IniDocument doc;
    doc.Preamble = "// Velmoran settings\r\n\r\n//\r\n";
    RomEntry full = Rom("Lava Rally \xa9", "0BADF00D-12345678-C:45", "Almost Playable");
    full.UCode = -7;
    full.Info = "a=b; c";
    full.DisableDynarec = full.DisablePatches = full.DisableTextureCRC = full.DisableEeprom = true;
    full.DisableSpeedSync = full.IncTexRectEdge = full.ExpansionPak = true;
    full.EepromSize = 16384;
    full.OSRescanCount = -1;
    full.ScaleFactor = 4;
    full.UnknownLines = {"Cheat0=8033B177 0001", "// keep me", "scalefactor=2"};
    doc.EntryTable = {full, Rom("", ""), Rom("Tiny", "7", "Playable")};
    doc.EntryTable[1].UCode = 32767;
    return doc;
}

std::string serialized(const IniDocument &doc)
{
    return SerializeIni(doc, ReadInOrder(doc));
}

TEST(IniWriter, WritesKeysInTheFixedOrderAndLeavesDefaultsOut)
{
    const IniDocument doc = variedDocument();
    std::string out;
    WriteIniEntry(out, doc.EntryTable[0]);
    EXPECT_EQ(out, "{0BADF00D-12345678-C:45}\r\nName=Lava Rally \xa9\r\nUCode=-7\r\nComment=Almost Playable\r\n"
                   "Info=a=b; c\r\nDisableDynarec\r\nDisablePatches\r\nDisableTextureCRC\r\nDisableEeprom\r\n"
                   "DisableSpeedSync\r\nIncTexRectEdge\r\nExpansionPak\r\nEepromSize=16384\r\n"
                   "OSRescanCount=-1\r\nScaleFactor=4\r\nCheat0=8033B177 0001\r\n// keep me\r\n"
                   "scalefactor=2\r\n\r\n");
    out.clear();
    WriteIniEntry(out, doc.EntryTable[1]);
    EXPECT_EQ(out, "{}\r\nName=\r\nUCode=32767\r\n\r\n");
}

TEST(IniWriter, SavedTextReadsBackToTheSameEntriesAndBytes)
{
    const IniDocument doc = variedDocument();
    const std::string text = serialized(doc);
    const ParsedIni parsed = ParseIni(text);
    EXPECT_TRUE(parsed.problems.empty());
    EXPECT_EQ(parsed.preamble, doc.Preamble);
    EXPECT_EQ(parsed.entries, doc.EntryTable);
    IniDocument again;
    again.Preamble = parsed.preamble;
    again.EntryTable = parsed.entries;
    EXPECT_EQ(serialized(again), text);
}

TEST(IniWriter, EmptyTableWritesThePreambleAlone)
{
    IniDocument doc;
    doc.Preamble = "// only\r\n";
    EXPECT_EQ(serialized(doc), "// only\r\n");
}

class SaveTest : public testing::Test {
protected:
    void SetUp() override
    {
        doc = variedDocument();
        doc.IniPath = folder.file("velmoran.ini");
        WriteBytes(doc.IniPath, "old");
    }

    SaveResult save(const std::string &path, std::vector<std::size_t> rows = {})
    {
        return SaveIniFile(doc, path, rows, resolver);
    }

    TempFolder folder;
    IniDocument doc;
    RecordingResolver resolver{doc};
};

TEST_F(SaveTest, ReadInOrderSkipsRemovedEntriesAndReloads)
{
    doc.EntryTable[1].Removed = true;
    const std::uint64_t generation = doc.LoadGeneration;
    const SaveResult result = save(doc.IniPath);
    ASSERT_TRUE(result.status.ok()) << result.status.description;
    ASSERT_TRUE(result.reload.status.ok());
    ASSERT_EQ(doc.EntryTable.size(), 2u);
    EXPECT_EQ(doc.EntryTable[1].Name, "Tiny");
    EXPECT_GT(doc.LoadGeneration, generation);
    EXPECT_EQ(resolver.paths, std::vector<std::string>{doc.IniPath});
    EXPECT_EQ(ReadBytes(doc.IniPath), serialized(doc));
    EXPECT_EQ(folder.listing(), "velmoran.ini\n");
}

TEST_F(SaveTest, DisplayedOrderWritesEveryRowsOwnEntry)
{
    // Same name and CRC twice, an empty name and CRC: each row still writes its entry.
    doc.EntryTable.push_back(Rom("Tiny", "7", "Doesn't Work"));
    doc.SaveType = 1;
    ASSERT_TRUE(save(doc.IniPath, {3, 2, 1, 0}).status.ok());
    ASSERT_EQ(doc.EntryTable.size(), 4u);
    EXPECT_EQ(doc.EntryTable[0].Comment, "Doesn't Work");
    EXPECT_EQ(doc.EntryTable[1].Comment, "Playable");
    EXPECT_EQ(doc.EntryTable[2].Name, "");
    EXPECT_EQ(doc.EntryTable[3].Name, "Lava Rally \xa9");
    EXPECT_TRUE(ReadBytes(doc.IniPath).starts_with(variedDocument().Preamble + "{7}\r\n"));
}

TEST_F(SaveTest, DisplayedOrderNeverLosesAnEntryTheRowsMiss)
{
    doc.SaveType = 1;
    doc.EntryTable[0].Removed = true;
    ASSERT_TRUE(save(doc.IniPath, {2, 0, 2, 99}).status.ok());
    ASSERT_EQ(doc.EntryTable.size(), 2u);
    EXPECT_EQ(doc.EntryTable[0].Name, "Tiny");
    EXPECT_EQ(doc.EntryTable[1].Name, "");
}

TEST_F(SaveTest, UnknownSaveTypeSavesInReadInOrder)
{
    doc.SaveType = 7;
    const std::vector<RomEntry> before = doc.EntryTable;
    ASSERT_TRUE(save(doc.IniPath, {}).status.ok());
    EXPECT_EQ(doc.EntryTable, before);
}

TEST_F(SaveTest, SaveAsLeavesTheOldFileAndSwitchesToTheNewOne)
{
    const std::string other = folder.file("other.ini");
    ASSERT_TRUE(save(other).status.ok());
    EXPECT_EQ(ReadBytes(folder.file("velmoran.ini")), "old");
    EXPECT_EQ(doc.IniPath, other);
    EXPECT_EQ(ReadBytes(other), serialized(variedDocument()));
}

class IniLoad : public SaveTest {};

TEST_F(IniLoad, MissingFileLeavesTheDocumentAndNamesTheFile)
{
    doc.IniPath = folder.file("gone.ini");
    const IniDocument before = doc;
    const LoadResult result = LoadIniFile(doc);
    EXPECT_EQ(result.status.number, ENOENT);
    EXPECT_NE(result.status.description.find(doc.IniPath), std::string::npos);
    EXPECT_EQ(doc.EntryTable, before.EntryTable);
    EXPECT_EQ(doc.LoadGeneration, before.LoadGeneration);
}

// A load reuses the entries of the table it replaces; nothing of them may remain.
TEST_F(IniLoad, LoadOverAFullTableGivesExactlyTheNewFile)
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
