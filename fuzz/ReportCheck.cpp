#include "FuzzChecks.h"

#include "inidb/RomEntry.h"
#include "inidb/TextStore.h"
#include "reports/CompatText.h"

#include <array>
#include <charconv>
#include <cstdlib>
#include <vector>

namespace {

constexpr std::array<std::string_view, 5> kSections = {"Playable", "Almost Playable", "Not Playable",
                                                       "Doesn't Work", "Other"};

// The text with its ASCII letters in one case; every other byte stays.
std::string inLetterCase(std::string_view text, bool upper)
{
    std::string changed(text);
    const char first = upper ? 'a' : 'A';
    for (char &c : changed) {
        if (c >= first && c <= first + 25)
            c = static_cast<char>(c - first + (upper ? 'A' : 'a'));
    }
    return changed;
}

// The section an entry belongs in: a comment equal to one of the first four headings in
// any letter case, else "Other".
std::size_t sectionOf(const RomEntry &entry)
{
    for (std::size_t i = 0; i + 1 < kSections.size(); ++i) {
        if (inLetterCase(entry.Comment, true) == inLetterCase(kSections[i], true))
            return i;
    }
    return kSections.size() - 1;
}

// The comment a selector byte asks for: a section's heading in one of three letter
// cases, the heading with a trailing blank (no match), the free text, or nothing.
std::string commentFor(unsigned char selector, std::string_view freeText)
{
    const std::string_view heading = kSections[selector % 4];
    switch ((selector / 4) % 6) {
    case 0: return std::string(heading);
    case 1: return inLetterCase(heading, true);
    case 2: return inLetterCase(heading, false);
    case 3: return std::string(heading) + " ";
    case 4: return std::string(freeText);
    default: return {};
    }
}

// One entry per line of the bytes: its first byte picks the comment, the rest is the
// name, a tab and the CRC. Fields never hold a line break: the loader splits lines and
// the properties dialog edits one line. Comments made here are kept in texts.
RomTable tableFromBytes(std::string_view bytes, TextStore &texts)
{
    RomTable table;
    while (!bytes.empty()) {
        const std::size_t end = bytes.find_first_of("\r\n");
        const std::string_view line = bytes.substr(0, end);
        bytes = end == std::string_view::npos ? std::string_view() : bytes.substr(end + 1);
        if (line.empty())
            continue;
        const std::string_view rest = line.substr(1);
        const std::size_t tab = rest.find('\t');
        RomEntry entry;
        entry.Name = texts.keep(rest.substr(0, tab));
        entry.CRC = texts.keep(tab == std::string_view::npos ? std::string_view() : rest.substr(tab + 1));
        entry.Comment = texts.keep(commentFor(static_cast<unsigned char>(line[0]), entry.Name));
        entry.Removed = (line[0] & 0x80) != 0;
        table.push_back(std::move(entry));
    }
    return table;
}

std::vector<std::string_view> reportLines(std::string_view text)
{
    std::vector<std::string_view> lines;
    std::size_t start = 0;
    for (std::size_t end; (end = text.find("\r\n", start)) != std::string_view::npos; start = end + 2)
        lines.push_back(text.substr(start, end - start));
    return lines;
}

// Walks the report's lines, each compared with what must stand there.
class ReportReader final {
public:
    explicit ReportReader(std::string_view text) : m_lines(reportLines(text)) {}

    bool expect(std::string_view line)
    {
        if (m_next >= m_lines.size() || m_lines[m_next] != line) {
            m_failure = "line " + std::to_string(m_next + 1) + " is not \"" + std::string(line) + "\"";
            return false;
        }
        ++m_next;
        return true;
    }

    bool expectHeading(std::string_view heading, std::string_view colon)
    {
        return expect(std::string(heading) + std::string(colon)) && expect(std::string(heading.size(), '*'));
    }

    // "(007/23) 30%": at least three digits, and the percentage within half a point.
    bool expectCount(std::size_t count, std::size_t total)
    {
        const std::string prefix = "(" + std::string(count < 100 ? 3 - std::to_string(count).size() : 0, '0')
                                 + std::to_string(count) + "/" + std::to_string(total) + ") ";
        if (m_next >= m_lines.size() || !m_lines[m_next].starts_with(prefix) || !m_lines[m_next].ends_with("%")) {
            m_failure = "line " + std::to_string(m_next + 1) + " does not start with " + prefix;
            return false;
        }
        const std::string_view digits = m_lines[m_next].substr(prefix.size(), m_lines[m_next].size() - prefix.size() - 1);
        long long percent = -1;
        const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), percent);
        const long long scaledCount = static_cast<long long>(count) * 100;
        const bool close = total == 0 ? percent == 0
                                      : 2 * std::llabs(percent * static_cast<long long>(total) - scaledCount)
                                            <= static_cast<long long>(total);
        if (error != std::errc() || end != digits.data() + digits.size() || !close) {
            m_failure = "line " + std::to_string(m_next + 1) + " has a wrong percentage";
            return false;
        }
        ++m_next;
        return true;
    }

    bool atEnd()
    {
        if (m_next != m_lines.size())
            m_failure = "the report goes on after its last section";
        return m_next == m_lines.size();
    }

    const std::string &failure() const { return m_failure; }

private:
    std::vector<std::string_view> m_lines;
    std::size_t m_next = 0;
    std::string m_failure;
};

} // namespace

std::string CheckReportText(std::string_view bytes)
{
    TextStore texts;
    const RomTable table = tableFromBytes(bytes, texts);
    const std::string text = CompatListText(table);
    if (!text.ends_with("\r\n"))
        return "the report does not end in CR LF";
    for (std::size_t at = 0; (at = text.find_first_of("\r\n", at)) != std::string::npos; at += 2) {
        if (text.compare(at, 2, "\r\n") != 0)
            return "the report holds a line break other than CR LF";
    }

    ReportReader reader(text);
    const std::string total = std::to_string(table.size());
    bool ok = reader.expectHeading("Velmoran ROM Compatibility", "") && reader.expect("")
           && reader.expect("Total ROMs: " + total) && reader.expect("");
    for (std::size_t section = 0; ok && section < kSections.size(); ++section) {
        ok = reader.expectHeading(kSections[section], ":");
        std::size_t count = 0;
        for (const RomEntry &entry : table) {
            if (ok && sectionOf(entry) == section) {
                ok = reader.expect(std::string(entry.Name) + " - " + CountryText(entry.CRC));
                ++count;
            }
        }
        ok = ok && reader.expect("") && reader.expectCount(count, table.size()) && reader.expect("");
    }
    return ok && reader.atEnd() ? std::string() : reader.failure();
}
