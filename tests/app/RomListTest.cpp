#include "AppHarness.h"
#include "app/RomListModel.h"
#include "app/RomSortFilterProxy.h"
#include "app/SortKeyColumn.h"
#include "TestText.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

RomEntry entry(const char *name, const char *crc)
{
    RomEntry e;
    e.Name = Text(name);
    e.CRC = Text(crc);
    return e;
}

int sign(long long value)
{
    return (value > 0) - (value < 0);
}

} // namespace

// Table order until the first click; every click on the same header flips. A click sorts
// stably: rows of equal text keep the order the list showed them in; a refill starts again
// from table order, and a changed row still among its equals stays put.
TEST(RomSortOrder, EqualTextsKeepTheOrderTheyWereShownIn)
{
    IniDocument doc;
    doc.EntryTable = {entry("Delta", "AA-45"), entry("alpha", "BB-50"), entry("Charlie", "CC-45"),
                      entry("bravo", "DD-50")};
    RomListModel model(doc);
    model.reset();
    RomSortFilterProxy proxy(model);
    EXPECT_EQ(proxy.displayedOrder(), (std::vector<std::size_t>{0, 1, 2, 3}));
    proxy.headerClicked(static_cast<int>(RomListModel::Column::Name));
    proxy.headerClicked(static_cast<int>(RomListModel::Column::Name));
    EXPECT_EQ(proxy.displayedOrder(), (std::vector<std::size_t>{0, 2, 3, 1}));
    proxy.headerClicked(static_cast<int>(RomListModel::Column::Name));
    proxy.headerClicked(static_cast<int>(RomListModel::Column::Country));
    EXPECT_EQ(proxy.displayedOrder(), (std::vector<std::size_t>{1, 3, 2, 0}));
    model.reset();
    EXPECT_EQ(proxy.displayedOrder(), (std::vector<std::size_t>{1, 3, 0, 2}));
    doc.EntryTable[0].Name = Text("Echo");
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
