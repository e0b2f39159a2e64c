#include "inidb/EntryLookup.h"
#include "inidb/ListText.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct CountryCase {
    const char *crc;
    const char *listText;
    const char *imageKey;
};

void PrintTo(const CountryCase &c, std::ostream *os)
{
    *os << '"' << c.crc << '"';
}

class CountryOfCrc : public testing::TestWithParam<CountryCase> {};

TEST_P(CountryOfCrc, ComesFromTheLastTwoCharactersUpperCased)
{
    const CountryInfo info = CountryTable(CountryCode(GetParam().crc));
    EXPECT_STREQ(info.listText, GetParam().listText);
    EXPECT_STREQ(info.imageKey, GetParam().imageKey);
}

INSTANTIATE_TEST_SUITE_P(
    Codes, CountryOfCrc,
    testing::Values(CountryCase{"A-00", "  (None)", "Proto"}, CountryCase{"A-37", "7 (Beta)", "Beta"},
                    CountryCase{"A-4A", "J (Japan)", "Jap"}, CountryCase{"A-4a", "J (Japan)", "Jap"},
                    CountryCase{"A-41", "A (NTSC)", "NTSC"}, CountryCase{"A-44", "D (Germany)", "Ger"},
                    CountryCase{"A-45", "E (USA)", "USA"}, CountryCase{"A-46", "F (France)", "Fra"},
                    CountryCase{"A-49", "I (Italy)", "Ita"}, CountryCase{"A-50", "P (Europe)", "Pal"},
                    CountryCase{"A-53", "S (Spain)", "Spa"}, CountryCase{"A-55", "U (Australia)", "Aus"},
                    CountryCase{"A-58", "X (PAL)", "Pal"}, CountryCase{"A-59", "Y (PAL)", "Pal"},
                    CountryCase{"A-42", "???", "???"}, CountryCase{"5", "???", "???"},
                    CountryCase{"", "???", "???"}, CountryCase{"45", "E (USA)", "USA"}));

TEST(ListText, UCodeCellShowsNumberAndName)
{
    EXPECT_EQ(UCodeCellText(5), "5 (Default UCode)");
    EXPECT_EQ(UCodeCellText(0), "0 (Super Mario 64)");
    EXPECT_EQ(UCodeCellText(2), "2 ()");
    EXPECT_EQ(UCodeCellText(7), "7 (\?\?\?)");
    EXPECT_EQ(UCodeCellText(9), "9 ()");
    EXPECT_EQ(UCodeCellText(-1), "-1 ()");
    EXPECT_EQ(UCodeName(1), "Mario Kart 64");
    EXPECT_EQ(UCodeName(3), "Mortal Kombat 4");
    EXPECT_EQ(UCodeName(4), "Wave Race 64");
    EXPECT_EQ(UCodeName(6), "Diddy Kong Racing");
}

TEST(ListText, EmptyCellShowsOneBlank)
{
    EXPECT_EQ(ListCellText(""), " ");
    EXPECT_EQ(ListCellText("x"), "x");
}

TEST(ListText, SummaryListsNonDefaultSettingsInItsOwnOrder)
{
    RomEntry e;
    EXPECT_EQ(ExtraSettingsSummary(e), "Default");
    e.OSRescanCount = -4;
    EXPECT_EQ(ExtraSettingsSummary(e), "Default");
    e.DisableEeprom = true;
    e.EepromSize = 4096;
    EXPECT_EQ(ExtraSettingsSummary(e), "DisableEeprom,Eeprom=4096");
    RomEntry dynarec;
    dynarec.DisableDynarec = true;
    EXPECT_EQ(ExtraSettingsSummary(dynarec), "DisableDynaRec");
    RomEntry numbers;
    numbers.ScaleFactor = 8;
    numbers.OSRescanCount = 3;
    EXPECT_EQ(ExtraSettingsSummary(numbers), "OSRescanCount=3,ScaleFactor=8");
    RomEntry all;
    all.DisableDynarec = all.DisableTextureCRC = all.DisableSpeedSync = all.IncTexRectEdge = true;
    all.ExpansionPak = all.DisableEeprom = all.DisablePatches = true;
    EXPECT_EQ(ExtraSettingsSummary(all), "DisableDynaRec,DisableEeprom,DisablePatches,DisableSpeedSync,"
                                         "DisableTextureCRC,ExpansionPak,IncTexRectEdge");
}

TEST(EntryLookup, FindsTheFirstExactMatchRemovedOnesIncluded)
{
    IniDocument doc;
    doc.EntryTable.resize(3);
    doc.EntryTable[0].Name = doc.EntryTable[1].Name = "Kite";
    doc.EntryTable[0].CRC = "AA-45";
    doc.EntryTable[0].Removed = true;
    doc.EntryTable[1].CRC = "BB-45";
    doc.EntryTable[2].Name = "kite";
    doc.EntryTable[2].CRC = "aa-45";
    EXPECT_EQ(FindEntryByCRC(doc, "AA-45"), 0u);
    EXPECT_EQ(FindEntryByCRC(doc, "aa-45"), 2u);
    EXPECT_EQ(FindEntryByCRC(doc, "CC-45"), std::nullopt);
    EXPECT_EQ(FindEntryByNameAndCountry(doc, "Kite", "45"), 0u);
    EXPECT_EQ(FindEntryByNameAndCountry(doc, "kite", "45"), 2u);
    EXPECT_EQ(FindEntryByNameAndCountry(doc, "Kite", "4A"), std::nullopt);
}

} // namespace
