#include "TestRom.h"

#include "reports/CompatText.h"

#include <gtest/gtest.h>

#include <tuple>

namespace {

std::string section(std::string_view heading, std::string_view items, std::string_view count)
{
    return std::string(heading) + ":\r\n" + std::string(heading.size(), '*') + "\r\n" + std::string(items)
         + "\r\n" + std::string(count) + "\r\n\r\n";
}

TEST(CompatText, ThreeEntryExample)
{
    const std::vector<RomEntry> entries{Rom("A", "X-45", "Playable"), Rom("B", "X-4A", ""),
                                        Rom("C", "X-99", "not playable")};
    const std::string expected = "Velmoran ROM Compatibility\r\n**************************\r\n\r\n"
                                 "Total ROMs: 3\r\n\r\n"
                               + section("Playable", "A - E (USA)\r\n", "(001/3) 33%")
                               + section("Almost Playable", "", "(000/3) 0%")
                               + section("Not Playable", "C - ???\r\n", "(001/3) 33%")
                               + section("Doesn't Work", "", "(000/3) 0%")
                               + section("Other", "B - J (Japan)\r\n", "(001/3) 33%");
    EXPECT_EQ(CompatListText(entries), expected);
}

// Categories ignore letter case but nothing else; a name with a semicolon stays one line.
TEST(CompatText, CategoriesIgnoreLetterCaseOnlyAndEachEntryIsOneLine)
{
    const std::vector<RomEntry> entries{Rom("a", "1-45", "pLaYaBlE"), Rom("b", "1-45", "Playable "),
                                        Rom("c;d", "1-00", "Playable!"), Rom("d", "1-45", "doesn't work"),
                                        Rom("", "1-4a", "ALMOST playable")};
    const std::string text = CompatListText(entries);
    EXPECT_NE(text.find(section("Playable", "a - E (USA)\r\n", "(001/5) 20%")), std::string::npos);
    EXPECT_NE(text.find(section("Other", "b - E (USA)\r\nc;d -   (None)\r\n", "(002/5) 40%")), std::string::npos);
    EXPECT_NE(text.find(section("Doesn't Work", "d - E (USA)\r\n", "(001/5) 20%")), std::string::npos);
    EXPECT_NE(text.find(section("Almost Playable", " - J (Japan)\r\n", "(001/5) 20%")), std::string::npos);
}

// Counts keep three digits and grow beyond; the percent rounds halves to even.
TEST(CompatText, CountsAndPercents)
{
    const std::string text = CompatListText(std::vector<RomEntry>(40000, Rom("n", "1-45", "Playable")));
    EXPECT_NE(text.find("Total ROMs: 40000\r\n"), std::string::npos);
    EXPECT_NE(text.find("(40000/40000) 100%"), std::string::npos);
    EXPECT_NE(text.find("(000/40000) 0%"), std::string::npos);
    EXPECT_NE(CompatListText({}).find("(000/0) 0%"), std::string::npos);
    const std::vector<std::tuple<int, int, const char *>> cases{{1, 8, "12%"}, {3, 8, "38%"}, {5, 8, "62%"},
                                                                {1, 40, "2%"}, {2, 3, "67%"}, {3, 3, "100%"}};
    for (const auto &[count, total, percent] : cases)
        EXPECT_EQ(PercentText(count, total), percent) << count << "/" << total;
}

} // namespace
