#include "inidb/IniReader.h"
#include "inidb/IniWriter.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// Joins lines with CR LF after each, as the saver writes them.
std::string crlf(std::initializer_list<std::string_view> lines)
{
    std::string text;
    for (std::string_view line : lines) {
        text += line;
        text += "\r\n";
    }
    return text;
}

std::string blocks(int count, std::string_view between = "")
{
    std::string text;
    for (int i = 1; i <= count; ++i) {
        text += "{" + std::to_string(i) + "-45}\r\nName=Rom " + std::to_string(i) + "\r\n\r\n";
        text += between;
    }
    return text;
}

TEST(IniReader, EmptyFileGivesEmptyTableAndPreamble)
{
    const ParsedIni parsed = ParseIni("");
    EXPECT_TRUE(parsed.entries.empty());
    EXPECT_EQ(parsed.preamble, "");
    EXPECT_TRUE(parsed.problems.empty());
}

TEST(IniReader, CommentsAndEmptyLinesOnlyAllGoToThePreamble)
{
    const std::string text = crlf({"// head", "", "//", "// end"});
    const ParsedIni parsed = ParseIni(text);
    EXPECT_TRUE(parsed.entries.empty());
    EXPECT_EQ(parsed.preamble, text);
}

TEST(IniReader, ReadsEveryKeyIntoItsField)
{
    const ParsedIni parsed = ParseIni(crlf({"{AB12CD34-4A}", "Name=Sky Harbor", "UCode=-3", "Comment=Playable",
                                            "Info=needs pak", "DisableDynarec", "DisablePatches",
                                            "DisableTextureCRC", "DisableEeprom", "DisableSpeedSync",
                                            "IncTexRectEdge", "ExpansionPak", "EepromSize=4096",
                                            "OSRescanCount=3", "ScaleFactor=-2"}));
    ASSERT_EQ(parsed.entries.size(), 1u);
    RomEntry expected;
    expected.Name = "Sky Harbor";
    expected.CRC = "AB12CD34-4A";
    expected.UCode = -3;
    expected.Comment = "Playable";
    expected.Info = "needs pak";
    expected.DisableDynarec = expected.DisablePatches = expected.DisableTextureCRC = true;
    expected.DisableEeprom = expected.DisableSpeedSync = expected.IncTexRectEdge = true;
    expected.ExpansionPak = true;
    expected.EepromSize = 4096;
    expected.OSRescanCount = 3;
    expected.ScaleFactor = -2;
    EXPECT_EQ(parsed.entries[0], expected);
}

TEST(IniReader, AbsentKeysLeaveTheDefaults)
{
    const ParsedIni parsed = ParseIni("{X-45}\r\n");
    ASSERT_EQ(parsed.entries.size(), 1u);
    RomEntry expected;
    expected.CRC = "X-45";
    EXPECT_EQ(parsed.entries[0], expected);
    EXPECT_EQ(parsed.entries[0].EepromSize, 2048);
    EXPECT_EQ(parsed.entries[0].ScaleFactor, 1);
}

TEST(IniReader, ZeroEepromSizeAndScaleFactorReadAsTheirDefaults)
{
    const ParsedIni parsed = ParseIni(crlf({"{X-45}", "EepromSize=0", "ScaleFactor=0"}));
    EXPECT_EQ(parsed.entries[0].EepromSize, 2048);
    EXPECT_EQ(parsed.entries[0].ScaleFactor, 1);
}

TEST(IniReader, FlagWithAValueIsSetAndSavedBare)
{
    const ParsedIni parsed = ParseIni(crlf({"{X-45}", "DisableEeprom=0"}));
    EXPECT_TRUE(parsed.entries[0].DisableEeprom);
    std::string out;
    WriteIniEntry(out, parsed.entries[0]);
    EXPECT_EQ(out, crlf({"{X-45}", "Name=", "UCode=0", "DisableEeprom", ""}));
}

TEST(IniReader, SquareBracketHeaderIsSavedWithBraces)
{
    const ParsedIni parsed = ParseIni("[ABC-45]\r\nName=A\r\n");
    EXPECT_EQ(parsed.entries[0].CRC, "ABC-45");
    std::string out;
    WriteIniEntry(out, parsed.entries[0]);
    EXPECT_TRUE(out.starts_with("{ABC-45}\r\n"));
}

TEST(IniReader, LastBlockWithoutEmptyLineOrLineEndIsReadCompletely)
{
    const ParsedIni parsed = ParseIni("{A-45}\r\nName=First\r\n\r\n{B-4A}\r\nName=Last\r\nComment=Playable");
    ASSERT_EQ(parsed.entries.size(), 2u);
    EXPECT_EQ(parsed.entries[1].Name, "Last");
    EXPECT_EQ(parsed.entries[1].Comment, "Playable");
}

TEST(IniReader, BlockOnTheFirstLineLeavesThePreambleEmpty)
{
    EXPECT_EQ(ParseIni(blocks(2)).preamble, "");
}

TEST(IniReader, SecondEmptyLineBetweenBlocksGoesToThePreamble)
{
    const ParsedIni parsed = ParseIni("// head\r\n" + blocks(3, "\r\n"));
    EXPECT_EQ(parsed.entries.size(), 3u);
    EXPECT_EQ(parsed.preamble, "// head\r\n\r\n\r\n\r\n");
}

TEST(IniReader, CommentBetweenBlocksMovesToTheEndOfThePreamble)
{
    const ParsedIni parsed = ParseIni("// head\r\n" + blocks(3) + "// between\r\n" + blocks(1));
    EXPECT_EQ(parsed.preamble, "// head\r\n// between\r\n");
}

// Empty lines keep their old limit: only while fewer than 49 blocks have been read.
TEST(IniReader, EmptyLinesAfterTheFortyNinthBlockAreDropped)
{
    const std::string text = blocks(48) + "\r\n" + blocks(1) + "\r\n" + blocks(1);
    const ParsedIni parsed = ParseIni(text);
    EXPECT_EQ(parsed.entries.size(), 50u);
    EXPECT_EQ(parsed.preamble, "\r\n");
}

TEST(IniReader, CommentsAfterTheFortyNinthBlockAreKept)
{
    const std::string text = blocks(48) + "// 48\r\n" + blocks(1) + "// 49\r\n" + blocks(500) + "// late\r\n";
    EXPECT_EQ(ParseIni(text).preamble, "// 48\r\n// 49\r\n// late\r\n");
}

TEST(IniReader, UnknownLinesStayWithTheirEntryInOrder)
{
    const ParsedIni parsed = ParseIni(crlf({"{A-45}", "name=lower", "Name=Real", "// note inside", "Speed = 3",
                                            "Comment=Playable"}));
    ASSERT_EQ(parsed.entries.size(), 1u);
    EXPECT_EQ(parsed.entries[0].CRC, "A-45");
    EXPECT_EQ(parsed.entries[0].Name, "Real");
    EXPECT_EQ(parsed.entries[0].UnknownLines,
              (std::vector<std::string>{"name=lower", "// note inside", "Speed = 3"}));
    std::string out;
    WriteIniEntry(out, parsed.entries[0]);
    EXPECT_EQ(out, crlf({"{A-45}", "Name=Real", "UCode=0", "Comment=Playable", "name=lower", "// note inside",
                         "Speed = 3", ""}));
}

TEST(IniReader, SecondHeaderInABlockStartsTheNextEntry)
{
    const ParsedIni parsed = ParseIni(crlf({"{A-45}", "Name=One", "[B-4A]", "Name=Two", "", "{C-50}"}));
    ASSERT_EQ(parsed.entries.size(), 3u);
    EXPECT_EQ(parsed.entries[0].CRC, "A-45");
    EXPECT_EQ(parsed.entries[0].Name, "One");
    EXPECT_EQ(parsed.entries[1].CRC, "B-4A");
    EXPECT_EQ(parsed.entries[1].Name, "Two");
    EXPECT_EQ(parsed.entries[2].CRC, "C-50");
}

// A block that does not open with its header takes the first bracketed line as one.
TEST(IniReader, BlockWithoutLeadingHeaderFindsItFurtherDown)
{
    const ParsedIni parsed = ParseIni(crlf({"Name=Late", "Typo=1", "{D-44}", "UCode=5"}));
    ASSERT_EQ(parsed.entries.size(), 1u);
    EXPECT_EQ(parsed.entries[0].CRC, "D-44");
    EXPECT_EQ(parsed.entries[0].Name, "Late");
    EXPECT_EQ(parsed.entries[0].UnknownLines, std::vector<std::string>{"Typo=1"});
}

TEST(IniReader, FirstLineWithoutBracketsIsStillTheHeader)
{
    const ParsedIni parsed = ParseIni(crlf({"<E-41>", "Name=Angled"}));
    EXPECT_EQ(parsed.entries[0].CRC, "E-41");
    EXPECT_TRUE(parsed.entries[0].UnknownLines.empty());
}

TEST(IniReader, ValueKeepsEverythingAfterTheFirstEquals)
{
    const ParsedIni parsed = ParseIni(crlf({"{A-45}", "Info=a=b", "Name==x="}));
    EXPECT_EQ(parsed.entries[0].Info, "a=b");
    EXPECT_EQ(parsed.entries[0].Name, "=x=");
}

struct BadNumberCase {
    const char *line;
    std::int16_t RomEntry::*field;
    std::int16_t kept;
};

void PrintTo(const BadNumberCase &c, std::ostream *os)
{
    *os << c.line;
}

class IniReaderBadNumber : public testing::TestWithParam<BadNumberCase> {};

TEST_P(IniReaderBadNumber, IsReportedLeavesTheDefaultAndKeepsTheLine)
{
    const BadNumberCase &c = GetParam();
    const ParsedIni parsed = ParseIni(crlf({"// head", "{A-45}", "Name=A", c.line, "Comment=Playable"}));
    ASSERT_EQ(parsed.entries.size(), 1u);
    EXPECT_EQ(parsed.entries[0].*c.field, c.kept);
    EXPECT_EQ(parsed.entries[0].Comment, "Playable");
    ASSERT_EQ(parsed.problems.size(), 1u);
    EXPECT_EQ(parsed.problems[0].lineNumber, 4u);
    EXPECT_EQ(parsed.problems[0].line, c.line);
    EXPECT_NE(parsed.problems[0].whatWasUsed.find(std::to_string(c.kept)), std::string::npos);
    EXPECT_EQ(parsed.entries[0].UnknownLines, std::vector<std::string>{c.line});
}

INSTANTIATE_TEST_SUITE_P(Values, IniReaderBadNumber,
                         testing::Values(BadNumberCase{"UCode=", &RomEntry::UCode, 0},
                                         BadNumberCase{"UCode=abc", &RomEntry::UCode, 0},
                                         BadNumberCase{"UCode", &RomEntry::UCode, 0},
                                         BadNumberCase{"UCode=32768", &RomEntry::UCode, 0},
                                         BadNumberCase{"UCode=-32769", &RomEntry::UCode, 0},
                                         BadNumberCase{"UCode=1.5", &RomEntry::UCode, 0},
                                         BadNumberCase{"UCode= 5", &RomEntry::UCode, 0},
                                         BadNumberCase{"EepromSize=99999", &RomEntry::EepromSize, 2048},
                                         BadNumberCase{"ScaleFactor=x2", &RomEntry::ScaleFactor, 1},
                                         BadNumberCase{"OSRescanCount=", &RomEntry::OSRescanCount, 0}));

TEST(IniReader, NumbersAtTheEdgesOfTheRangeAreRead)
{
    const ParsedIni parsed = ParseIni(crlf({"{A-45}", "UCode=-32768", "EepromSize=32767"}));
    EXPECT_TRUE(parsed.problems.empty());
    EXPECT_EQ(parsed.entries[0].UCode, -32768);
    EXPECT_EQ(parsed.entries[0].EepromSize, 32767);
}

TEST(IniReader, HeaderTooShortToStripIsReportedAndKept)
{
    const ParsedIni parsed = ParseIni(crlf({"x", "Name=Short"}));
    ASSERT_EQ(parsed.entries.size(), 1u);
    EXPECT_EQ(parsed.entries[0].CRC, "");
    EXPECT_EQ(parsed.entries[0].Name, "Short");
    ASSERT_EQ(parsed.problems.size(), 1u);
    EXPECT_EQ(parsed.problems[0].lineNumber, 1u);
    EXPECT_EQ(parsed.entries[0].UnknownLines, std::vector<std::string>{"x"});
}

TEST(IniReader, BlankOnlyLinesOutsideBlocksActAsEmptyLines)
{
    const ParsedIni parsed = ParseIni(crlf({"// head", "   ", "{A-45}", "Name=A", "", " \t", "{B-45}"}));
    EXPECT_EQ(parsed.entries.size(), 2u);
    EXPECT_TRUE(parsed.problems.empty());
    EXPECT_EQ(parsed.preamble, crlf({"// head", "   ", " \t"}));
}

class IniReaderLineEnds : public testing::TestWithParam<const char *> {};

TEST_P(IniReaderLineEnds, AllReadTheSame)
{
    std::string withEnds;
    for (std::string_view line : {"// head", "{A-45}", "Name=A", "Info=i", "", "{B-4A}", "Name=B"}) {
        withEnds += line;
        withEnds += GetParam();
    }
    const ParsedIni parsed = ParseIni(withEnds);
    ASSERT_EQ(parsed.entries.size(), 2u);
    EXPECT_EQ(parsed.preamble, "// head\r\n");
    EXPECT_EQ(parsed.entries[0].Info, "i");
    EXPECT_EQ(parsed.entries[1].Name, "B");
}

INSTANTIATE_TEST_SUITE_P(Ends, IniReaderLineEnds, testing::Values("\r\n", "\n", "\r"));

TEST(IniReader, EveryByteOfTextSurvives)
{
    std::string name;
    for (int c = 1; c < 256; ++c) {
        if (c != '\r' && c != '\n')
            name += static_cast<char>(c);
    }
    const std::string text = "{A-45}\r\nName=" + name + "\r\nInfo=\xe9t\xe9\r\n";
    const ParsedIni parsed = ParseIni(text);
    EXPECT_EQ(parsed.entries[0].Name, name);
    EXPECT_EQ(parsed.entries[0].Info, "\xe9t\xe9");
}

TEST(IniReader, MoreBlocksThanSixteenBitsCanCount)
{
    const ParsedIni parsed = ParseIni(blocks(40000));
    ASSERT_EQ(parsed.entries.size(), 40000u);
    EXPECT_EQ(parsed.entries.back().Name, "Rom 40000");
}

TEST(IniReader, CaptionNamesThePath)
{
    EXPECT_EQ(LoadedCaption("C:\\roms\\velmoran.ini"),
              "Tamsic (Velmoran ini Editor) v1.1b - C:\\roms\\velmoran.ini");
    EXPECT_STREQ(DesignCaption, "Tamsic (Velmoran ini Editor)");
}

} // namespace
