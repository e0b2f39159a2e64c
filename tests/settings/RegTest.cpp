#include "StoreFixture.h"

namespace {

const auto HKLM = HKEY_LOCAL_MACHINE;

// Empty and long texts, texts that are no UTF-8 or hold what the file's format quotes or
// escapes, under odd key and value names, come back as they were written.
TEST_P(StoreTest, TextsUnderOddNamesRoundTrip)
{
    Reg reg(*m_store);
    std::string longText(70000, 'p');
    for (std::size_t i = 0; i < longText.size(); i += 7)
        longText[i] = static_cast<char>('a' + i % 26);
    const std::string oddKey = "Software\\a/b %25 .dot \xC3\xA9";
    for (const std::string name : {"", "a/b", "%25", "\\", "x=y;z", "\xFF"}) {
        for (const std::string &text : {std::string(), longText, std::string("jos\xE9"),
                                       std::string("\t\x01\"q\" ;c #d\\"), std::string(" @x "), std::string("a, b")}) {
            ASSERT_TRUE(reg.Set_Value(HKLM, oddKey, name, text, RegType::Text));
            EXPECT_EQ(StoredSetting(*m_store, oddKey, name), text) << name << ": " << text.substr(0, 20);
        }
    }
    EXPECT_EQ(reg.EnumKeys(HKLM, "Software"), std::vector<std::string>{"a/b %25 .dot \xC3\xA9"});
    EXPECT_FALSE(reg.ErrorExist());
}

INSTANTIATE_TEST_SUITE_P(BothStores, StoreTest, ::testing::Values(StoreKind::Memory, StoreKind::File), StoreKindName);

} // namespace
