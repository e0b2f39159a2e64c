#include "app/RomListModel.h"
#include "app/RomSortProxy.h"

#include <gtest/gtest.h>

// A click sorts stably: rows of equal text keep the order the list showed them in, as the
// order of the previous click; a refill starts again from table order.
TEST(RomSortOrder, EqualTextsKeepTheOrderTheyWereShownIn)
{
    IniDocument doc;
    const char *const rows[][2] = {{"Delta", "AA-45"}, {"alpha", "BB-50"}, {"Charlie", "CC-45"}, {"bravo", "DD-50"}};
    for (const auto &row : rows) {
        RomEntry entry;
        entry.Name = row[0];
        entry.CRC = row[1];
        doc.EntryTable.push_back(entry);
    }
    RomListModel model(doc);
    model.reset();
    RomSortProxy proxy(model);
    const int name = static_cast<int>(RomListModel::Column::Name);
    const int country = static_cast<int>(RomListModel::Column::Country);

    proxy.headerClicked(name);    // ascending: alpha, bravo, Charlie, Delta
    proxy.headerClicked(country); // descending: P (Europe) before E (USA), names kept
    EXPECT_EQ(proxy.displayedOrder(), (std::vector<std::size_t>{1, 3, 2, 0}));

    model.reset();
    EXPECT_EQ(proxy.displayedOrder(), (std::vector<std::size_t>{1, 3, 0, 2}));

    // A changed row that still sorts among its equals stays where it is.
    doc.EntryTable[0].Name = "Echo";
    model.entryChanged(0);
    EXPECT_EQ(proxy.displayedOrder(), (std::vector<std::size_t>{1, 3, 0, 2}));
}
