#include "AppHarness.h"
#include "app/RomListModel.h"
#include "app/RomSortProxy.h"
#include "app/SortKeyColumn.h"
#include "ui/ImagelistSmall.h"


#include <gtest/gtest.h>

#include <algorithm>

namespace {

RomEntry entry(const char *name, const char *crc, std::int16_t ucode = 5)
{
    RomEntry e;
    e.Name = name;
    e.CRC = crc;
    e.UCode = ucode;
    return e;
}

int sign(long long value)
{
    return (value > 0) - (value < 0);
}

QImage pictureOf(const QVariant &decoration)
{
    return decoration.value<QIcon>().pixmap(16, 16).toImage();
}

class RomList : public ::testing::Test {
protected:
    RomList()
    {
        doc.EntryTable = {entry("Zelda", "AA-45", 5), entry("", "BB-4a", 10), entry("Mega", "CC-50", 0),
                          entry("bravo", "", 7)};
        doc.EntryTable[1].Comment = "Playable";
        doc.EntryTable[2].EepromSize = 4096;
        doc.EntryTable[2].DisableEeprom = true;
        model.reset();
    }

    IniDocument doc;
    RomListModel model{doc};
    RomSortProxy proxy{model};
};

} // namespace

// An empty text shows as one space; the name carries the country's picture.
TEST_F(RomList, ShowsEveryCellTextAndTheCountryPicture)
{
    EXPECT_EQ(columnTexts(model, 0), QStringLiteral("Zelda| |Mega|bravo"));
    EXPECT_EQ(columnTexts(model, 1), QStringLiteral("AA-45|BB-4a|CC-50| "));
    EXPECT_EQ(columnTexts(model, 2), QStringLiteral("E (USA)|J (Japan)|P (Europe)|???"));
    EXPECT_EQ(columnTexts(model, 3), QStringLiteral("5 (Default UCode)|10 ()|0 (Super Mario 64)|7 (?\?\?)"));
    EXPECT_EQ(columnTexts(model, 4), QStringLiteral(" |Playable| | "));
    EXPECT_EQ(model.index(2, 6).data().toString(), QStringLiteral("DisableEeprom,Eeprom=4096"));
    EXPECT_EQ(pictureOf(model.index(1, 0).data(Qt::DecorationRole)), ImagelistSmall::picture(QStringLiteral("Jap")).toImage());
    EXPECT_FALSE(model.index(1, 1).data(Qt::DecorationRole).isValid());
}

// Table order until the first click; every click on the same header flips, another header
// sorts ascending and takes the arrow. UCodes sort as text: "10 ()" first.
TEST_F(RomList, TableOrderUntilTheFirstClickThenEveryClickFlips)
{
    EXPECT_EQ(proxy.displayedOrder(), (std::vector<std::size_t>{0, 1, 2, 3}));
    proxy.headerClicked(0);
    EXPECT_EQ(columnTexts(proxy, 0), QStringLiteral(" |bravo|Mega|Zelda"));
    proxy.headerClicked(0);
    EXPECT_EQ(columnTexts(proxy, 0), QStringLiteral("Zelda|Mega|bravo| "));
    proxy.headerClicked(3);
    // One arrow, on the header last clicked.
    EXPECT_TRUE(pictureOf(proxy.headerData(0, Qt::Horizontal, Qt::DecorationRole)).isNull());
    EXPECT_EQ(pictureOf(proxy.headerData(3, Qt::Horizontal, Qt::DecorationRole)), ImagelistSmall::picture(QStringLiteral("Up")).toImage());
    EXPECT_EQ(proxy.displayedOrder(), (std::vector<std::size_t>{2, 1, 0, 3}));
}

// A click sorts stably: rows of equal text keep the order the list showed them in; a refill
// starts again from table order, and a changed row still among its equals stays put.
TEST(RomSortOrder, EqualTextsKeepTheOrderTheyWereShownIn)
{
    IniDocument doc;
    doc.EntryTable = {entry("Delta", "AA-45"), entry("alpha", "BB-50"), entry("Charlie", "CC-45"),
                      entry("bravo", "DD-50")};
    RomListModel model(doc);
    model.reset();
    RomSortProxy proxy(model);
    proxy.headerClicked(static_cast<int>(RomListModel::Column::Name));
    proxy.headerClicked(static_cast<int>(RomListModel::Column::Country));
    EXPECT_EQ(proxy.displayedOrder(), (std::vector<std::size_t>{1, 3, 2, 0}));
    model.reset();
    EXPECT_EQ(proxy.displayedOrder(), (std::vector<std::size_t>{1, 3, 0, 2}));
    doc.EntryTable[0].Name = "Echo";
    model.entryChanged(0);
    EXPECT_EQ(proxy.displayedOrder(), (std::vector<std::size_t>{1, 3, 0, 2}));
}

// The order the list promises is that of the texts' case-folded QStrings, for every byte
// and for texts equal up to case, prefixes of each other, and longer than one eight-byte
// step; a replaced text takes its new place.
TEST(SortKeyColumn, KeysAndRanksOrderAsTheFoldedText)
{
    std::vector<std::string> texts{"Sound crackles in the menus; use", "sound crackles in the menus",
                                   "SOUND CRACKLES IN THE MENUS; USE", "abc", "ABC", "ab", "abcdefgh",
                                   "abcdefghi", "ABCDEFGH", "", "10 ()", "5 (Default UCode)"};
    for (int byte = 0; byte < 256; ++byte)
        texts.emplace_back(1, static_cast<char>(byte));
    SortKeyColumn keys;
    keys.startOver(texts.size());
    for (const std::string &text : texts)
        keys.append(text);
    keys.replace(0, "SOUND CRACKLES");
    texts[0] = "SOUND CRACKLES";
    std::vector<QString> folded;
    for (const std::string &text : texts)
        folded.push_back(QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size())).toCaseFolded());
    const std::vector<std::uint32_t> &ranks = keys.ranks();
    EXPECT_EQ(keys.rankCount(), *std::max_element(ranks.begin(), ranks.end()) + 1);
    for (std::size_t a = 0; a < texts.size(); ++a)
        for (std::size_t b = 0; b < texts.size(); ++b) {
            const int expected = sign(folded[a].compare(folded[b]));
            ASSERT_EQ(sign(keys.compare(a, b)), expected) << texts[a] << " / " << texts[b];
            ASSERT_EQ(sign(static_cast<long long>(ranks[a]) - ranks[b]), expected) << texts[a] << " / " << texts[b];
        }
}
