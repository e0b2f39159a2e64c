#include "AppHarness.h"
#include "app/RomListModel.h"
#include "app/RomSortProxy.h"
#include "ui/ImagelistSmall.h"

#include <QSignalSpy>

#include <gtest/gtest.h>

namespace {

RomEntry entry(const std::string &name, const std::string &crc, std::int16_t ucode = 5)
{
    RomEntry e;
    e.Name = name;
    e.CRC = crc;
    e.UCode = ucode;
    return e;
}

// "Up", "Down", "" for none, "other" for a picture that is neither.
QString headerPicture(const QAbstractItemModel &model, int section)
{
    const QIcon icon = model.headerData(section, Qt::Horizontal, Qt::DecorationRole).value<QIcon>();
    if (icon.isNull())
        return {};
    for (const char *key : {"Up", "Down"})
        if (icon.pixmap(16, 16).toImage() == ImagelistSmall::picture(QLatin1String(key)).toImage())
            return QLatin1String(key);
    return QStringLiteral("other");
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

TEST_F(RomList, ShowsEveryCellTextAndTheCountryPicture)
{
    QStringList headers;
    for (int column = 0; column < RomListModel::ColumnCount; ++column)
        headers.append(model.headerData(column, Qt::Horizontal).toString());
    EXPECT_EQ(headers.join(QLatin1Char('|')), QStringLiteral("Name|CRC|Country|UCode|Comments|Info|Extra Settings"));
    // An empty text shows as one space.
    EXPECT_EQ(columnTexts(model, 0), QStringLiteral("Zelda| |Mega|bravo"));
    EXPECT_EQ(columnTexts(model, 1), QStringLiteral("AA-45|BB-4a|CC-50| "));
    EXPECT_EQ(columnTexts(model, 2), QStringLiteral("E (USA)|J (Japan)|P (Europe)|???"));
    EXPECT_EQ(columnTexts(model, 3), QStringLiteral("5 (Default UCode)|10 ()|0 (Super Mario 64)|7 (?\?\?)"));
    EXPECT_EQ(model.index(1, 4).data().toString(), QStringLiteral("Playable"));
    EXPECT_EQ(model.index(0, 6).data().toString(), QStringLiteral("Default"));
    EXPECT_EQ(model.index(2, 6).data().toString(), QStringLiteral("DisableEeprom,Eeprom=4096"));
    const QIcon japan = model.index(1, 0).data(Qt::DecorationRole).value<QIcon>();
    EXPECT_EQ(japan.pixmap(16, 16).toImage(), ImagelistSmall::picture(QStringLiteral("Jap")).toImage());
    EXPECT_FALSE(model.index(1, 1).data(Qt::DecorationRole).isValid());
}

TEST_F(RomList, TableOrderUntilTheFirstClickThenEveryClickFlips)
{
    EXPECT_FALSE(proxy.sorting());
    EXPECT_EQ(proxy.displayedOrder(), (std::vector<std::size_t>{0, 1, 2, 3}));
    for (int column = 0; column < RomListModel::ColumnCount; ++column)
        EXPECT_EQ(headerPicture(proxy, column), QString());

    proxy.headerClicked(0);
    EXPECT_EQ(columnTexts(proxy, 0), QStringLiteral(" |bravo|Mega|Zelda"));
    EXPECT_EQ(headerPicture(proxy, 0), QStringLiteral("Up"));

    proxy.headerClicked(0);
    EXPECT_EQ(columnTexts(proxy, 0), QStringLiteral("Zelda|Mega|bravo| "));
    EXPECT_EQ(headerPicture(proxy, 0), QStringLiteral("Down"));

    // Another column takes the other direction, and the first header loses its picture.
    proxy.headerClicked(3);
    EXPECT_EQ(headerPicture(proxy, 0), QString());
    EXPECT_EQ(headerPicture(proxy, 3), QStringLiteral("Up"));
    // Text order: "10 ()" comes before "5 (...)".
    EXPECT_EQ(columnTexts(proxy, 3), QStringLiteral("0 (Super Mario 64)|10 ()|5 (Default UCode)|7 (?\?\?)"));
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

// A click sorts stably: rows of equal text keep the order the list showed them in, as the
// order of the previous click; a refill starts again from table order.
TEST(RomSortOrder, EqualTextsKeepTheOrderTheyWereShownIn)
{
    IniDocument doc;
    doc.EntryTable = {entry("Delta", "AA-45"), entry("alpha", "BB-50"), entry("Charlie", "CC-45"),
                      entry("bravo", "DD-50")};
    RomListModel model(doc);
    model.reset();
    RomSortProxy proxy(model);

    proxy.headerClicked(static_cast<int>(RomListModel::Column::Name));    // alpha, bravo, Charlie, Delta
    proxy.headerClicked(static_cast<int>(RomListModel::Column::Country)); // descending: P before E, names kept
    EXPECT_EQ(proxy.displayedOrder(), (std::vector<std::size_t>{1, 3, 2, 0}));

    model.reset();
    EXPECT_EQ(proxy.displayedOrder(), (std::vector<std::size_t>{1, 3, 0, 2}));

    // A changed row that still sorts among its equals stays where it is.
    doc.EntryTable[0].Name = "Echo";
    model.entryChanged(0);
    EXPECT_EQ(proxy.displayedOrder(), (std::vector<std::size_t>{1, 3, 0, 2}));
}
