#include "IniWriter.h"

#include "FileSystem.h"
#include "IniKeys.h"
#include "LineSplitter.h"
#include "SafeFile.h"

#include <cerrno>
#include <charconv>
#include <utility>

namespace {

constexpr std::string_view kLineEnd = "\r\n";
// The line ends, "{}", "Name=", "UCode=0" and the empty line of a typical block.
constexpr std::size_t kTypicalBlockOverhead = 40;
// A save hands the file over in pieces this large, so it needs no second copy of the
// whole file in memory and its buffer stays warm in the cache.
constexpr std::size_t kPieceSize = std::size_t{1} << 18;

void appendLine(std::string &out, std::string_view key, std::string_view value)
{
    out += key;
    out += '=';
    out += value;
    out += kLineEnd;
}

void appendNumberLine(std::string &out, std::string_view key, std::int16_t value)
{
    char digits[8];
    const auto result = std::to_chars(digits, digits + sizeof digits, value);
    appendLine(out, key, std::string_view(digits, static_cast<std::size_t>(result.ptr - digits)));
}

std::size_t estimatedSize(const RomEntry &entry)
{
    std::size_t size = kTypicalBlockOverhead + entry.CRC.size() + entry.Name.size() + entry.Comment.size()
                     + entry.Info.size() + entry.UnknownLines.size();
    return size;
}

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

bool holdsLineBreak(std::string_view text)
{
    return FindLineEnd(text.data(), text.data() + text.size()) != text.data() + text.size();
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

} // namespace

void WriteIniEntry(std::string &out, const RomEntry &entry)
{
    out += '{';
    out += entry.CRC;
    out += '}';
    out += kLineEnd;
    appendLine(out, IniKeys::Name, entry.Name);
    appendNumberLine(out, IniKeys::UCode, entry.UCode);
    if (!entry.Comment.empty())
        appendLine(out, IniKeys::Comment, entry.Comment);
    if (!entry.Info.empty())
        appendLine(out, IniKeys::Info, entry.Info);
    for (const IniKeys::Flag &flag : IniKeys::Flags) {
        if (entry.*flag.field) {
            out += flag.key;
            out += kLineEnd;
        }
    }
    for (const IniKeys::Number &number : IniKeys::OptionalNumbers) {
        if (entry.*number.field != number.absentValue)
            appendNumberLine(out, number.key, entry.*number.field);
    }
    out += entry.UnknownLines;
    out += kLineEnd;
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
        size += estimatedSize(doc.EntryTable[index]);
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

IoStatus WriteIniFile(const IniDocument &doc, const std::string &path, std::span<const std::size_t> displayedOrder,
                      FileSystem &fs)
{
    const std::vector<std::size_t> order = doc.SaveType == static_cast<std::int16_t>(SaveOrder::Displayed)
                                             ? coveredDisplayedOrder(doc, displayedOrder)
                                             : ReadInOrder(doc);
    if (IoStatus refused = refuseLineBreaks(doc, order, path); !refused.ok())
        return refused;
    return WriteFileAtomically(fs, path, [&doc, &order](const PieceWriter &write) {
        return WriteIniText(doc, order, write);
    });
}

SaveResult SaveIniFile(IniDocument &doc, const std::string &path, std::span<const std::size_t> displayedOrder,
                       IniPathResolver &resolver, FileSystem &fs)
{
    SaveResult result;
    result.status = WriteIniFile(doc, path, displayedOrder, fs);
    if (!result.status.ok())
        return result;
    doc.IniPath = path;
    resolver.ResolveIniPath(path);
    const TextEncoding written = doc.Encoding;
    result.reload = LoadIniFile(doc, fs);
    // Every text was just written in the document's encoding. Guessing again could read
    // it otherwise: an all-ASCII Windows-1252 file that now holds "\xC3\xA9" (typed as
    // "Ã©") looks like UTF-8.
    if (result.reload.status.ok())
        doc.Encoding = written;
    return result;
}

SaveResult SaveIniFile(IniDocument &doc, const std::string &path, std::span<const std::size_t> displayedOrder,
                       IniPathResolver &resolver)
{
    return SaveIniFile(doc, path, displayedOrder, resolver, DefaultFileSystem());
}
