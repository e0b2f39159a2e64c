#include "IniReader.h"

#include "ContentHash.h"
#include "FileSystem.h"
#include "IniKeys.h"
#include "LineSplitter.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <utility>

const char *const DesignCaption = "Tamsic (Velmoran ini Editor)";

std::string LoadedCaption(const std::string &iniPath)
{
    return std::string(DesignCaption) + " v1.1b - " + iniPath;
}

namespace {

using IniKeys::HasKey;
using IniKeys::ValueAfter;

constexpr std::string_view kLineEnd = "\r\n";
// Empty lines between blocks are kept in the head only while fewer blocks than this
// have been read; later ones are the spacing of a long file, not part of its head.
constexpr std::size_t kBlocksWithKeptEmptyLines = 49;

bool isBlankOnly(std::string_view line)
{
    return !line.empty() && line.find_first_not_of(" \t") == std::string_view::npos;
}

// A line such as "{1A2B3C4D-45}" or "[1A2B3C4D-45]", given where its first "=" is.
bool isHeaderLike(std::string_view line, std::size_t equals)
{
    return line.size() >= 2 && (line.front() == '{' || line.front() == '[')
        && (line.back() == '}' || line.back() == ']') && equals == std::string_view::npos;
}

// Headers almost always open with a bracket at a line start; counting them lets the
// table take its final size at once instead of growing (and copying) many times.
std::size_t likelyBlockCount(std::string_view bytes)
{
    std::size_t count = 0;
    for (char bracket : {'{', '['}) {
        const char *p = bytes.data();
        const char *end = p + bytes.size();
        while ((p = static_cast<const char *>(std::memchr(p, bracket, end - p)))) {
            if (p == bytes.data() || p[-1] == '\n' || p[-1] == '\r')
                ++count;
            ++p;
        }
    }
    return count;
}

// Builds the table from the file's bytes as they arrive, piece by piece.
class Parser final {
public:
    // Sizes the table for a file of fileSize bytes that begins with sample, which
    // predicts the rest well; its texts are sized once the sample is read. The margin
    // spares the table a late doubling; a wrong guess costs only that doubling.
    void expect(std::string_view sample, std::uint64_t fileSize)
    {
        m_lines.expectBytes(fileSize);
        if (sample.empty() || fileSize <= sample.size())
            return;
        m_restPerSampleByte = static_cast<double>(fileSize - sample.size()) / static_cast<double>(sample.size()) * 1.05;
        const double blocks = static_cast<double>(likelyBlockCount(sample)) * (1 + m_restPerSampleByte);
        m_result.entries.reserve(static_cast<std::size_t>(blocks) + 64);
    }

    void feed(std::string_view piece)
    {
        m_encoding.scan(piece);
        m_lines.feed(piece, [this](std::string_view line) { readLine(line); });
        if (m_restPerSampleByte > 0) {
            TextStore &texts = m_result.texts;
            texts.reserve(static_cast<std::size_t>(static_cast<double>(texts.size()) * m_restPerSampleByte) + 4096);
            m_restPerSampleByte = 0;
        }
    }

    ParsedIni finish()
    {
        m_lines.finish([this](std::string_view line) { readLine(line); });
        if (m_inBlock)
            endBlock();
        // A file of few headers in many bracketed lines need not keep the room guessed.
        RomTable &entries = m_result.entries;
        if (entries.capacity() > 2 * entries.size())
            entries.shrink_to_fit();
        m_result.encoding = m_encoding.result();
        return std::move(m_result);
    }

private:
    void readLine(std::string_view line)
    {
        if (m_inBlock)
            readBlockLine(line);
        else
            readOutsideLine(line);
    }

    void readOutsideLine(std::string_view line)
    {
        const bool empty = line.empty() || isBlankOnly(line);
        if (empty || line.starts_with("//")) {
            // Comments are always kept; empty lines only near the head.
            // Outside a block every entry started is a block read.
            if (!empty || m_result.entries.size() < kBlocksWithKeptEmptyLines) {
                m_result.preamble += line;
                m_result.preamble += kLineEnd;
            }
            return;
        }
        startBlock();
        readBlockLine(line);
    }

    void readBlockLine(std::string_view line)
    {
        if (line.empty()) {
            endBlock();
            return;
        }
        const bool firstLine = m_blockLines++ == 0;
        if (readKnownKey(line))
            return;
        const std::size_t equals = line.find('=');
        const bool headerLike = isHeaderLike(line, equals);
        if (headerLike && m_hasHeader) {
            // Two blocks without an empty line between them: the second header starts
            // the next entry rather than overwriting this one's CRC.
            endBlock();
            startBlock();
            m_blockLines = 1;
            readHeader(line);
        } else if (!m_hasHeader && (headerLike || (firstLine && equals == std::string_view::npos))) {
            // A block's header is its first line whatever its brackets, or a bracketed
            // line further down when the block did not open with one.
            readHeader(line);
        } else {
            keepUnknown(line);
        }
    }

    void readHeader(std::string_view line)
    {
        m_hasHeader = true;
        if (line.size() < 2) {
            // Nothing is left once the brackets are stripped; keep the line as written.
            problem(line, "an empty CRC; the line is kept as written");
            keepUnknown(line);
            return;
        }
        entry().CRC = keep(line.substr(1, line.size() - 2));
    }

    bool readKnownKey(std::string_view line)
    {
        RomEntry &e = entry();
        if (HasKey(line, IniKeys::Name)) {
            readText(e.Name, IniKeys::Name, line);
        } else if (HasKey(line, IniKeys::UCode)) {
            readNumber(e.UCode, IniKeys::UCode, line);
        } else if (HasKey(line, IniKeys::Comment)) {
            readText(e.Comment, IniKeys::Comment, line);
        } else if (HasKey(line, IniKeys::Info)) {
            readText(e.Info, IniKeys::Info, line);
        } else if (line.front() == '{' || line.front() == '[') {
            // A header; no key starts with a bracket.
            return false;
        } else {
            for (const IniKeys::Flag &flag : IniKeys::Flags) {
                if (HasKey(line, flag.key)) {
                    e.*flag.field = true;
                    return true;
                }
            }
            for (const IniKeys::Number &number : IniKeys::OptionalNumbers) {
                if (HasKey(line, number.key)) {
                    readNumber(e.*number.field, number.key, line);
                    return true;
                }
            }
            return false;
        }
        return true;
    }

    void readText(StoredText &field, std::string_view key, std::string_view line)
    {
        if (givenBefore(key))
            keepEarlierValue(key, field, line);
        field = keep(ValueAfter(line, key));
    }

    // A value that is no whole number in the field's range leaves the field as it was
    // and stays with the entry as written, so saving does not lose it.
    void readNumber(std::int16_t &field, std::string_view key, std::string_view line)
    {
        if (const std::optional<std::int16_t> number = IniKeys::NumberValue(ValueAfter(line, key))) {
            if (givenBefore(key))
                keepEarlierValue(key, std::to_string(field), line);
            field = *number;
            return;
        }
        problem(line, std::string(key) + " " + std::to_string(field)
                          + " (not a whole number from -32768 to 32767); the line is kept as written");
        keepUnknown(line);
    }

    // Whether a line of this block gave key its value already; notes that one has now.
    bool givenBefore(std::string_view key)
    {
        const unsigned bit = 1u << IniKeys::ValuedKeyIndex(key);
        const bool given = (m_keysGiven & bit) != 0;
        m_keysGiven |= bit;
        return given;
    }

    // A key given twice in a block: the later value is used, as it always was, and the
    // earlier one stays with the entry as a line of its own, so nothing is lost unseen.
    void keepEarlierValue(std::string_view key, std::string_view earlier, std::string_view line)
    {
        std::string &kept = m_earlierValues[IniKeys::ValuedKeyIndex(key)];
        kept += key;
        kept += '=';
        kept += earlier;
        kept += kLineEnd;
        m_anyEarlierValue = true;
        problem(line, "a second " + std::string(key) + "= in this block; the first is kept as written", true);
    }

    StoredText keep(std::string_view text) { return m_result.texts.keep(text); }

    // Gathered until the block ends, then kept as one text.
    void keepUnknown(std::string_view line)
    {
        m_unknownLines += line;
        m_unknownLines += kLineEnd;
    }

    void problem(std::string_view line, std::string whatWasUsed, bool lineRead = false)
    {
        m_result.problems.push_back({m_lines.lineNumber(), std::string(line), std::move(whatWasUsed), lineRead});
    }

    void startBlock()
    {
        m_result.entries.emplace_back();
        m_inBlock = true;
        m_hasHeader = false;
        m_blockLines = 0;
        m_keysGiven = 0;
    }

    void endBlock()
    {
        RomEntry &e = entry();
        // The emulator treats 0 as "not set"; the editor shows the value it then uses.
        if (e.ScaleFactor == 0)
            e.ScaleFactor = 1;
        if (e.EepromSize == 0)
            e.EepromSize = 2048;
        if (m_anyEarlierValue) {
            // Key by key, as the writer puts them, so the block reads back the same.
            std::string earlier;
            for (std::string &lines : m_earlierValues)
                earlier += std::exchange(lines, {});
            m_unknownLines.insert(0, earlier);
            m_anyEarlierValue = false;
        }
        e.UnknownLines = keep(m_unknownLines);
        m_unknownLines.clear();
        m_inBlock = false;
    }

    RomEntry &entry() { return m_result.entries.back(); }

    LineSplitter m_lines;
    TextEncodingDetector m_encoding;
    ParsedIni m_result;
    std::string m_unknownLines;
    // The earlier values of keys given twice in the current block, by IniKeys::ValuedKeys.
    std::array<std::string, IniKeys::ValuedKeyCount> m_earlierValues;
    bool m_anyEarlierValue = false;
    // Bits by IniKeys::ValuedKeys: the keys a line of the current block has given a value.
    unsigned m_keysGiven = 0;
    double m_restPerSampleByte = 0;
    std::size_t m_blockLines = 0;
    bool m_inBlock = false;
    bool m_hasHeader = false;
};

} // namespace

ParsedIni ParseIni(std::span<const std::string_view> pieces)
{
    Parser parser;
    std::size_t total = 0;
    for (std::string_view piece : pieces)
        total += piece.size();
    if (!pieces.empty())
        parser.expect(pieces.front(), total);
    for (std::string_view piece : pieces)
        parser.feed(piece);
    return parser.finish();
}

ParsedIni ParseIni(std::string_view bytes)
{
    return ParseIni(std::span(&bytes, 1));
}

void TakeParsed(IniDocument &doc, ParsedIni &parsed)
{
    doc.EntryTable = std::move(parsed.entries);
    doc.Texts = std::move(parsed.texts);
    doc.Preamble = std::move(parsed.preamble);
    doc.Encoding = parsed.encoding;
}

LoadResult LoadIniFile(IniDocument &doc, FileSystem &fs)
{
    Parser parser;
    bool first = true;
    // Looked at before the read, so a change made while it runs shows as a newer time.
    const IoValue<FileInfo> before = fs.Stat(doc.IniPath);
    ContentHash content;
    const IoStatus read = fs.ReadInPieces(doc.IniPath, [&](std::string_view piece, std::uint64_t fileSize) {
        if (std::exchange(first, false))
            parser.expect(piece, fileSize);
        content.add(piece);
        parser.feed(piece);
    });
    if (!read.ok())
        return {read, {}, {}};
    ParsedIni parsed = parser.finish();
    TakeParsed(doc, parsed);
    ++doc.LoadGeneration;
    return {IoStatus::success(), std::move(parsed.problems), SnapshotOf(content, before)};
}

LoadResult LoadIniFile(IniDocument &doc)
{
    return LoadIniFile(doc, DefaultFileSystem());
}
