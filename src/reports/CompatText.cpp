#include "CompatText.h"

#include "inidb/AsciiCase.h"
#include "inidb/DocumentSave.h"
#include "inidb/ListText.h"
#include "inidb/SafeFile.h"

#include <array>
#include <cstdio>

namespace {

constexpr std::string_view kLineEnd = "\r\n";

struct Category {
    const char *upperComment; // nullptr: everything no other category takes
    const char *heading;      // without its colon
    std::vector<const RomEntry *> entries;
};

void appendLine(std::string &out, std::string_view text = {})
{
    out += text;
    out += kLineEnd;
}

// A heading and its underline of as many asterisks as the heading has characters.
void appendHeading(std::string &out, std::string_view heading, char colon)
{
    out += heading;
    if (colon)
        out += colon;
    out += kLineEnd;
    appendLine(out, std::string(heading.size(), '*'));
}

// At least three digits: 7 gives 007, 1234 stays 1234.
std::string countText(std::size_t count)
{
    char digits[24];
    std::snprintf(digits, sizeof digits, "%03zu", count);
    return digits;
}

} // namespace

std::string PercentText(int count, int total)
{
    if (total == 0)
        return "0%";
    // Whole-number arithmetic so a half is an exact half and goes to the even neighbour.
    const long long scaled = static_cast<long long>(count) * 100;
    long long quotient = scaled / total;
    const long long twiceRest = 2 * (scaled % total);
    if (twiceRest > total || (twiceRest == total && quotient % 2 != 0))
        ++quotient;
    return std::to_string(quotient) + "%";
}

std::string CountryText(std::string_view crc)
{
    return CountryTable(CountryCode(crc)).listText;
}

std::string CompatListText(const RomTable &entries, std::span<const std::size_t> leftOut)
{
    // In the order the report lists them; a comment is tested against them top down.
    std::array<Category, 5> categories{{
        {"PLAYABLE", "Playable", {}},
        {"ALMOST PLAYABLE", "Almost Playable", {}},
        {"NOT PLAYABLE", "Not Playable", {}},
        {"DOESN'T WORK", "Doesn't Work", {}},
        {nullptr, "Other", {}},
    }};
    std::size_t listed = 0;
    auto nextLeftOut = leftOut.begin();
    for (std::size_t index = 0; index < entries.size(); ++index) {
        if (nextLeftOut != leftOut.end() && *nextLeftOut == index) {
            ++nextLeftOut;
            continue;
        }
        ++listed;
        const RomEntry &entry = entries[index];
        const std::string comment = UpperCasedAscii(entry.Comment);
        for (Category &category : categories) {
            if (!category.upperComment || comment == category.upperComment) {
                category.entries.push_back(&entry);
                break;
            }
        }
    }

    const std::string total = std::to_string(listed);
    std::string out;
    // Each item line is the name plus at most 20 characters.
    std::size_t size = 512;
    for (const RomEntry &entry : entries)
        size += entry.Name.size() + 20;
    out.reserve(size);
    appendHeading(out, "Velmoran ROM Compatibility", 0);
    appendLine(out);
    appendLine(out, "Total ROMs: " + total);
    appendLine(out);
    for (const Category &category : categories) {
        appendHeading(out, category.heading, ':');
        for (const RomEntry *entry : category.entries) {
            out += entry->Name;
            out += " - ";
            appendLine(out, CountryTable(CountryCode(entry->CRC)).listText);
        }
        appendLine(out);
        appendLine(out, "(" + countText(category.entries.size()) + "/" + total + ") "
                            + PercentText(static_cast<int>(category.entries.size()),
                                          static_cast<int>(listed)));
        appendLine(out);
    }
    return out;
}

IoStatus WriteCompatList(const IniDocument &doc, const std::string &path, FileSystem &fs)
{
    return WriteFileAtomically(fs, path, CompatListText(doc.EntryTable, SavedRemovals(doc)));
}
