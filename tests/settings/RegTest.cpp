#include "StoreFixture.h"

#include <tuple>

namespace {

const std::string Key = "Software\\Tamsic Test";
const std::string Breaks = "\r\n\r\n";

// The store exists only after SetUp, so the Reg over it is made on first use.
class RegOverStore : public StoreTest {
protected:
    Reg &reg()
    {
        if (!m_reg)
            m_reg = std::make_unique<Reg>(*m_store);
        return *m_reg;
    }

    std::unique_ptr<Reg> m_reg;
};

TEST_P(RegOverStore, ErrorExistIsReportedOnceAndTheRecordStays)
{
    EXPECT_FALSE(reg().ErrorExist());
    EXPECT_EQ(reg().Query_Value(HKEY_LOCAL_MACHINE, Key, "Missing", "dflt"),
              RegQueryResult(std::string("dflt")));
    EXPECT_TRUE(reg().ErrorExist());
    EXPECT_FALSE(reg().ErrorExist());

    ASSERT_TRUE(reg().Set_Value(HKEY_LOCAL_MACHINE, Key, "Name", "x", RegType::Text));
    EXPECT_FALSE(reg().ErrorExist());
    EXPECT_EQ(reg().ErrorNumber(), 20000);
    EXPECT_EQ(reg().ErrorSource(), "Reg.Query_Value");
    EXPECT_EQ(reg().ErrorDescription(), "The registry key specified is invalid.");
}

TEST_P(RegOverStore, EachFailureRaisesTheEventOnceAndTheHandlerCanChangeTheRecord)
{
    int raised = 0;
    reg().ErrorOccurred = [&](std::int32_t &number, std::string &source, std::string &description) {
        ++raised;
        EXPECT_EQ(number, 2);
        EXPECT_EQ(source, "Reg.Delete_Key" + Breaks);
        EXPECT_EQ(description, "The key specified is invalid or cannot be found.");
        description = "handled";
    };
    EXPECT_FALSE(reg().Delete_Key(HKEY_LOCAL_MACHINE, Key));
    EXPECT_EQ(raised, 1);
    EXPECT_EQ(reg().ErrorDescription(), "handled");
}

TEST_P(RegOverStore, MissingValueGivesTheDefaultAndRecordsNotFound)
{
    ASSERT_TRUE(reg().Set_Key(HKEY_LOCAL_MACHINE, Key));
    EXPECT_EQ(reg().Query_Value(HKEY_LOCAL_MACHINE, Key, "Missing", "dflt"),
              RegQueryResult(std::string("dflt")));
    EXPECT_EQ(reg().ErrorNumber(), 2);
    EXPECT_EQ(reg().ErrorSource(), "Reg.Query_Value" + Breaks);
    EXPECT_EQ(reg().ErrorDescription(), "The key specified is invalid or cannot be found.");
    EXPECT_EQ(reg().Query_Value(HKEY_LOCAL_MACHINE, "Software\\Nowhere", "Missing"),
              RegQueryResult(std::string()));
}

TEST_P(RegOverStore, TextsOfAnyLengthComeBackWhole)
{
    for (const std::size_t length : {0, 1, 254, 255, 256, 1000, 70000}) {
        std::string text(length, 'p');
        for (std::size_t i = 0; i < length; i += 7)
            text[i] = static_cast<char>('a' + i % 26);
        ASSERT_TRUE(reg().Set_Value(HKEY_LOCAL_MACHINE, Key, "Long", text, RegType::Text));
        EXPECT_EQ(reg().Query_Value(HKEY_LOCAL_MACHINE, Key, "Long", "dflt"), RegQueryResult(text))
            << "length " << length;
    }
    EXPECT_FALSE(reg().ErrorExist());
}

TEST_P(RegOverStore, ValueOfLengthZeroReadsAsEmpty)
{
    HKEY key = 0;
    ASSERT_EQ(m_store->createKey(HKEY_LOCAL_MACHINE, Key, RegAccess::AllUsed, key), 0);
    ASSERT_EQ(m_store->setValue(key, "Empty", {RegType::Text, ""}), 0);
    m_store->closeKey(key);
    EXPECT_EQ(reg().Query_Value(HKEY_LOCAL_MACHINE, Key, "Empty", "dflt"),
              RegQueryResult(std::string()));
}

TEST_P(RegOverStore, SetValueCreatesTheMissingKeysOnItsPath)
{
    ASSERT_FALSE(reg().Query_Key(HKEY_LOCAL_MACHINE, "Software"));
    EXPECT_TRUE(reg().Set_Value(HKEY_LOCAL_MACHINE, Key + "\\Inner", "Name", "abc", RegType::Text));
    EXPECT_TRUE(reg().Query_Key(HKEY_LOCAL_MACHINE, Key));
    EXPECT_EQ(reg().EnumKeys(HKEY_LOCAL_MACHINE, "Software"),
              std::vector<std::string>{"Tamsic Test"});
    EXPECT_EQ(StoredValue(*m_store, Key + "\\Inner", "Name"),
              (RegValue{RegType::Text, std::string("abc\0", 4)}));
    EXPECT_FALSE(reg().ErrorExist());
}

TEST_P(RegOverStore, EnumKeysListsDirectSubKeysInNameOrder)
{
    ASSERT_TRUE(reg().Set_Key(HKEY_LOCAL_MACHINE, Key));
    EXPECT_TRUE(reg().EnumKeys(HKEY_LOCAL_MACHINE, Key).empty());
    EXPECT_FALSE(reg().ErrorExist());
    for (const char *name : {"b", "a\\deeper", "c"})
        ASSERT_TRUE(reg().Set_Key(HKEY_LOCAL_MACHINE, Key + "\\" + name));
    EXPECT_EQ(reg().EnumKeys(HKEY_LOCAL_MACHINE, Key), (std::vector<std::string>{"a", "b", "c"}));

    EXPECT_EQ(reg().EnumKeys(HKEY_LOCAL_MACHINE, "Software\\Nowhere"), std::vector<std::string>{""});
    EXPECT_EQ(reg().ErrorNumber(), 20000);
    EXPECT_EQ(reg().ErrorSource(), "Reg.EnumKeys");
}

TEST_P(RegOverStore, DeleteKeyTakesOnlyAKeyWithoutSubKeys)
{
    ASSERT_TRUE(reg().Set_Value(HKEY_LOCAL_MACHINE, Key + "\\Leaf", "Name", "x", RegType::Text));
    EXPECT_FALSE(reg().Delete_Key(HKEY_LOCAL_MACHINE, Key));
    EXPECT_EQ(reg().ErrorNumber(), 5);
    EXPECT_EQ(reg().ErrorDescription(), "Cannot write to specified key.");
    EXPECT_TRUE(reg().Query_Key(HKEY_LOCAL_MACHINE, Key + "\\Leaf"));

    EXPECT_TRUE(reg().Delete_Key(HKEY_LOCAL_MACHINE, Key + "\\Leaf"));
    EXPECT_FALSE(reg().Query_Key(HKEY_LOCAL_MACHINE, Key + "\\Leaf"));
    // A key made again under the old name starts without the old values.
    ASSERT_TRUE(reg().Set_Key(HKEY_LOCAL_MACHINE, Key + "\\Leaf"));
    EXPECT_EQ(StoredValue(*m_store, Key + "\\Leaf", "Name"), std::nullopt);
}

TEST_P(RegOverStore, DeleteValueRemovesOnlyThatValue)
{
    ASSERT_TRUE(reg().Set_Value(HKEY_LOCAL_MACHINE, Key, "Gone", "1", RegType::Text));
    ASSERT_TRUE(reg().Set_Value(HKEY_LOCAL_MACHINE, Key, "Kept", "2", RegType::Text));
    EXPECT_TRUE(reg().Delete_Value(HKEY_LOCAL_MACHINE, Key, "Gone"));
    EXPECT_EQ(StoredValue(*m_store, Key, "Gone"), std::nullopt);
    EXPECT_EQ(StoredText(*m_store, Key, "Kept"), "2");

    EXPECT_FALSE(reg().Delete_Value(HKEY_LOCAL_MACHINE, Key, "Gone"));
    EXPECT_EQ(reg().ErrorNumber(), 2);
    EXPECT_EQ(reg().ErrorSource(), "Reg.Delete_Value" + Breaks);
    EXPECT_FALSE(reg().Delete_Value(HKEY_LOCAL_MACHINE, "Software\\Nowhere", "Gone"));
    EXPECT_EQ(reg().ErrorNumber(), 2);
}

TEST_P(RegOverStore, AValueAndASubKeyOfTheSameNameAreIndependent)
{
    ASSERT_TRUE(reg().Set_Value(HKEY_LOCAL_MACHINE, Key, "Twin", "value", RegType::Text));
    ASSERT_TRUE(reg().Set_Value(HKEY_LOCAL_MACHINE, Key + "\\Twin", "Inner", "sub", RegType::Text));
    ASSERT_TRUE(reg().Delete_Value(HKEY_LOCAL_MACHINE, Key, "Twin"));
    EXPECT_EQ(StoredText(*m_store, Key + "\\Twin", "Inner"), "sub");

    ASSERT_TRUE(reg().Set_Value(HKEY_LOCAL_MACHINE, Key, "Twin", "value", RegType::Text));
    ASSERT_TRUE(reg().Delete_Key(HKEY_LOCAL_MACHINE, Key + "\\Twin"));
    EXPECT_EQ(StoredText(*m_store, Key, "Twin"), "value");
}

TEST_P(RegOverStore, NamesAndBytesOfAnyKindRoundTrip)
{
    std::string allBytes;
    for (int byte = 0; byte < 256; ++byte)
        allBytes += static_cast<char>(byte);
    const std::string oddKey = "Software\\a/b %25 .dot \xC3\xA9";
    for (const std::string name : {"", ".x", "a/b", "%", "%25", "\\", "x=y;z", "\xFF"}) {
        ASSERT_TRUE(reg().Set_Value(HKEY_LOCAL_MACHINE, oddKey, name, allBytes, RegType::Binary));
        EXPECT_EQ(StoredValue(*m_store, oddKey, name), (RegValue{RegType::Binary, allBytes + '\0'}))
            << "name " << name;
    }
    EXPECT_EQ(reg().EnumKeys(HKEY_LOCAL_MACHINE, "Software"),
              std::vector<std::string>{"a/b %25 .dot \xC3\xA9"});
}

INSTANTIATE_TEST_SUITE_P(BothStores, RegOverStore,
                         ::testing::Values(StoreKind::Memory, StoreKind::File), StoreKindName);

struct WriteCase {
    std::int32_t type;
    std::string setting;
    std::optional<RegValue> stored; // nullopt: nothing written
};

void PrintTo(const WriteCase &write, std::ostream *out)
{
    *out << "type " << write.type << " " << write.setting;
}

class SetValueTypes : public ::testing::TestWithParam<std::tuple<StoreKind, WriteCase>> {};

TEST_P(SetValueTypes, WritesTheBytesOfItsType)
{
    QTemporaryDir folder;
    const auto store = MakeStore(std::get<0>(GetParam()), folder);
    const WriteCase &write = std::get<1>(GetParam());
    Reg reg(*store);
    EXPECT_TRUE(reg.Set_Value(HKEY_LOCAL_MACHINE, Key, "V", write.setting, write.type));
    EXPECT_EQ(StoredValue(*store, Key, "V"), write.stored);
    EXPECT_FALSE(reg.ErrorExist());
}

INSTANTIATE_TEST_SUITE_P(
    Types, SetValueTypes,
    ::testing::Combine(::testing::Values(StoreKind::Memory, StoreKind::File),
                       ::testing::Values(
                           WriteCase{1, "abc", RegValue{1, std::string("abc\0", 4)}},
                           WriteCase{0, "abc", RegValue{0, std::string("abc\0", 4)}},
                           WriteCase{3, "abc", RegValue{3, std::string("abc\0", 4)}},
                           WriteCase{4, "258", RegValue{4, std::string("\x02\x01\0\0", 4)}},
                           WriteCase{4, "-2", RegValue{4, "\xFE\xFF\xFF\xFF"}},
                           WriteCase{4, "2.5", RegValue{4, std::string("\x02\0\0\0", 4)}},
                           WriteCase{2, "abc", std::nullopt},
                           WriteCase{7, "abc", std::nullopt})));

struct QueryCase {
    std::string stored;
    std::int32_t resultType;
    RegQueryResult expected;
};

void PrintTo(const QueryCase &query, std::ostream *out)
{
    *out << "'" << query.stored << "' as " << query.resultType;
}

class QueryResultTypes : public ::testing::TestWithParam<std::tuple<StoreKind, QueryCase>> {};

TEST_P(QueryResultTypes, PostProcessesTheText)
{
    QTemporaryDir folder;
    const auto store = MakeStore(std::get<0>(GetParam()), folder);
    const QueryCase &query = std::get<1>(GetParam());
    Reg reg(*store);
    ASSERT_TRUE(reg.Set_Value(HKEY_LOCAL_MACHINE, Key, "V", query.stored, RegType::Text));
    EXPECT_EQ(reg.Query_Value(HKEY_LOCAL_MACHINE, Key, "V", "", query.resultType), query.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Conversions, QueryResultTypes,
    ::testing::Combine(::testing::Values(StoreKind::Memory, StoreKind::File),
                       ::testing::Values(QueryCase{"TrUe", 1, std::string("TrUe")},
                                         QueryCase{"yes", 1, std::string("FALSE")},
                                         QueryCase{"", 1, std::string("FALSE")},
                                         QueryCase{"12", 2, std::string("12")},
                                         QueryCase{" -1.5e3 ", 2, std::string(" -1.5e3 ")},
                                         QueryCase{"abc", 2, std::int32_t{0}},
                                         QueryCase{"", 2, std::int32_t{0}},
                                         QueryCase{"12abc", 2, std::int32_t{0}},
                                         QueryCase{"yes", 0, std::string("yes")})));

// A conversion that fails inside Set_Value is caught, recorded with the call, and
// nothing is written.
TEST(RegMethodFailure, UnconvertibleNumberIsRecordedWithTheCall)
{
    MemoryRegistryStore store;
    Reg reg(store);
    EXPECT_FALSE(reg.Set_Value(HKEY_LOCAL_MACHINE, Key, "V", "abc", RegType::Dword));
    EXPECT_EQ(reg.ErrorNumber(), 13);
    EXPECT_EQ(reg.ErrorSource(), "Reg.Set_Value (" + Key + ",V,abc)" + Breaks + "Tamsic");
    EXPECT_EQ(reg.ErrorDescription(), "Type mismatch");
    EXPECT_FALSE(reg.Set_Value(HKEY_LOCAL_MACHINE, Key, "V", "3000000000", RegType::Dword));
    EXPECT_EQ(reg.ErrorNumber(), 6);
    EXPECT_EQ(StoredValue(store, Key, "V"), std::nullopt);
    // The key opened for the write was closed again: it can be deleted.
    EXPECT_TRUE(reg.Delete_Key(HKEY_LOCAL_MACHINE, Key));
}

struct RefusalCase {
    RegStatus status;
    std::string description;
};

void PrintTo(const RefusalCase &refusal, std::ostream *out)
{
    *out << "status " << refusal.status;
}

class RegStatusTexts : public ::testing::TestWithParam<RefusalCase> {};

TEST_P(RegStatusTexts, ARefusedWriteIsDescribedByTheTable)
{
    MemoryRegistryStore store;
    Reg reg(store);
    ASSERT_TRUE(reg.Set_Key(HKEY_LOCAL_MACHINE, Key));
    store.refuseWrites(GetParam().status);
    EXPECT_FALSE(reg.Set_Value(HKEY_LOCAL_MACHINE, Key, "V", "x", RegType::Text));
    EXPECT_EQ(reg.ErrorNumber(), GetParam().status);
    EXPECT_EQ(reg.ErrorSource(), "Reg.Set_Value" + Breaks);
    EXPECT_EQ(reg.ErrorDescription(), GetParam().description);
}

INSTANTIATE_TEST_SUITE_P(
    Table, RegStatusTexts,
    ::testing::Values(RefusalCase{1, "Error with database."},
                      RefusalCase{5, "Cannot write to specified key."},
                      RefusalCase{8, "Access was denied."},
                      RefusalCase{87, "The parameters specified is invalid."},
                      RefusalCase{259, "There are no more items to return."},
                      RefusalCase{1009, "Error performing task on the Registry."},
                      RefusalCase{-1, "Error performing task on the Registry."}));

TEST(RegSetValue, AKeyThatCannotBeCreatedIsRecordedAsStatusZero)
{
    MemoryRegistryStore store;
    store.refuseWrites(5);
    Reg reg(store);
    std::vector<std::int32_t> numbers;
    reg.ErrorOccurred = [&](std::int32_t &number, std::string &, std::string &) {
        numbers.push_back(number);
    };
    EXPECT_FALSE(reg.Set_Value(HKEY_LOCAL_MACHINE, Key, "V", "x", RegType::Text));
    EXPECT_EQ(numbers, (std::vector<std::int32_t>{5, 0}));
    EXPECT_EQ(reg.ErrorSource(), "Reg.Set_Value" + Breaks);
    EXPECT_EQ(reg.ErrorDescription(), "Error performing task on the Registry.");
    EXPECT_FALSE(reg.Query_Key(HKEY_LOCAL_MACHINE, Key));
}

} // namespace
