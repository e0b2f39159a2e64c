#include "StoreFixture.h"

#include <functional>
#include <tuple>

namespace {

const std::string Key = "Software\\Tamsic Test";
const std::string Breaks = "\r\n\r\n";
const std::string NotFound = "The key specified is invalid or cannot be found.";
const std::string TaskFailed = "Error performing task on the Registry.";
const std::string Invalid = "The registry key specified is invalid.";
const std::string CannotWrite = "Cannot write to specified key.";
const auto HKLM = HKEY_LOCAL_MACHINE;

using ErrorRecord = std::tuple<std::int32_t, std::string, std::string>;

ErrorRecord Recorded(const Reg &reg)
{
    return {reg.ErrorNumber(), reg.ErrorSource(), reg.ErrorDescription()};
}

TEST_P(StoreTest, TextsBytesAndOddNamesRoundTrip)
{
    Reg reg(*m_store);
    for (const std::size_t length : {0, 255, 256, 70000}) {
        std::string text(length, 'p');
        for (std::size_t i = 0; i < length; i += 7)
            text[i] = static_cast<char>('a' + i % 26);
        ASSERT_TRUE(reg.Set_Value(HKLM, Key, "Long", text, RegType::Text));
        EXPECT_EQ(reg.Query_Value(HKLM, Key, "Long", "dflt"), RegQueryResult(text)) << "length " << length;
    }
    // A value without even its closing zero reads as empty too.
    HKEY key = 0;
    ASSERT_EQ(m_store->createKey(HKLM, Key, RegAccess::AllUsed, key), 0);
    ASSERT_EQ(m_store->setValue(key, "Empty", {RegType::Text, ""}), 0);
    m_store->closeKey(key);
    EXPECT_EQ(StoredText(*m_store, Key, "Empty"), "");

    std::string allBytes;
    for (int byte = 0; byte < 256; ++byte)
        allBytes += static_cast<char>(byte);
    const std::string oddKey = "Software\\a/b %25 .dot \xC3\xA9";
    for (const std::string name : {"", "a/b", "%25", "\\", "x=y;z", "\xFF"}) {
        ASSERT_TRUE(reg.Set_Value(HKLM, oddKey, name, allBytes, RegType::Binary));
        EXPECT_EQ(StoredValue(*m_store, oddKey, name), (RegValue{RegType::Binary, allBytes + '\0'})) << name;
    }
    EXPECT_EQ(reg.EnumKeys(HKLM, "Software"), (std::vector<std::string>{"Tamsic Test", "a/b %25 .dot \xC3\xA9"}));
    // Text that is no UTF-8, or holds what the file's format quotes or escapes.
    for (const std::string text : {"jos\xE9", "\t\x01\"q\" ;c #d\\", " @x ", "a, b"}) {
        ASSERT_TRUE(reg.Set_Value(HKLM, oddKey, "Text", text, RegType::Text));
        EXPECT_EQ(StoredValue(*m_store, oddKey, "Text"), (RegValue{RegType::Text, text + '\0'})) << text;
    }
    EXPECT_FALSE(reg.ErrorExist());
}

// Set_Value makes missing keys; a value and a sub-key may share a name, and deleting one
// leaves the other and its neighbours.
TEST_P(StoreTest, KeysAreMadeListedInNameOrderAndDeletedAlone)
{
    Reg reg(*m_store);
    ASSERT_FALSE(reg.Query_Key(HKLM, "Software"));
    for (const char *name : {"b", "a\\deeper", "c"})
        ASSERT_TRUE(reg.Set_Value(HKLM, Key + "\\" + name, "Name", "abc", RegType::Text));
    EXPECT_EQ(reg.EnumKeys(HKLM, Key), (std::vector<std::string>{"a", "b", "c"}));
    EXPECT_EQ(reg.EnumKeys(HKLM, "Software"), std::vector<std::string>{"Tamsic Test"});
    EXPECT_EQ(StoredValue(*m_store, Key + "\\a\\deeper", "Name"), (RegValue{RegType::Text, std::string("abc\0", 4)}));

    ASSERT_TRUE(reg.Set_Value(HKLM, Key, "b", "value", RegType::Text));
    ASSERT_TRUE(reg.Set_Value(HKLM, Key, "Kept", "2", RegType::Text));
    EXPECT_TRUE(reg.Delete_Value(HKLM, Key, "b"));
    EXPECT_EQ(StoredValue(*m_store, Key, "b"), std::nullopt);
    EXPECT_EQ(StoredText(*m_store, Key + "\\b", "Name"), "abc");
    ASSERT_TRUE(reg.Set_Value(HKLM, Key, "b", "value", RegType::Text));
    EXPECT_TRUE(reg.Delete_Key(HKLM, Key + "\\b"));
    EXPECT_EQ(StoredText(*m_store, Key, "b"), "value");
    EXPECT_EQ(StoredText(*m_store, Key, "Kept"), "2");
    // A key made again under the old name starts without the old values.
    ASSERT_TRUE(reg.Set_Key(HKLM, Key + "\\b"));
    EXPECT_EQ(StoredValue(*m_store, Key + "\\b", "Name"), std::nullopt);
    EXPECT_FALSE(reg.ErrorExist());
}

// Each failure is recorded, raises the event once (whose handler may change the record), and
// ErrorExist tells of it once.
TEST_P(StoreTest, FailuresAreRecordedAndReportedOnce)
{
    const std::pair<std::function<bool(Reg &)>, ErrorRecord> failures[] = {
        {[](Reg &r) { return r.Query_Value(HKLM, Key, "V", "dflt") == RegQueryResult(std::string("dflt")); },
         {20000, "Reg.Query_Value", Invalid}},
        {[](Reg &r) { return r.EnumKeys(HKLM, Key) == std::vector<std::string>{""}; }, {20000, "Reg.EnumKeys", Invalid}},
        {[](Reg &r) { return !r.Delete_Key(HKLM, Key); }, {2, "Reg.Delete_Key" + Breaks, NotFound}},
        {[](Reg &r) {
             return r.Set_Key(HKLM, Key) && r.Query_Value(HKLM, Key, "V", "d") == RegQueryResult(std::string("d"));
         },
         {2, "Reg.Query_Value" + Breaks, NotFound}},
        {[](Reg &r) { return r.Set_Key(HKLM, Key) && !r.Delete_Value(HKLM, Key, "V"); },
         {2, "Reg.Delete_Value" + Breaks, NotFound}},
        {[](Reg &r) {
             return r.Set_Key(HKLM, Key + "\\Leaf") && !r.Delete_Key(HKLM, Key) && r.Query_Key(HKLM, Key + "\\Leaf");
         },
         {5, "Reg.Delete_Key" + Breaks, CannotWrite}},
    };
    for (const auto &[failSafely, record] : failures) {
        SCOPED_TRACE(std::get<1>(record));
        Reg reg(*m_store);
        std::vector<ErrorRecord> raised;
        reg.ErrorOccurred = [&](std::int32_t &number, std::string &source, std::string &description) {
            raised.emplace_back(number, source, description);
            description += " (handled)";
        };
        EXPECT_TRUE(failSafely(reg));
        EXPECT_EQ(raised, std::vector<ErrorRecord>{record});
        EXPECT_EQ(Recorded(reg), ErrorRecord(std::get<0>(record), std::get<1>(record), std::get<2>(record) + " (handled)"));
        EXPECT_TRUE(reg.ErrorExist());
        EXPECT_FALSE(reg.ErrorExist());
        reg.Delete_Key(HKLM, Key + "\\Leaf");
        reg.Delete_Key(HKLM, Key);
    }
}

// Each type writes its own bytes; a failed conversion writes nothing and is recorded with the
// call, and the key opened for it was closed again.
TEST_P(StoreTest, SetValueWritesTheBytesOfItsType)
{
    const std::tuple<std::int32_t, std::string, std::optional<RegValue>, std::int32_t> writes[] = {
        {1, "abc", RegValue{1, std::string("abc\0", 4)}, 0},      {3, "abc", RegValue{3, std::string("abc\0", 4)}, 0},
        {4, "258", RegValue{4, std::string("\x02\x01\0\0", 4)}, 0}, {4, "-2", RegValue{4, "\xFE\xFF\xFF\xFF"}, 0},
        {4, "2.5", RegValue{4, std::string("\x02\0\0\0", 4)}, 0},   {2, "abc", std::nullopt, 0},
        {4, "abc", std::nullopt, 13},                               {4, "3000000000", std::nullopt, 6}};
    for (const auto &[type, setting, stored, error] : writes) {
        SCOPED_TRACE(testing::Message() << "type " << type << " " << setting);
        Reg reg(*m_store);
        EXPECT_EQ(reg.Set_Value(HKLM, Key, "V", setting, type), error == 0);
        EXPECT_EQ(StoredValue(*m_store, Key, "V"), stored);
        EXPECT_EQ(reg.ErrorExist(), error != 0);
        if (error) {
            EXPECT_EQ(Recorded(reg), ErrorRecord(error, "Reg.Set_Value (" + Key + ",V," + setting + ")" + Breaks + "Tamsic",
                                                 reg.ErrorDescription()));
        }
        EXPECT_TRUE(reg.Delete_Key(HKLM, Key));
    }
}

INSTANTIATE_TEST_SUITE_P(BothStores, StoreTest, ::testing::Values(StoreKind::Memory, StoreKind::File), StoreKindName);

TEST(Reg, QueryResultTypesPostProcessTheText)
{
    const std::tuple<std::string, std::int32_t, RegQueryResult> queries[] = {
        {"TrUe", 1, std::string("TrUe")}, {"yes", 1, std::string("FALSE")}, {" -1.5e3 ", 2, std::string(" -1.5e3 ")},
        {"12abc", 2, std::int32_t{0}}};
    MemoryRegistryStore store;
    Reg reg(store);
    for (const auto &[stored, resultType, expected] : queries) {
        ASSERT_TRUE(reg.Set_Value(HKLM, Key, "V", stored, RegType::Text));
        EXPECT_EQ(reg.Query_Value(HKLM, Key, "V", "", resultType), expected) << stored << " as " << resultType;
    }
}

// A key that cannot be created ends in status 0, after the store's own refusal was raised.
TEST(Reg, RefusedWritesAreDescribedByTheStatusTable)
{
    const std::tuple<RegStatus, bool, ErrorRecord> refusals[] = {
        {8, true, {8, "Reg.Set_Value" + Breaks, "Access was denied."}},
        {-1, true, {-1, "Reg.Set_Value" + Breaks, TaskFailed}},
        {5, false, {0, "Reg.Set_Value" + Breaks, TaskFailed}}};
    for (const auto &[status, keyExists, record] : refusals) {
        MemoryRegistryStore store;
        Reg reg(store);
        ASSERT_TRUE(!keyExists || reg.Set_Key(HKLM, Key));
        store.refuseWrites(status);
        EXPECT_FALSE(reg.Set_Value(HKLM, Key, "V", "x", RegType::Text));
        EXPECT_EQ(Recorded(reg), record) << "status " << status;
        EXPECT_EQ(StoredValue(store, Key, "V"), std::nullopt);
    }
}

} // namespace
