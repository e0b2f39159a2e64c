#include "AppHarness.h"
#include "app/RomListModel.h"
#include "app/RomSortProxy.h"
#include "ui/ImagelistSmall.h"

#include <QHeaderView>
#include <QSignalSpy>
#include <QTest>
#include <QTreeView>

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

QStringList texts(const QAbstractItemModel &model, int column)
{
    QStringList result;
    for (int row = 0; row < model.rowCount(); ++row)
        result.append(model.index(row, column).data().toString());
    return result;
}

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
    EXPECT_EQ(model.rowCount(), 4);
    EXPECT_EQ(texts(model, 0), (QStringList{QStringLiteral("Zelda"), QStringLiteral(" "), QStringLiteral("Mega"),
                                             QStringLiteral("bravo")}));
    EXPECT_EQ(texts(model, 1).last(), QStringLiteral(" "));
    EXPECT_EQ(texts(model, 2), (QStringList{QStringLiteral("E (USA)"), QStringLiteral("J (Japan)"),
                                             QStringLiteral("P (Europe)"), QStringLiteral("???")}));
    EXPECT_EQ(texts(model, 3), (QStringList{QStringLiteral("5 (Default UCode)"), QStringLiteral("10 ()"),
                                             QStringLiteral("0 (Super Mario 64)"), QStringLiteral("7 (???)")}));
    EXPECT_EQ(texts(model, 4)[1], QStringLiteral("Playable"));
    EXPECT_EQ(texts(model, 6)[2], QStringLiteral("DisableEeprom,Eeprom=4096"));
    EXPECT_EQ(texts(model, 6)[0], QStringLiteral("Default"));
    const QIcon japan = model.index(1, 0).data(Qt::DecorationRole).value<QIcon>();
    EXPECT_EQ(japan.pixmap(16, 16).toImage(), ImagelistSmall::picture(QStringLiteral("Jap")).toImage());
    EXPECT_FALSE(model.index(1, 1).data(Qt::DecorationRole).isValid());
}

TEST_F(RomList, HeaderCaptionsAndDesignWidths)
{
    const QStringList captions{QStringLiteral("Name"), QStringLiteral("CRC"), QStringLiteral("Country"),
                               QStringLiteral("UCode"), QStringLiteral("Comments"), QStringLiteral("Info"),
                               QStringLiteral("Extra Settings")};
    const std::array<int, 7> widths{200, 147, 96, 96, 100, 150, 200};
    for (int column = 0; column < RomListModel::ColumnCount; ++column) {
        EXPECT_EQ(model.headerData(column, Qt::Horizontal).toString(), captions[column]);
        EXPECT_EQ(RomListModel::designWidth(static_cast<RomListModel::Column>(column)), widths[column]);
    }
}

TEST_F(RomList, RemovedEntriesHaveNoRowAndEveryRowKnowsItsEntry)
{
    doc.EntryTable[1].Removed = true;
    model.reset();
    ASSERT_EQ(model.rowCount(), 3);
    EXPECT_EQ(model.entryIndex(1), 2u);
    EXPECT_EQ(model.rowOf(1), std::nullopt);
    EXPECT_EQ(model.rowOf(3), std::optional<int>(2));
}

TEST_F(RomList, ChangeRemovalAndRestoreTouchOnlyTheirRow)
{
    QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);
    QSignalSpy removed(&model, &QAbstractItemModel::rowsRemoved);
    QSignalSpy inserted(&model, &QAbstractItemModel::rowsInserted);
    QSignalSpy reset(&model, &QAbstractItemModel::modelReset);

    doc.EntryTable[2].Name = "Mega Kart";
    model.entryChanged(2);
    ASSERT_EQ(changed.count(), 1);
    EXPECT_EQ(changed[0][0].toModelIndex().row(), 2);
    EXPECT_EQ(model.index(2, 0).data().toString(), QStringLiteral("Mega Kart"));

    doc.EntryTable[1].Removed = true;
    model.entryRemoved(1);
    ASSERT_EQ(removed.count(), 1);
    EXPECT_EQ(removed[0][1].toInt(), 1);
    EXPECT_EQ(model.rowCount(), 3);

    doc.EntryTable[1].Removed = false;
    model.entryRestored(1);
    model.entryRestored(1);
    ASSERT_EQ(inserted.count(), 1);
    EXPECT_EQ(inserted[0][1].toInt(), 1);
    EXPECT_EQ(model.entryIndex(1), 1u);
    EXPECT_EQ(reset.count(), 0);
}

TEST_F(RomList, TableOrderUntilTheFirstClickThenEveryClickFlips)
{
    EXPECT_FALSE(proxy.sorting());
    EXPECT_EQ(proxy.displayedOrder(), (std::vector<std::size_t>{0, 1, 2, 3}));
    for (int column = 0; column < RomListModel::ColumnCount; ++column)
        EXPECT_EQ(headerPicture(proxy, column), QString());

    proxy.headerClicked(0);
    EXPECT_EQ(texts(proxy, 0), (QStringList{QStringLiteral(" "), QStringLiteral("bravo"), QStringLiteral("Mega"),
                                             QStringLiteral("Zelda")}));
    EXPECT_EQ(headerPicture(proxy, 0), QStringLiteral("Up"));

    proxy.headerClicked(0);
    EXPECT_EQ(texts(proxy, 0).first(), QStringLiteral("Zelda"));
    EXPECT_EQ(headerPicture(proxy, 0), QStringLiteral("Down"));

    // Another column takes the other direction, and the first header loses its picture.
    proxy.headerClicked(3);
    EXPECT_EQ(headerPicture(proxy, 0), QString());
    EXPECT_EQ(headerPicture(proxy, 3), QStringLiteral("Up"));
    // Text order: "10 ()" comes before "5 (...)".
    EXPECT_EQ(texts(proxy, 3), (QStringList{QStringLiteral("0 (Super Mario 64)"), QStringLiteral("10 ()"),
                                             QStringLiteral("5 (Default UCode)"), QStringLiteral("7 (???)")}));
    EXPECT_EQ(proxy.displayedOrder(), (std::vector<std::size_t>{2, 1, 0, 3}));
}

TEST_F(RomList, SortStaysForLaterFillsChangesAndRestores)
{
    proxy.headerClicked(0);
    doc.EntryTable.push_back(entry("Alpha", "DD-44"));
    model.reset();
    EXPECT_EQ(texts(proxy, 0), (QStringList{QStringLiteral(" "), QStringLiteral("Alpha"), QStringLiteral("bravo"),
                                             QStringLiteral("Mega"), QStringLiteral("Zelda")}));
    doc.EntryTable[0].Name = "Aardvark";
    model.entryChanged(0);
    EXPECT_EQ(texts(proxy, 0)[1], QStringLiteral("Aardvark"));
    doc.EntryTable[2].Removed = true;
    model.entryRemoved(2);
    doc.EntryTable[2].Removed = false;
    model.entryRestored(2);
    EXPECT_EQ(proxy.rowOf(2), std::optional<int>(4));
}

TEST_F(RomList, ClickingTheHeaderOfTheViewSorts)
{
    QTreeView view;
    view.setModel(&proxy);
    QObject::connect(view.header(), &QHeaderView::sectionClicked, &proxy, &RomSortProxy::headerClicked);
    view.header()->setSectionsClickable(true);
    view.resize(800, 300);
    view.show();
    QTest::mouseClick(view.header()->viewport(), Qt::LeftButton, {},
                      QPoint(view.header()->sectionViewportPosition(1) + 5, 5));
    EXPECT_EQ(proxy.sortColumn(), 1);
    EXPECT_EQ(texts(proxy, 1).first(), QStringLiteral(" "));
}
