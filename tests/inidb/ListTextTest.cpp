#include "inidb/ListText.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>

namespace {

// The country comes from the last two characters, upper-cased: one row of each kind (plain,
// lower case, a shared image, the gaps and too-short CRCs).
TEST(ListText, CountryOfCrc)
{
    const std::tuple<const char *, const char *, const char *> codes[] = {
        {"A-00", "  (None)", "Proto"}, {"A-4a", "J (Japan)", "Jap"}, {"A-59", "Y (PAL)", "Pal"},
        {"A-42", "???", "???"},        {"5", "???", "???"},          {"45", "E (USA)", "USA"}};
    for (const auto &[crc, listText, imageKey] : codes) {
        const CountryInfo info = CountryTable(CountryCode(crc));
        EXPECT_STREQ(info.listText, listText) << crc;
        EXPECT_STREQ(info.imageKey, imageKey) << crc;
    }
}

TEST(ListText, CellsShowNumberAndNameOrABlank)
{
    EXPECT_EQ(UCodeCellText(0), "0 (Super Mario 64)");
    EXPECT_EQ(UCodeCellText(7), "7 (\?\?\?)");
    EXPECT_EQ(UCodeCellText(-1), "-1 ()");
    EXPECT_EQ(ListCellText(""), " ");
}

TEST(ListText, SummaryListsNonDefaultSettingsInItsOwnOrder)
{
    RomEntry e;
    e.OSRescanCount = -4;
    EXPECT_EQ(ExtraSettingsSummary(e), "Default");
    e.DisableEeprom = true;
    e.EepromSize = 4096;
    e.ScaleFactor = 8;
    e.OSRescanCount = 3;
    EXPECT_EQ(ExtraSettingsSummary(e), "DisableEeprom,Eeprom=4096,OSRescanCount=3,ScaleFactor=8");
    RomEntry all;
    all.DisableDynarec = all.DisableTextureCRC = all.DisableSpeedSync = all.IncTexRectEdge = true;
    all.ExpansionPak = all.DisableEeprom = all.DisablePatches = true;
    EXPECT_EQ(ExtraSettingsSummary(all), "DisableDynaRec,DisableEeprom,DisablePatches,DisableSpeedSync,"
                                         "DisableTextureCRC,ExpansionPak,IncTexRectEdge");
}

} // namespace
