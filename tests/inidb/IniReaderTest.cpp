#include "inidb/IniReader.h"
#include "inidb/IniWriter.h"
#include "TempFolder.h"

#include <gtest/gtest.h>

#include <string>
#include <sys/stat.h>
#include <tuple>

namespace {

std::string blocks(int count, std::string_view between = "")
{
    std::string text;
    for (int i = 1; i <= count; ++i)
        text += "{" + std::to_string(i) + "-45}\r\nName=Rom " + std::to_string(i) + "\r\n\r\n" + std::string(between);
    return text;
}

// What the saver makes of a file: the clearest view of what the reader understood.
std::string resaved(const ParsedIni &parsed)
{
    IniDocument doc;
    doc.Preamble = parsed.preamble;
    doc.EntryTable = parsed.entries;
    return SerializeIni(doc, ReadInOrder(doc));
}

const std::string kTwoBlocks = "{A-45}\r\nName=A\r\nUCode=0\r\nInfo=i\r\n\r\n{B-4A}\r\nName=B\r\nUCode=0\r\n\r\n";

// How the reader understands a file, seen through what the saver makes of it.
TEST(IniReader, ReadsAndSavesAs)
{
    const struct {
        std::string input, saved;
        std::size_t problems = 0;
    } cases[] = {
        {"", ""},
        {"// head\r\n{A-45}\r\nName=A\r\nInfo=i\r\n\r\n{B-4A}\r\nName=B\r\n", "// head\r\n" + kTwoBlocks},
        {"// head\n{A-45}\nName=A\nInfo=i\n\n{B-4A}\nName=B", "// head\r\n" + kTwoBlocks},
        {"// head\r{A-45}\rName=A\rInfo=i\r\r{B-4A}\rName=B\r", "// head\r\n" + kTwoBlocks},
        {"[X-45]\nDisableEeprom=0\nEepromSize=0\nScaleFactor=0\n", "{X-45}\r\nName=\r\nUCode=0\r\nDisableEeprom\r\n\r\n"},
        {"{X-45}\nUCode=-32768\nEepromSize=32767\n", "{X-45}\r\nName=\r\nUCode=-32768\r\nEepromSize=32767\r\n\r\n"},
        {"{A-45}\nInfo=a=b\nName==x=\n", "{A-45}\r\nName==x=\r\nUCode=0\r\nInfo=a=b\r\n\r\n"},
        {"{A-45}\nname=lower\nName=Real\n// inside\nSpeed = 3\n",
         "{A-45}\r\nName=Real\r\nUCode=0\r\nname=lower\r\n// inside\r\nSpeed = 3\r\n\r\n"},
        {"Name=Late\nTypo=1\n{D-44}\n", "{D-44}\r\nName=Late\r\nUCode=0\r\nTypo=1\r\n\r\n"},
        // Blocks glued without an empty line stay two; a bracketed line with "=" is no header.
        {"{A-45}\nName=A\n[B-45]\nName=B\n[Cheat=1]\n",
         "{A-45}\r\nName=A\r\nUCode=0\r\n\r\n{B-45}\r\nName=B\r\nUCode=0\r\n[Cheat=1]\r\n\r\n"},
        {"x\nName=Short\n", "{}\r\nName=Short\r\nUCode=0\r\nx\r\n\r\n", 1},
        // A key given twice: the later value is used, the earlier line kept before it.
        {"{A-45}\nName=A\nComment=C\nName=B\nUCode=1\nComment=\nScaleFactor=2\nUCode=x\nScaleFactor=1\nUCode=2\n",
         "{A-45}\r\nName=A\r\nUCode=1\r\nComment=C\r\nScaleFactor=2\r\nName=B\r\nUCode=2\r\nComment=\r\n"
         "ScaleFactor=1\r\nUCode=x\r\n\r\n",
         5},
        {"// head\n   \n{A-45}\n\n \t\n// between\n{B-45}\n",
         "// head\r\n   \r\n \t\r\n// between\r\n{A-45}\r\nName=\r\nUCode=0\r\n\r\n{B-45}\r\nName=\r\nUCode=0\r\n\r\n"}};
    for (const auto &c : cases) {
        const ParsedIni parsed = ParseIni(c.input);
        EXPECT_EQ(resaved(parsed), c.saved) << c.input;
        EXPECT_EQ(parsed.problems.size(), c.problems) << c.input;
        EXPECT_EQ(resaved(ParseIni(c.saved)), c.saved) << c.input;
    }
}

// Empty lines keep their old limit of 49 blocks; comments are kept wherever they stand.
TEST(IniReader, PreambleAfterTheFortyNinthBlockKeepsCommentsOnly)
{
    const std::string text = blocks(48) + "\r\n// 48\r\n" + blocks(1) + "\r\n// 49\r\n" + blocks(500) + "// late\r\n";
    const ParsedIni parsed = ParseIni(text);
    EXPECT_EQ(parsed.entries.size(), 549u);
    EXPECT_EQ(parsed.preamble, "\r\n// 48\r\n// 49\r\n// late\r\n");
}

// A number that cannot be read is reported with its line, leaves the default, and the line is kept.
TEST(IniReader, BadNumbersAreReportedLeaveTheDefaultAndKeepTheLine)
{
    const std::tuple<const char *, std::int16_t RomEntry::*, std::int16_t> cases[] = {
        {"UCode", &RomEntry::UCode, 0}, {"UCode=32768", &RomEntry::UCode, 0}, {"UCode= 5", &RomEntry::UCode, 0},
        {"EepromSize=99999", &RomEntry::EepromSize, 2048}, {"ScaleFactor=x2", &RomEntry::ScaleFactor, 1}};
    for (const auto &[line, field, kept] : cases) {
        SCOPED_TRACE(line);
        const ParsedIni parsed = ParseIni("// head\r\n{A-45}\r\nName=A\r\n" + std::string(line) + "\r\nComment=P\r\n");
        EXPECT_EQ(parsed.entries.at(0).*field, kept);
        EXPECT_EQ(parsed.entries[0].Comment, "P");
        ASSERT_EQ(parsed.problems.size(), 1u);
        EXPECT_EQ(parsed.problems[0].lineNumber, 4u);
        EXPECT_EQ(parsed.problems[0].line, line);
        EXPECT_EQ(parsed.entries[0].UnknownLines, std::string(line) + "\r\n");
    }
}

// Every byte of text survives, and more blocks than sixteen bits can count are read.
TEST(IniReader, AnyByteAndAnyCount)
{
    std::string name;
    for (int c = 1; c < 256; ++c)
        if (c != '\r' && c != '\n')
            name += static_cast<char>(c);
    EXPECT_EQ(ParseIni("{A-45}\r\nName=" + name + "\r\n").entries.at(0).Name, name);
    // The text store keeps a length in one byte up to 254 and in a long form from 255.
    for (const std::size_t length : {254u, 255u, 256u}) {
        const std::string text(length, 'n'), edited = std::string(length - 1, 'e') + '\xFF';
        ParsedIni parsed = ParseIni("{A-45}\r\nName=" + text + "\r\n");
        parsed.entries.at(0).Info = parsed.texts.keep(edited);
        const ParsedIni saved = ParseIni(resaved(parsed));
        EXPECT_EQ(saved.entries.at(0).Name, text);
        EXPECT_EQ(saved.entries[0].Info, edited);
    }
    EXPECT_EQ(ParseIni(blocks(40000)).entries.at(39999).Name, "Rom 40000");
}

// A file many times larger than the pieces it is read in, whose head alone fills the
// first of them, loads as its bytes parsed whole: lines and characters cut at a piece's
// end are joined again, and the table grows past what the head let it guess. The head's
// CR LFs are cut by the end of the first 64-byte scan and of the first 64 KB piece.
TEST(LoadIniFile, ReadsALargeFileAsItsBytesWhole)
{
    std::string head = "//" + std::string(61, '-') + "\r\n";
    head += "//" + std::string((64 << 10) - 1 - head.size() - 2, '=') + "\r\n";
    const std::string longInfo(16 << 20, 'i');
    std::string bytes = head + "{BIG-45}\r\nInfo=" + longInfo + "\r\n\r\n";
    const char *const lineEnds[] = {"\r\n", "\n", "\r"};
    for (int i = 0; i < 30000; ++i) {
        const std::string end = lineEnds[i % 3];
        bytes += "{" + std::to_string(i) + "-45}" + end + "Name=Caf\xC3\xA9 " + std::to_string(i) + end + "Typo=\xE2\x82\xAC"
               + end + end;
    }
    TempFolder folder;
    IniDocument doc;
    doc.IniPath = folder.file("velmoran.ini");
    WriteBytes(doc.IniPath, bytes);
    ASSERT_TRUE(LoadIniFile(doc).status.ok());
    const ParsedIni whole = ParseIni(bytes);
    EXPECT_EQ(doc.Preamble, head);
    EXPECT_EQ(doc.EntryTable, whole.entries);
    ASSERT_EQ(doc.EntryTable.size(), 30001u);
    EXPECT_EQ(doc.EntryTable[0].Info, longInfo);
    EXPECT_EQ(doc.Encoding, TextEncoding::Utf8);
}

// The texts live in the document's store: a failed load keeps the old ones readable, and
// a copy of the document keeps its edits apart from the original's, also past a chunk.
TEST(LoadIniFile, FailedLoadsAndCopiesKeepEveryText)
{
    TempFolder folder;
    IniDocument doc;
    doc.IniPath = folder.file("velmoran.ini");
    WriteBytes(doc.IniPath, "{A-45}\r\nName=Alpha\r\n\r\n");
    ASSERT_TRUE(LoadIniFile(doc).status.ok());
    // Anything but a regular file is refused before it is read: a FIFO would hold the
    // load for ever, /dev/zero would never end.
    ASSERT_EQ(::mkfifo(folder.file("fifo").c_str(), 0600), 0);
    const std::pair<std::string, const char *> unreadable[] = {
        {folder.file("missing.ini"), "No such file"}, {folder.file("fifo"), "is not a regular file"},
        {"/dev/zero", "is not a regular file"}, {folder.path(), "is not a regular file"}};
    for (const auto &[path, says] : unreadable) {
        doc.IniPath = path;
        const LoadResult failed = LoadIniFile(doc);
        EXPECT_NE(failed.status.description.find(path + ": "), std::string::npos) << failed.status.description;
        EXPECT_NE(failed.status.description.find(says), std::string::npos) << failed.status.description;
    }
    EXPECT_EQ(doc.EntryTable.at(0).Name, "Alpha");

    IniDocument copy = doc;
    const std::string big(300 * 1024, 'b');
    doc.EntryTable[0].Name = doc.Texts.keep("Edited");
    copy.EntryTable[0].Name = copy.Texts.keep("Other");
    doc.EntryTable[0].Info = doc.Texts.keep(big);
    doc.EntryTable[0].Comment = doc.Texts.keep("After the big one");
    EXPECT_EQ(doc.EntryTable[0].Name, "Edited");
    EXPECT_EQ(doc.EntryTable[0].Info, big);
    EXPECT_EQ(doc.EntryTable[0].Comment, "After the big one");
    EXPECT_EQ(copy.EntryTable[0].Name, "Other");
    EXPECT_EQ(copy.EntryTable[0].CRC, "A-45");
}

} // namespace
