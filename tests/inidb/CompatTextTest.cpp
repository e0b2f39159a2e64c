#include "TestRom.h"

#include "reports/CompatText.h"

#include <gtest/gtest.h>

namespace {

std::string section(std::string_view heading, std::string_view items, std::string_view count)
{
    return std::string(heading) + ":\r\n" + std::string(heading.size(), '*') + "\r\n" + std::string(items)
         + "\r\n" + std::string(count) + "\r\n\r\n";
}

// Categories ignore letter case but nothing else; a name with a semicolon stays one line;
// the percents round halves to even.
TEST(CompatText, SortsEachEntryIntoItsCategoryAndCounts)
{
    const RomTable entries{Rom("a", "1-45", "pLaYaBlE"),      Rom("b", "1-4A", "Playable "),
                                        Rom("c;d", "1-00", "Playable!"),   Rom("C", "X-99", "not playable"),
                                        Rom("", "1-4a", "ALMOST playable"), Rom("f", "1-45", ""),
                                        Rom("g", "1-45", "Playable"),      Rom("h", "1-45", "playable")};
    EXPECT_EQ(CompatListText(entries),
              "Velmoran ROM Compatibility\r\n**************************\r\n\r\nTotal ROMs: 8\r\n\r\n"
                  + section("Playable", "a - E (USA)\r\ng - E (USA)\r\nh - E (USA)\r\n", "(003/8) 38%")
                  + section("Almost Playable", " - J (Japan)\r\n", "(001/8) 12%")
                  + section("Not Playable", "C - ???\r\n", "(001/8) 12%") + section("Doesn't Work", "", "(000/8) 0%")
                  + section("Other", "b - J (Japan)\r\nc;d -   (None)\r\nf - E (USA)\r\n", "(003/8) 38%"));
    // Entries left out (removals a save took out of the file) are neither listed nor counted.
    EXPECT_EQ(CompatListText(entries, std::vector<std::size_t>{0, 6, 7}),
              "Velmoran ROM Compatibility\r\n**************************\r\n\r\nTotal ROMs: 5\r\n\r\n"
                  + section("Playable", "", "(000/5) 0%") + section("Almost Playable", " - J (Japan)\r\n", "(001/5) 20%")
                  + section("Not Playable", "C - ???\r\n", "(001/5) 20%") + section("Doesn't Work", "", "(000/5) 0%")
                  + section("Other", "b - J (Japan)\r\nc;d -   (None)\r\nf - E (USA)\r\n", "(003/5) 60%"));
}

} // namespace
