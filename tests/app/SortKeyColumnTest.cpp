#include "app/SortKeyColumn.h"

#include "ui/FileText.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

int sign(int value)
{
    return (value > 0) - (value < 0);
}

// The order the list promises: the texts' case-folded QStrings compared.
int foldedOrder(const std::string &left, const std::string &right)
{
    return sign(fromFileText(left).toCaseFolded().compare(fromFileText(right).toCaseFolded()));
}

SortKeyColumn keysOf(const std::vector<std::string> &texts)
{
    SortKeyColumn keys;
    keys.startOver(texts.size());
    for (const std::string &text : texts)
        keys.append(text);
    return keys;
}

} // namespace

TEST(SortKeyColumn, EveryPairOfCharactersOrdersAsTheFoldedText)
{
    std::vector<std::string> texts;
    for (int byte = 0; byte < 256; ++byte)
        texts.emplace_back(1, static_cast<char>(byte));
    const SortKeyColumn keys = keysOf(texts);
    for (std::size_t a = 0; a < texts.size(); ++a)
        for (std::size_t b = 0; b < texts.size(); ++b)
            ASSERT_EQ(sign(keys.compare(a, b)), foldedOrder(texts[a], texts[b])) << a << " " << b;
}

TEST(SortKeyColumn, RanksFollowTheFoldedTextWhateverItsLength)
{
    // Equal up to case, prefixes of each other, longer than one eight-byte step, and the
    // characters whose folding leaves Latin-1 or stays put.
    const std::vector<std::string> texts{
        "Sound crackles in the menus; use",  "sound crackles in the menus",  "SOUND CRACKLES IN THE MENUS; USE",
        "Sound crackles in the menus; use the", "abc", "ABC", "ab", "abcdefgh", "abcdefghi", "ABCDEFGH",
        "\xB5", "\xDF", "\xFF", "\xC0", "\xE0", "z", "", " ", "10 ()", "5 (Default UCode)"};
    const SortKeyColumn keys = keysOf(texts);
    const std::vector<std::uint32_t> &ranks = keys.ranks();
    for (std::size_t a = 0; a < texts.size(); ++a)
        for (std::size_t b = 0; b < texts.size(); ++b) {
            const int expected = foldedOrder(texts[a], texts[b]);
            EXPECT_EQ(sign(static_cast<int>(ranks[a]) - static_cast<int>(ranks[b])), expected)
                << texts[a] << " / " << texts[b];
            EXPECT_EQ(sign(keys.compare(a, b)), expected);
        }
}

TEST(SortKeyColumn, AReplacedTextTakesItsNewPlace)
{
    SortKeyColumn keys = keysOf({"beta", "alpha", "gamma"});
    EXPECT_EQ(keys.ranks(), (std::vector<std::uint32_t>{1, 0, 2}));
    keys.replace(2, "Aardvark");
    EXPECT_EQ(keys.ranks(), (std::vector<std::uint32_t>{2, 1, 0}));
    EXPECT_EQ(keys.rankCount(), 3u);
}
