#include "IniWriter.h"

#include "ContentHash.h"
#include "FileSystem.h"
#include "IniKeys.h"
#include "SafeFile.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cstdint>
#include <cstring>
#include <utility>

namespace {

constexpr std::string_view kLineEnd = "\r\n";
// A save hands the file over in pieces this large, so it needs no second copy of the
// whole file in memory and its buffer stays warm in the cache.
constexpr std::size_t kPieceSize = std::size_t{1} << 18;

// The most digits and sign a number of a block takes.
constexpr std::size_t kLongestNumber = 6;

// The most bytes of a block that are not its texts: every key line written, with the
// longest numbers, the header's brackets and the empty line after the block.
constexpr std::size_t fixedBlockBytes()
{
    std::size_t bytes = 2 + 2 * kLineEnd.size();
    for (std::string_view key : {IniKeys::Name, IniKeys::UCode, IniKeys::Comment, IniKeys::Info})
        bytes += key.size() + 1 + kLineEnd.size();
    bytes += kLongestNumber;
    for (const IniKeys::Flag &flag : IniKeys::Flags)
        bytes += flag.key.size() + kLineEnd.size();
    for (const IniKeys::Number &number : IniKeys::OptionalNumbers)
        bytes += number.key.size() + 1 + kLongestNumber + kLineEnd.size();
    return bytes;
}

// Writes a block into room made for it beforehand, so each part is a plain copy rather
// than an append that checks for room every time.
class BlockCursor final {
public:
    explicit BlockCursor(char *at) : m_at(at) {}

    BlockCursor &operator<<(std::string_view text)
    {
        // An empty text may have no bytes at all to copy from.
        if (!text.empty())
            std::memcpy(m_at, text.data(), text.size());
        m_at += text.size();
        return *this;
    }
    BlockCursor &operator<<(std::int16_t number)
    {
        m_at = std::to_chars(m_at, m_at + kLongestNumber, number).ptr;
        return *this;
    }
    void line(std::string_view key, std::string_view value) { *this << key << "=" << value << kLineEnd; }
    void line(std::string_view key, std::int16_t value) { *this << key << "=" << value << kLineEnd; }

    char *end() const { return m_at; }

private:
    char *m_at;
};

// Rows the list shows, in their order, then any entry the rows missed (in table order)
// so that a save never drops an entry because the caller's order was incomplete.
std::vector<std::size_t> coveredDisplayedOrder(const IniDocument &doc, std::span<const std::size_t> rows)
{
    const std::size_t size = doc.EntryTable.size();
    std::vector<bool> written(size, false);
    std::vector<std::size_t> order;
    order.reserve(size);
    for (std::size_t index : rows) {
        if (index < size && !written[index] && !doc.EntryTable[index].Removed) {
            written[index] = true;
            order.push_back(index);
        }
    }
    for (std::size_t index = 0; index < size; ++index) {
        if (!written[index] && !doc.EntryTable[index].Removed)
            order.push_back(index);
    }
    return order;
}

// Whether text holds a CR or an LF. Texts are mostly a few words long, so they are
// looked at eight bytes at a time, the last eight overlapping those before them, rather
// than byte by byte.
bool holdsLineBreak(std::string_view text)
{
    if (text.size() < 8)
        return std::any_of(text.begin(), text.end(), [](char c) { return c == '\r' || c == '\n'; });
    const auto holdsOne = [](const char *at) {
        constexpr std::uint64_t ones = 0x0101010101010101u;
        constexpr std::uint64_t highs = 0x8080808080808080u;
        std::uint64_t word = 0;
        std::memcpy(&word, at, sizeof word);
        const std::uint64_t lf = word ^ (ones * '\n');
        const std::uint64_t cr = word ^ (ones * '\r');
        // Non-zero exactly when some byte of lf or cr is zero.
        return (((lf - ones) & ~lf) | ((cr - ones) & ~cr)) & highs;
    };
    for (std::size_t at = 0; at + 8 < text.size(); at += 8) {
        if (holdsOne(text.data() + at))
            return true;
    }
    return holdsOne(text.data() + text.size() - 8) != 0;
}

// The text field of the entry that would split its block, if any.
const char *fieldWithLineBreak(const RomEntry &entry)
{
    const std::pair<const char *, StoredText> fields[] = {
        {"CRC", entry.CRC}, {"Name", entry.Name}, {"Comment", entry.Comment}, {"Info", entry.Info}};
    for (const auto &[field, text] : fields) {
        if (holdsLineBreak(text))
            return field;
    }
    return nullptr;
}

// A line break inside a value would end the block early and turn the rest into a new
// one, so such an entry stops the save before anything is written.
IoStatus refuseLineBreaks(const IniDocument &doc, std::span<const std::size_t> order, const std::string &path)
{
    for (std::size_t index : order) {
        const RomEntry &entry = doc.EntryTable[index];
        if (const char *field = fieldWithLineBreak(entry))
            return {EINVAL, "The ROM \"" + std::string(entry.Name) + "\" {" + std::string(entry.CRC) + "} holds a line break in its "
                                + field + "; " + path + " was not written."};
    }
    return IoStatus::success();
}

// The most bytes writeBlock puts down for entry.
std::size_t blockBytesAtMost(const RomEntry &entry)
{
    return fixedBlockBytes() + entry.CRC.size() + entry.Name.size() + entry.Comment.size() + entry.Info.size()
         + entry.UnknownLines.size();
}

// Bits by IniKeys::ValuedKeys.
using KeySet = unsigned;

constexpr KeySet bitOf(std::string_view key)
{
    return KeySet{1} << IniKeys::ValuedKeyIndex(key);
}

// The valued key a kept line sets when read back, as a bit; 0 for any other line. The
// reader keeps such a line only for a key given twice (the earlier value); a number it
// cannot read sets nothing.
KeySet keySetBy(std::string_view line)
{
    for (std::string_view key : IniKeys::ValuedKeys) {
        if (!IniKeys::HasKey(line, key))
            continue;
        const bool text = key == IniKeys::Name || key == IniKeys::Comment || key == IniKeys::Info;
        return text || IniKeys::NumberValue(IniKeys::ValueAfter(line, key)) ? bitOf(key) : 0;
    }
    return 0;
}

// Puts down, in their order, the kept lines that set key (0: those that set none);
// returns whether there was one.
bool putKeptLines(BlockCursor &put, std::string_view lines, KeySet key)
{
    bool found = false;
    while (!lines.empty()) {
        const std::string_view line = lines.substr(0, lines.find(kLineEnd));
        lines.remove_prefix(std::min(lines.size(), line.size() + kLineEnd.size()));
        if (keySetBy(line) == key) {
            put << line << kLineEnd;
            found = true;
        }
    }
    return found;
}

// The kept lines that set a value, key by key in the order the keys are written, so a
// block read back and saved again comes out the same; returns the keys they set.
KeySet putEarlierValues(BlockCursor &put, std::string_view lines)
{
    KeySet keys = 0;
    for (std::string_view key : IniKeys::ValuedKeys) {
        if (putKeptLines(put, lines, bitOf(key)))
            keys |= bitOf(key);
    }
    return keys;
}

// One block in the fixed key order, CR LF line ends, and the empty line after it, put
// down from at; returns where it ends. The earlier value of a key given twice goes
// before the key's own line, so reading the block back gives the entry its value again;
// that line is then written even when it holds the value of a missing key.
char *writeBlock(char *at, const RomEntry &entry)
{
    BlockCursor put(at);
    put << "{" << entry.CRC << "}" << kLineEnd;
    const KeySet earlier = entry.UnknownLines.empty() ? 0 : putEarlierValues(put, entry.UnknownLines);
    const auto givenEarlier = [earlier](std::string_view key) { return earlier != 0 && (earlier & bitOf(key)); };
    put.line(IniKeys::Name, entry.Name);
    put.line(IniKeys::UCode, entry.UCode);
    if (!entry.Comment.empty() || givenEarlier(IniKeys::Comment))
        put.line(IniKeys::Comment, entry.Comment);
    if (!entry.Info.empty() || givenEarlier(IniKeys::Info))
        put.line(IniKeys::Info, entry.Info);
    for (const IniKeys::Flag &flag : IniKeys::Flags) {
        if (entry.*flag.field)
            put << flag.key << kLineEnd;
    }
    for (const IniKeys::Number &number : IniKeys::OptionalNumbers) {
        if (entry.*number.field != number.absentValue || givenEarlier(number.key))
            put.line(number.key, entry.*number.field);
    }
    if (!entry.UnknownLines.empty())
        putKeptLines(put, entry.UnknownLines, 0);
    put << kLineEnd;
    return put.end();
}

} // namespace

void WriteIniEntry(std::string &out, const RomEntry &entry)
{
    const std::size_t start = out.size();
    out.resize(start + blockBytesAtMost(entry));
    out.resize(static_cast<std::size_t>(writeBlock(out.data() + start, entry) - out.data()));
}

IoStatus WriteIniText(const IniDocument &doc, std::span<const std::size_t> order, const PieceWriter &write)
{
    std::string piece;
    piece.reserve(kPieceSize + kPieceSize / 4);
    piece += doc.Preamble;
    for (std::size_t index : order) {
        WriteIniEntry(piece, doc.EntryTable[index]);
        if (piece.size() >= kPieceSize) {
            if (IoStatus status = write(piece); !status.ok())
                return status;
            piece.clear();
        }
    }
    return piece.empty() ? IoStatus::success() : write(piece);
}

std::string SerializeIni(const IniDocument &doc, std::span<const std::size_t> order)
{
    std::size_t size = doc.Preamble.size();
    for (std::size_t index : order)
        size += blockBytesAtMost(doc.EntryTable[index]);
    std::string out;
    out.reserve(size);
    WriteIniText(doc, order, [&out](std::string_view piece) {
        out += piece;
        return IoStatus::success();
    });
    return out;
}

std::vector<std::size_t> ReadInOrder(const IniDocument &doc)
{
    std::vector<std::size_t> order;
    order.reserve(doc.EntryTable.size());
    for (std::size_t index = 0; index < doc.EntryTable.size(); ++index) {
        if (!doc.EntryTable[index].Removed)
            order.push_back(index);
    }
    return order;
}

IoValue<DiskSnapshot> WriteIniFile(const IniDocument &doc, const std::string &path,
                                   std::span<const std::size_t> displayedOrder, FileSystem &fs)
{
    const std::vector<std::size_t> order = doc.SaveType == static_cast<std::int16_t>(SaveOrder::Displayed)
                                             ? coveredDisplayedOrder(doc, displayedOrder)
                                             : ReadInOrder(doc);
    if (IoStatus refused = refuseLineBreaks(doc, order, path); !refused.ok())
        return {{}, refused};
    ContentHash content;
    const IoStatus written = WriteFileAtomically(fs, path, [&](const PieceWriter &write) {
        return WriteIniText(doc, order, [&](std::string_view piece) {
            content.add(piece);
            return write(piece);
        });
    });
    if (!written.ok())
        return {{}, written};
    return {SnapshotOf(content, fs.Stat(path)), written};
}
