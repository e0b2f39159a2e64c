#include "IniReader.h"

#include "FileSystem.h"
#include "HugePages.h"
#include "IniKeys.h"

#include <charconv>
#include <cstring>
#include <limits>
#include <utility>

const char *const DesignCaption = "Tamsic (Velmoran ini Editor)";

std::string LoadedCaption(const std::string &iniPath)
{
    return std::string(DesignCaption) + " v1.1b - " + iniPath;
}

namespace {

constexpr std::string_view kLineEnd = "\r\n";
// Empty lines between blocks are kept in the head only while fewer blocks than this
// have been read; later ones are the spacing of a long file, not part of its head.
constexpr std::size_t kBlocksWithKeptEmptyLines = 49;

// Splits the bytes into lines; CR LF, LF and a lone CR all end a line.
class LineReader final {
public:
    explicit LineReader(std::string_view bytes) : m_bytes(bytes) {}

    bool next(std::string_view &line)
    {
        if (m_pos >= m_bytes.size())
            return false;
        const char *begin = m_bytes.data() + m_pos;
        const std::size_t rest = m_bytes.size() - m_pos;
        const auto *lf = static_cast<const char *>(std::memchr(begin, '\n', rest));
        std::size_t length = lf ? static_cast<std::size_t>(lf - begin) : rest;
        const auto *cr = static_cast<const char *>(std::memchr(begin, '\r', length));
        if (cr) {
            length = static_cast<std::size_t>(cr - begin);
            m_pos += length + 1;
            if (m_pos < m_bytes.size() && m_bytes[m_pos] == '\n')
                ++m_pos;
        } else {
            m_pos += length + (lf ? 1 : 0);
        }
        line = std::string_view(begin, length);
        ++m_lineNumber;
        return true;
    }

    std::size_t lineNumber() const { return m_lineNumber; }

private:
    std::string_view m_bytes;
    std::size_t m_pos = 0;
    std::size_t m_lineNumber = 0;
};

bool isBlankOnly(std::string_view line)
{
    return !line.empty() && line.find_first_not_of(" \t") == std::string_view::npos;
}

// A line such as "{1A2B3C4D-45}" or "[1A2B3C4D-45]".
bool isHeaderLike(std::string_view line)
{
    return line.size() >= 2 && (line.front() == '{' || line.front() == '[')
        && (line.back() == '}' || line.back() == ']') && line.find('=') == std::string_view::npos;
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

class Parser final {
public:
    explicit Parser(std::string_view bytes) : m_lines(bytes)
    {
        std::vector<RomEntry> &entries = m_result.entries;
        entries.reserve(likelyBlockCount(bytes));
        AdviseHugePages(entries.data(), entries.capacity() * sizeof(RomEntry));
    }

    ParsedIni run()
    {
        std::string_view line;
        while (m_lines.next(line)) {
            if (m_inBlock)
                readBlockLine(line);
            else
                readOutsideLine(line);
        }
        if (m_inBlock)
            endBlock();
        // A file of few headers in many bracketed lines need not keep the room guessed.
        std::vector<RomEntry> &entries = m_result.entries;
        if (entries.capacity() > 2 * entries.size())
            entries.shrink_to_fit();
        return std::move(m_result);
    }

private:
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
        const std::size_t equals = line.find('=');
        const std::string_view key = line.substr(0, equals);
        const std::string_view value =
            equals == std::string_view::npos ? std::string_view() : line.substr(equals + 1);
        if (readKnownKey(key, value, line))
            return;
        if (isHeaderLike(line) && m_hasHeader) {
            // Two blocks without an empty line between them: the second header starts
            // the next entry rather than overwriting this one's CRC.
            endBlock();
            startBlock();
            m_blockLines = 1;
            readHeader(line);
        } else if (!m_hasHeader && (isHeaderLike(line) || (firstLine && equals == std::string_view::npos))) {
            // A block's header is its first line whatever its brackets, or a bracketed
            // line further down when the block did not open with one.
            readHeader(line);
        } else {
            entry().UnknownLines.push_back(keep(line));
        }
    }

    void readHeader(std::string_view line)
    {
        m_hasHeader = true;
        if (line.size() < 2) {
            // Nothing is left once the brackets are stripped; keep the line as written.
            problem(line, "an empty CRC; the line is kept as written");
            entry().UnknownLines.push_back(keep(line));
            return;
        }
        entry().CRC = keep(line.substr(1, line.size() - 2));
    }

    bool readKnownKey(std::string_view key, std::string_view value, std::string_view line)
    {
        RomEntry &e = entry();
        if (key == IniKeys::Name) {
            e.Name = keep(value);
        } else if (key == IniKeys::UCode) {
            readNumber(e.UCode, key, value, line);
        } else if (key == IniKeys::Comment) {
            e.Comment = keep(value);
        } else if (key == IniKeys::Info) {
            e.Info = keep(value);
        } else {
            for (const IniKeys::Flag &flag : IniKeys::Flags) {
                if (key == flag.key) {
                    e.*flag.field = true;
                    return true;
                }
            }
            for (const IniKeys::Number &number : IniKeys::OptionalNumbers) {
                if (key == number.key) {
                    readNumber(e.*number.field, key, value, line);
                    return true;
                }
            }
            return false;
        }
        return true;
    }

    // A value that is no whole number in the field's range leaves the field as it was
    // and stays with the entry as written, so saving does not lose it.
    void readNumber(std::int16_t &field, std::string_view key, std::string_view value, std::string_view line)
    {
        int number = 0;
        const char *end = value.data() + value.size();
        const auto [ptr, error] = std::from_chars(value.data(), end, number);
        if (error == std::errc() && ptr == end && number >= std::numeric_limits<std::int16_t>::min()
            && number <= std::numeric_limits<std::int16_t>::max()) {
            field = static_cast<std::int16_t>(number);
            return;
        }
        problem(line, std::string(key) + " " + std::to_string(field)
                          + " (not a whole number from -32768 to 32767); the line is kept as written");
        entry().UnknownLines.push_back(keep(line));
    }

    std::string_view keep(std::string_view text) { return m_result.texts.keep(text); }

    void problem(std::string_view line, std::string whatWasUsed)
    {
        m_result.problems.push_back({m_lines.lineNumber(), std::string(line), std::move(whatWasUsed)});
    }

    void startBlock()
    {
        m_result.entries.emplace_back();
        m_inBlock = true;
        m_hasHeader = false;
        m_blockLines = 0;
    }

    void endBlock()
    {
        RomEntry &e = entry();
        // The emulator treats 0 as "not set"; the editor shows the value it then uses.
        if (e.ScaleFactor == 0)
            e.ScaleFactor = 1;
        if (e.EepromSize == 0)
            e.EepromSize = 2048;
        m_inBlock = false;
    }

    RomEntry &entry() { return m_result.entries.back(); }

    LineReader m_lines;
    ParsedIni m_result;
    std::size_t m_blockLines = 0;
    bool m_inBlock = false;
    bool m_hasHeader = false;
};

} // namespace

ParsedIni ParseIni(std::string_view bytes)
{
    return Parser(bytes).run();
}

LoadResult LoadIniFile(IniDocument &doc, FileSystem &fs)
{
    IoValue<std::string> bytes = fs.ReadWholeFile(doc.IniPath);
    if (!bytes.ok())
        return {bytes.status, {}};
    ParsedIni parsed = Parser(bytes.value).run();
    doc.EntryTable = std::move(parsed.entries);
    doc.Texts = std::move(parsed.texts);
    doc.Preamble = std::move(parsed.preamble);
    doc.Encoding = DetectTextEncoding(bytes.value);
    ++doc.LoadGeneration;
    return {IoStatus::success(), std::move(parsed.problems)};
}

LoadResult LoadIniFile(IniDocument &doc)
{
    return LoadIniFile(doc, DefaultFileSystem());
}
