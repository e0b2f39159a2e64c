// How the file's text bytes become characters and back, and the save that refuses a
// value that would split its block.
#include "TempFolder.h"

#include "inidb/IniReader.h"
#include "inidb/DocumentSave.h"
#include "inidb/FileSystem.h"
#include "inidb/IniWriter.h"
#include "inidb/TextEncoding.h"
#include "TestText.h"

#include <gtest/gtest.h>

#include <numeric>

namespace {

std::string roundTrip(TextEncoding encoding, std::string_view bytes)
{
    std::u16string text(bytes.size(), u'\0');
    text.resize(DecodeText(encoding, bytes, text.data()));
    const EncodedText encoded = EncodeText(encoding, text);
    EXPECT_FALSE(encoded.refused);
    return encoded.bytes;
}

TEST(TextEncoding, DecidedOncePerFileFromItsBytes)
{
    const std::pair<std::string_view, TextEncoding> cases[] = {
        {"Name=Plain ASCII", TextEncoding::Windows1252},
        {"Name=Caf\xC3\xA9 \xF0\x9F\x8E\xAE and \xE2\x82\xAC", TextEncoding::Utf8},
        {"Name=Caf\xC3\xA9 and \xE9", TextEncoding::Windows1252},
        {"Name=\xED\xA0\x80 surrogate", TextEncoding::Windows1252},
        {"Name=cut short \xE2\x82", TextEncoding::Windows1252},
    };
    for (const auto &[bytes, encoding] : cases)
        EXPECT_EQ(DetectTextEncoding(bytes), encoding) << bytes;
}

TEST(TextEncoding, EveryWindows1252ByteAndUtf8TextReadsBackAsItWas)
{
    std::string everyByte(256, '\0');
    std::iota(everyByte.begin(), everyByte.end(), '\0');
    EXPECT_EQ(roundTrip(TextEncoding::Windows1252, everyByte), everyByte);
    const std::string utf8 = "Caf\xC3\xA9 \xE2\x82\xAC \xE6\x97\xA5\xE6\x9C\xAC \xF0\x9F\x8E\xAE";
    EXPECT_EQ(roundTrip(TextEncoding::Utf8, utf8), utf8);
}

TEST(TextEncoding, WritesTheFilesBytesOrNamesTheCharacterItCannotHold)
{
    const struct {
        TextEncoding encoding;
        std::u16string text;
        std::string bytes;
        char32_t refused;
    } cases[] = {
        {TextEncoding::Windows1252, u"\u00E9\u20AC\u00FC\u0081", "\xE9\x80\xFC\x81", 0},
        {TextEncoding::Utf8, u"\u00E9\u20AC", "\xC3\xA9\xE2\x82\xAC", 0},
        {TextEncoding::Windows1252, u"ok \u65E5\u672C", "ok ", 0x65E5},
        {TextEncoding::Windows1252, u"\U0001F3AE", "", 0x1F3AE},
        {TextEncoding::Utf8, std::u16string(u"a") + char16_t(0xD800), "a", 0xD800},
    };
    for (const auto &c : cases) {
        const EncodedText encoded = EncodeText(c.encoding, c.text);
        EXPECT_EQ(encoded.bytes, c.bytes);
        EXPECT_EQ(encoded.refused.value_or(0), c.refused);
    }
}

TEST(SaveDocument, AValueWithALineBreakFailsTheSaveAndLeavesTheTarget)
{
    for (const char *broken : {"Crashes.\r\n\r\nWorkaround: old save.", "one\ntwo", "one\rtwo",
                               "Ends in a line break after some words\n"}) {
        TempFolder folder;
        const std::string path = folder.file("velmoran.ini");
        const std::string before = "{AAAAAAAA-45}\r\nName=Fine\r\nUCode=0\r\n\r\n";
        WriteBytes(path, before);
        IniDocument doc;
        doc.IniPath = path;
        ASSERT_TRUE(LoadIniFile(doc).status.ok());
        RomEntry &bad = doc.EntryTable.emplace_back();
        bad.Name = Text("Bad ROM");
        bad.CRC = Text("BBBBBBBB-45");
        bad.Info = Text(broken);
        const DocumentSaveResult result = SaveDocument(doc, path, {}, DefaultFileSystem());
        EXPECT_FALSE(result.status.ok());
        EXPECT_NE(result.status.description.find("\"Bad ROM\" {BBBBBBBB-45}"), std::string::npos)
            << result.status.description;
        EXPECT_EQ(ReadBytes(path), before);
        EXPECT_EQ(folder.listing(), "velmoran.ini\n");
    }
}

} // namespace
