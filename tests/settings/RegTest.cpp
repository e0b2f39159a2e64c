#include "StoreFixture.h"

#include <functional>
#include <tuple>

namespace {

const std::string Key = "Software\\Tamsic Test";
const std::string Breaks = "\r\n\r\n";
const std::string NotFound = "The key specified is invalid or cannot be found.";

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

TEST_P(RegOverStore, TextsOfAnyLengthComeBackWhole)
{
    for (const std::size_t length : {0, 254, 255, 256, 70000}) {
        std::string text(length, 'p');
        for (std::size_t i = 0; i < length; i += 7)
            text[i] = static_cast<char>('a' + i % 26);
        ASSERT_TRUE(reg().Set_Value(HKEY_LOCAL_MACHINE, Key, "Long", text, RegType::Text));
        EXPECT_EQ(reg().Query_Value(HKEY_LOCAL_MACHINE, Key, "Long", "dflt"), RegQueryResult(text))
            << "length " << length;
    }
    // A value without even its closing zero reads as empty too.
    HKEY key = 0;
    ASSERT_EQ(m_store->createKey(HKEY_LOCAL_MACHINE, Key, RegAccess::AllUsed, key), 0);
    ASSERT_EQ(m_store->setValue(key, "Empty", {RegType::Text, ""}), 0);
    m_store->closeKey(key);
    EXPECT_EQ(StoredText(*m_store, Key, "Empty"), "");
    EXPECT_FALSE(reg().ErrorExist());
}

TEST_P(RegOverStore, SetValueCreatesTheMissingKeysAndEnumKeysListsThemInNameOrder)
{
    ASSERT_FALSE(reg().Query_Key(HKEY_LOCAL_MACHINE, "Software"));
    for (const char *name : {"b", "a\\deeper", "c"})
        ASSERT_TRUE(reg().Set_Value(HKEY_LOCAL_MACHINE, Key + "\\" + name, "Name", "abc", RegType::Text));
    EXPECT_EQ(reg().EnumKeys(HKEY_LOCAL_MACHINE, Key), (std::vector<std::string>{"a", "b", "c"}));
    EXPECT_EQ(reg().EnumKeys(HKEY_LOCAL_MACHINE, "Software"), std::vector<std::string>{"Tamsic Test"});
    EXPECT_TRUE(reg().EnumKeys(HKEY_LOCAL_MACHINE, Key + "\\c").empty());
    EXPECT_EQ(StoredValue(*m_store, Key + "\\a\\deeper", "Name"),
              (RegValue{RegType::Text, std::string("abc\0", 4)}));
    EXPECT_FALSE(reg().ErrorExist());
}

// A value and a sub-key may share a name; deleting one leaves the other and its neighbours.
TEST_P(RegOverStore, DeletingRemovesOnlyWhatWasNamed)
{
    ASSERT_TRUE(reg().Set_Value(HKEY_LOCAL_MACHINE, Key, "Twin", "value", RegType::Text));
    ASSERT_TRUE(reg().Set_Value(HKEY_LOCAL_MACHINE, Key, "Kept", "2", RegType::Text));
    ASSERT_TRUE(reg().Set_Value(HKEY_LOCAL_MACHINE, Key + "\\Twin", "Inner", "sub", RegType::Text));
    EXPECT_TRUE(reg().Delete_Value(HKEY_LOCAL_MACHINE, Key, "Twin"));
    EXPECT_EQ(StoredValue(*m_store, Key, "Twin"), std::nullopt);
    EXPECT_EQ(StoredText(*m_store, Key, "Kept"), "2");
    EXPECT_EQ(StoredText(*m_store, Key + "\\Twin", "Inner"), "sub");

    ASSERT_TRUE(reg().Set_Value(HKEY_LOCAL_MACHINE, Key, "Twin", "value", RegType::Text));
    EXPECT_TRUE(reg().Delete_Key(HKEY_LOCAL_MACHINE, Key + "\\Twin"));
    EXPECT_EQ(StoredText(*m_store, Key, "Twin"), "value");
    // A key made again under the old name starts without the old values.
    ASSERT_TRUE(reg().Set_Key(HKEY_LOCAL_MACHINE, Key + "\\Twin"));
    EXPECT_EQ(StoredValue(*m_store, Key + "\\Twin", "Inner"), std::nullopt);
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
    // Text that is no UTF-8, or holds what the file's format quotes or escapes.
    for (const std::string text : {"jos\xE9", "\t\x01\"q\" ;c #d\\", " @x ", "a, b"}) {
        ASSERT_TRUE(reg().Set_Value(HKEY_LOCAL_MACHINE, oddKey, "Text", text, RegType::Text));
        EXPECT_EQ(StoredValue(*m_store, oddKey, "Text"), (RegValue{RegType::Text, text + '\0'}));
    }
}

INSTANTIATE_TEST_SUITE_P(BothStores, RegOverStore,
                         ::testing::Values(StoreKind::Memory, StoreKind::File), StoreKindName);

using ErrorRecord = std::tuple<std::int32_t, std::string, std::string>;

struct FailureCase {
    const char *name;
    // Makes the call fail; true when it gave what a failed call should give.
    std::function<bool(Reg &)> failSafely;
    ErrorRecord record;
};

void PrintTo(const FailureCase &failure, std::ostream *out)
{
    *out << failure.name;
}

class RegFailures : public ::testing::TestWithParam<std::tuple<StoreKind, FailureCase>> {};

// Each failure is recorded, raises the event once (whose handler may change the record), and
// ErrorExist tells of it once.
TEST_P(RegFailures, AreRecordedAndReportedOnce)
{
    QTemporaryDir folder;
    const auto store = MakeStore(std::get<0>(GetParam()), folder);
    const FailureCase &failure = std::get<1>(GetParam());
    Reg reg(*store);
    std::vector<ErrorRecord> raised;
    reg.ErrorOccurred = [&](std::int32_t &number, std::string &source, std::string &description) {
        raised.emplace_back(number, source, description);
        description += " (handled)";
    };
    EXPECT_TRUE(failure.failSafely(reg));
    EXPECT_EQ(raised, std::vector<ErrorRecord>{failure.record});
    EXPECT_EQ(ErrorRecord(reg.ErrorNumber(), reg.ErrorSource(), reg.ErrorDescription()),
              ErrorRecord(std::get<0>(failure.record), std::get<1>(failure.record),
                          std::get<2>(failure.record) + " (handled)"));
    EXPECT_TRUE(reg.ErrorExist());
    EXPECT_FALSE(reg.ErrorExist());
}

const FailureCase Failures[] = {
    {"QueryValueOfAMissingKey",
     [](Reg &reg) {
         return reg.Query_Value(HKEY_LOCAL_MACHINE, Key, "V", "dflt") == RegQueryResult(std::string("dflt"));
     },
     {20000, "Reg.Query_Value", "The registry key specified is invalid."}},
    {"QueryValueOfAMissingValue",
     [](Reg &reg) {
         return reg.Set_Key(HKEY_LOCAL_MACHINE, Key)
                && reg.Query_Value(HKEY_LOCAL_MACHINE, Key, "V", "dflt") == RegQueryResult(std::string("dflt"));
     },
     {2, "Reg.Query_Value" + Breaks, NotFound}},
    {"EnumKeysOfAMissingKey",
     [](Reg &reg) { return reg.EnumKeys(HKEY_LOCAL_MACHINE, Key) == std::vector<std::string>{""}; },
     {20000, "Reg.EnumKeys", "The registry key specified is invalid."}},
    {"DeleteAMissingKey", [](Reg &reg) { return !reg.Delete_Key(HKEY_LOCAL_MACHINE, Key); },
     {2, "Reg.Delete_Key" + Breaks, NotFound}},
    {"DeleteAKeyWithSubKeys",
     [](Reg &reg) {
         return reg.Set_Key(HKEY_LOCAL_MACHINE, Key + "\\Leaf") && !reg.Delete_Key(HKEY_LOCAL_MACHINE, Key)
                && reg.Query_Key(HKEY_LOCAL_MACHINE, Key + "\\Leaf");
     },
     {5, "Reg.Delete_Key" + Breaks, "Cannot write to specified key."}},
    {"DeleteAMissingValue",
     [](Reg &reg) { return reg.Set_Key(HKEY_LOCAL_MACHINE, Key) && !reg.Delete_Value(HKEY_LOCAL_MACHINE, Key, "V"); },
     {2, "Reg.Delete_Value" + Breaks, NotFound}},
};

INSTANTIATE_TEST_SUITE_P(Calls, RegFailures,
                         ::testing::Combine(::testing::Values(StoreKind::Memory, StoreKind::File),
                                            ::testing::ValuesIn(Failures)),
                         [](const auto &info) {
                             return ::testing::PrintToString(std::get<0>(info.param)) + "_"
                                    + std::get<1>(info.param).name;
                         });

struct WriteCase {
    std::int32_t type;
    std::string setting;
    std::optional<RegValue> stored; // nullopt: nothing written
    std::int32_t error = 0;
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
    EXPECT_EQ(reg.Set_Value(HKEY_LOCAL_MACHINE, Key, "V", write.setting, write.type), write.error == 0);
    EXPECT_EQ(StoredValue(*store, Key, "V"), write.stored);
    // A failed conversion is recorded with the call; the key opened for it was closed again.
    EXPECT_EQ(reg.ErrorExist(), write.error != 0);
    if (write.error) {
        EXPECT_EQ(reg.ErrorNumber(), write.error);
        EXPECT_EQ(reg.ErrorSource(), "Reg.Set_Value (" + Key + ",V," + write.setting + ")" + Breaks + "Tamsic");
    }
    EXPECT_TRUE(reg.Delete_Key(HKEY_LOCAL_MACHINE, Key));
}

INSTANTIATE_TEST_SUITE_P(
    Types, SetValueTypes,
    ::testing::Combine(::testing::Values(StoreKind::Memory, StoreKind::File),
                       ::testing::Values(
                           WriteCase{1, "abc", RegValue{1, std::string("abc\0", 4)}},
                           WriteCase{3, "abc", RegValue{3, std::string("abc\0", 4)}},
                           WriteCase{4, "258", RegValue{4, std::string("\x02\x01\0\0", 4)}},
                           WriteCase{4, "-2", RegValue{4, "\xFE\xFF\xFF\xFF"}},
                           WriteCase{4, "2.5", RegValue{4, std::string("\x02\0\0\0", 4)}},
                           WriteCase{2, "abc", std::nullopt},
                           WriteCase{4, "abc", std::nullopt, 13},
                           WriteCase{4, "3000000000", std::nullopt, 6})));

struct QueryCase {
    std::string stored;
    std::int32_t resultType;
    RegQueryResult expected;
};

void PrintTo(const QueryCase &query, std::ostream *out)
{
    *out << "'" << query.stored << "' as " << query.resultType;
}

class QueryResultTypes : public ::testing::TestWithParam<QueryCase> {};

TEST_P(QueryResultTypes, PostProcessesTheText)
{
    MemoryRegistryStore store;
    Reg reg(store);
    ASSERT_TRUE(reg.Set_Value(HKEY_LOCAL_MACHINE, Key, "V", GetParam().stored, RegType::Text));
    EXPECT_EQ(reg.Query_Value(HKEY_LOCAL_MACHINE, Key, "V", "", GetParam().resultType), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Conversions, QueryResultTypes,
                         ::testing::Values(QueryCase{"TrUe", 1, std::string("TrUe")},
                                           QueryCase{"yes", 1, std::string("FALSE")},
                                           QueryCase{" -1.5e3 ", 2, std::string(" -1.5e3 ")},
                                           QueryCase{"12abc", 2, std::int32_t{0}},
                                           QueryCase{"yes", 0, std::string("yes")}));

struct RefusalCase {
    RegStatus status;
    bool keyExists;
    ErrorRecord record;
};

void PrintTo(const RefusalCase &refusal, std::ostream *out)
{
    *out << "status " << refusal.status << (refusal.keyExists ? " on an existing key" : " on a new key");
}

class RefusedWrites : public ::testing::TestWithParam<RefusalCase> {};

// A key that cannot be created ends in status 0, after the store's own refusal was raised.
TEST_P(RefusedWrites, AreDescribedByTheStatusTable)
{
    MemoryRegistryStore store;
    Reg reg(store);
    ASSERT_TRUE(!GetParam().keyExists || reg.Set_Key(HKEY_LOCAL_MACHINE, Key));
    store.refuseWrites(GetParam().status);
    EXPECT_FALSE(reg.Set_Value(HKEY_LOCAL_MACHINE, Key, "V", "x", RegType::Text));
    EXPECT_EQ(ErrorRecord(reg.ErrorNumber(), reg.ErrorSource(), reg.ErrorDescription()), GetParam().record);
    EXPECT_EQ(StoredValue(store, Key, "V"), std::nullopt);
}

const std::string TaskFailed = "Error performing task on the Registry.";

INSTANTIATE_TEST_SUITE_P(
    Table, RefusedWrites,
    ::testing::Values(RefusalCase{5, true, {5, "Reg.Set_Value" + Breaks, "Cannot write to specified key."}},
                      RefusalCase{8, true, {8, "Reg.Set_Value" + Breaks, "Access was denied."}},
                      RefusalCase{259, true, {259, "Reg.Set_Value" + Breaks, "There are no more items to return."}},
                      RefusalCase{-1, true, {-1, "Reg.Set_Value" + Breaks, TaskFailed}},
                      RefusalCase{5, false, {0, "Reg.Set_Value" + Breaks, TaskFailed}}));

} // namespace
