#include "AppHarness.h"
#include "app/RomListModel.h"
#include "app/RomSortProxy.h"
#include "ui/ImagelistSmall.h"

#include <QSignalSpy>

#include <gtest/gtest.h>

namespace {

RomEntry entry(const char *name, const char *crc, std::int16_t ucode = 5)
{
    RomEntry e;
    e.Name = name;
    e.CRC = crc;
    e.UCode = ucode;
    return e;
}

QImage pictureOf(const QVariant &decoration)
{
    return decoration.value<QIcon>().pixmap(16, 16).toImage();
}

// The sort arrows of the headers, "Up"/"Down" by column, joined by "|".
QString arrows(const QAbstractItemModel &model)
{
    QStringList shown;
    for (int column = 0; column < RomListModel::ColumnCount; ++column) {
        const QImage image = pictureOf(model.headerData(column, Qt::Horizontal, Qt::DecorationRole));
        for (const char *key : {"Up", "Down"})
            if (!image.isNull() && image == ImagelistSmall::picture(QLatin1String(key)).toImage())
                shown << QString::number(column) + QLatin1String(key);
    }
    return shown.join(QLatin1Char('|'));
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
// takes the other direction and the first loses its arrow. UCodes sort as text: "10 ()" first.
TEST_F(RomList, TableOrderUntilTheFirstClickThenEveryClickFlips)
{
    EXPECT_EQ(proxy.displayedOrder(), (std::vector<std::size_t>{0, 1, 2, 3}));
    EXPECT_EQ(arrows(proxy), QString());
    proxy.headerClicked(0);
    EXPECT_EQ(columnTexts(proxy, 0), QStringLiteral(" |bravo|Mega|Zelda"));
    EXPECT_EQ(arrows(proxy), QStringLiteral("0Up"));
    proxy.headerClicked(0);
    EXPECT_EQ(columnTexts(proxy, 0), QStringLiteral("Zelda|Mega|bravo| "));
    EXPECT_EQ(arrows(proxy), QStringLiteral("0Down"));
    proxy.headerClicked(3);
    EXPECT_EQ(arrows(proxy), QStringLiteral("3Up"));
    EXPECT_EQ(proxy.displayedOrder(), (std::vector<std::size_t>{2, 1, 0, 3}));
}

// Changes, removals and restores move only their row, without a reset that would lose the
// selection, and the sort stays for them and for later fills.
TEST_F(RomList, SortStaysForChangesRemovalsRestoresAndLaterFills)
{
    proxy.headerClicked(0);
    QSignalSpy inserted(&model, &QAbstractItemModel::rowsInserted);
    QSignalSpy reset(&model, &QAbstractItemModel::modelReset);
    doc.EntryTable[0].Name = "Aardvark";
    model.entryChanged(0);
    EXPECT_EQ(columnTexts(proxy, 0), QStringLiteral(" |Aardvark|bravo|Mega"));

    doc.EntryTable[1].Removed = true;
    model.entryRemoved(1);
    EXPECT_EQ(columnTexts(proxy, 0), QStringLiteral("Aardvark|bravo|Mega"));
    EXPECT_EQ(model.entryIndex(1), 2u);
    EXPECT_EQ(model.rowOf(1), std::nullopt);
    doc.EntryTable[1].Removed = false;
    model.entryRestored(1);
    model.entryRestored(1);
    EXPECT_EQ(inserted.count(), 1);
    EXPECT_EQ(model.entryIndex(1), 1u);
    EXPECT_EQ(proxy.rowOf(1), std::optional<int>(0));
    EXPECT_EQ(reset.count(), 0);

    doc.EntryTable.push_back(entry("Alpha", "DD-44"));
    model.reset();
    EXPECT_EQ(columnTexts(proxy, 0), QStringLiteral(" |Aardvark|Alpha|bravo|Mega"));
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
