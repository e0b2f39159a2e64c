#include "app/SortKeyColumn.h"

#include <QString>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

int sign(long long value)
{
    return (value > 0) - (value < 0);
}

} // namespace

// The order the list promises is that of the texts' case-folded QStrings, for every byte
// and for texts equal up to case, prefixes of each other, and longer than one eight-byte
// step; a replaced text takes its new place.
TEST(SortKeyColumn, KeysAndRanksOrderAsTheFoldedText)
{
    std::vector<std::string> texts{"Sound crackles in the menus; use", "sound crackles in the menus",
                                   "SOUND CRACKLES IN THE MENUS; USE", "Sound crackles in the menus; use the",
                                   "abc", "ABC", "ab", "abcdefgh", "abcdefghi", "ABCDEFGH", "", " ", "10 ()",
                                   "5 (Default UCode)"};
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
