#include "FuzzChecks.h"

#include "inidb/IniReader.h"
#include "inidb/IniWriter.h"

#include <algorithm>
#include <unordered_set>
#include <vector>

namespace {

bool holdsLineBreak(std::string_view text)
{
    return text.find_first_of("\r\n") != std::string_view::npos;
}

// Lines as the reader cuts them: CR LF, LF and a lone CR each end one.
std::vector<std::string_view> linesOf(std::string_view bytes)
{
    std::vector<std::string_view> lines;
    while (!bytes.empty()) {
        const std::size_t end = std::min(bytes.find_first_of("\r\n"), bytes.size());
        lines.push_back(bytes.substr(0, end));
        const bool crLf = end + 1 < bytes.size() && bytes[end] == '\r' && bytes[end + 1] == '\n';
        bytes.remove_prefix(std::min(bytes.size(), end + (crLf ? 2 : 1)));
    }
    return lines;
}

std::string checkEntry(const RomEntry &entry, std::size_t index)
{
    const std::string where = "entry " + std::to_string(index) + ": ";
    if (entry.ScaleFactor == 0 || entry.EepromSize == 0)
        return where + "a 0 that loading must turn into the value used";
    if (entry.Removed)
        return where + "removed straight after loading";
    for (const StoredText text : {entry.Name, entry.CRC, entry.Comment, entry.Info}) {
        if (holdsLineBreak(text))
            return where + "a field holds a line break";
    }
    for (std::string_view kept = entry.UnknownLines; !kept.empty();) {
        const std::size_t end = kept.find("\r\n");
        if (end == 0 || end == std::string_view::npos || holdsLineBreak(kept.substr(0, end)))
            return where + "a kept line is empty, holds a line break or does not end in CR LF";
        kept.remove_prefix(end + 2);
    }
    return {};
}

// Every kept head line is a comment or (nearly) empty and ends in CR LF.
std::string checkPreamble(std::string_view preamble)
{
    std::size_t start = 0;
    while (start < preamble.size()) {
        const std::size_t end = preamble.find("\r\n", start);
        if (end == std::string_view::npos)
            return "the preamble does not end in CR LF";
        const std::string_view line = preamble.substr(start, end - start);
        const bool blank = line.find_first_not_of(" \t") == std::string_view::npos;
        if (!blank && !line.starts_with("//"))
            return "the preamble keeps a line that is no comment: " + std::string(line);
        if (holdsLineBreak(line))
            return "a preamble line holds a line break";
        start = end + 2;
    }
    return {};
}

IniDocument documentOf(std::string_view bytes)
{
    ParsedIni parsed = ParseIni(bytes);
    IniDocument doc;
    doc.EntryTable = std::move(parsed.entries);
    doc.Texts = std::move(parsed.texts);
    doc.Preamble = std::move(parsed.preamble);
    return doc;
}

std::string savedBytes(const IniDocument &doc)
{
    return SerializeIni(doc, ReadInOrder(doc));
}

// Every line that gives a text key a value is in the saved file, even for a key given
// twice in a block.
std::string checkTextValuesKept(std::string_view bytes, std::string_view saved)
{
    const std::vector<std::string_view> savedLines = linesOf(saved);
    const std::unordered_set<std::string_view> written(savedLines.begin(), savedLines.end());
    for (std::string_view line : linesOf(bytes)) {
        for (std::string_view key : {"Name=", "Comment=", "Info="}) {
            if (line.size() > key.size() && line.starts_with(key) && !written.contains(line))
                return "the saved file lost the line " + std::string(line);
        }
    }
    return {};
}

std::string changedField(const RomEntry &before, const RomEntry &after)
{
    if (before.CRC != after.CRC)
        return "CRC";
    if (before.Name != after.Name)
        return "Name";
    if (before.Comment != after.Comment)
        return "Comment";
    if (before.Info != after.Info)
        return "Info";
    if (before.UnknownLines != after.UnknownLines)
        return "kept unknown lines";
    return "a number or a flag";
}

// The same bytes read in pieces, as a file is read, give the same table: in pieces of a
// size the input picks (up to 256 bytes, so a piece may end anywhere in a 64-byte scan),
// and in the real reader's pieces of 64 KB once the input is that long.
std::string checkPieceSize(std::string_view bytes, const ParsedIni &whole, std::size_t pieceSize)
{
    std::vector<std::string_view> pieces;
    for (std::size_t at = 0; at < bytes.size(); at += pieceSize)
        pieces.push_back(bytes.substr(at, pieceSize));
    const ParsedIni pieced = ParseIni(pieces);
    if (pieced.entries != whole.entries || pieced.preamble != whole.preamble || pieced.encoding != whole.encoding)
        return "reading in pieces of " + std::to_string(pieceSize) + " bytes gives another table";
    const auto sameProblem = [](const LoadProblem &a, const LoadProblem &b) {
        return a.lineNumber == b.lineNumber && a.line == b.line && a.whatWasUsed == b.whatWasUsed;
    };
    if (!std::equal(pieced.problems.begin(), pieced.problems.end(), whole.problems.begin(), whole.problems.end(),
                    sameProblem))
        return "reading in pieces of " + std::to_string(pieceSize) + " bytes tells other problems";
    return {};
}

std::string checkPieces(std::string_view bytes, const ParsedIni &whole)
{
    constexpr std::size_t kReadPiece = std::size_t{64} << 10;
    if (bytes.size() > kReadPiece) {
        if (std::string failure = checkPieceSize(bytes, whole, kReadPiece); !failure.empty())
            return failure;
    }
    // The middle byte varies more than the first, which is nearly always a bracket.
    const std::size_t pickedSize =
        1 + (bytes.size() + (bytes.empty() ? 0 : static_cast<unsigned char>(bytes[bytes.size() / 2]))) % 256;
    return pickedSize < bytes.size() ? checkPieceSize(bytes, whole, pickedSize) : std::string();
}

} // namespace

std::string CheckParse(std::string_view bytes)
{
    const ParsedIni parsed = ParseIni(bytes);
    if (std::string failure = checkPieces(bytes, parsed); !failure.empty())
        return failure;
    const std::size_t lines = linesOf(bytes).size();
    if (parsed.entries.size() > lines)
        return "more entries than lines";
    for (std::size_t i = 0; i < parsed.entries.size(); ++i) {
        if (std::string failure = checkEntry(parsed.entries[i], i); !failure.empty())
            return failure;
    }
    if (std::string failure = checkPreamble(parsed.preamble); !failure.empty())
        return failure;
    std::size_t previous = 1;
    for (const LoadProblem &problem : parsed.problems) {
        if (problem.lineNumber < previous || problem.lineNumber > lines)
            return "a problem names line " + std::to_string(problem.lineNumber) + " of "
                 + std::to_string(lines);
        previous = problem.lineNumber;
    }
    return {};
}

std::string CheckRoundTrip(std::string_view bytes)
{
    const IniDocument first = documentOf(bytes);
    const std::string saved = savedBytes(first);
    if (std::string failure = checkTextValuesKept(bytes, saved); !failure.empty())
        return failure;
    const IniDocument second = documentOf(saved);
    if (second.Preamble != first.Preamble)
        return "the preamble changed on reloading the saved file";
    if (second.EntryTable.size() != first.EntryTable.size())
        return "the saved file reloads with " + std::to_string(second.EntryTable.size()) + " entries instead of "
             + std::to_string(first.EntryTable.size());
    const auto [firstDifferent, secondDifferent] =
        std::mismatch(first.EntryTable.begin(), first.EntryTable.end(), second.EntryTable.begin());
    if (firstDifferent != first.EntryTable.end())
        return "entry " + std::to_string(firstDifferent - first.EntryTable.begin()) + " reloads with another "
             + changedField(*firstDifferent, *secondDifferent);
    if (savedBytes(second) != saved)
        return "saving the reloaded file gives other bytes";
    return {};
}
