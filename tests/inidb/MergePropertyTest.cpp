// The merge on generated files: edits of each side that touch different fields arrive
// together, edits of the same field are exactly the conflicts, and a side that changed
// nothing gives the other side's file byte for byte, whatever the files' encodings.
#include "inidb/IniMerge.h"
#include "inidb/IniReader.h"
#include "inidb/IniKeys.h"
#include "inidb/IniWriter.h"
#include "inidb/MergeFields.h"

#include <gtest/gtest.h>

#include <random>
#include <set>

namespace {

constexpr MergeField kValueFields[] = {MergeField::Name, MergeField::UCode, MergeField::Comment, MergeField::Info,
                                       MergeField::ScaleFactor, MergeField::EepromSize, MergeField::OSRescanCount,
                                       MergeField::UnknownLines};

std::string Recoded(std::string_view bytes, TextEncoding from, TextEncoding to)
{
    std::u16string characters(bytes.size(), u'\0');
    characters.resize(DecodeText(from, bytes, characters.data()));
    return EncodeText(to, characters).bytes;
}

std::string Serialized(const RomTable &table, const std::string &preamble)
{
    IniDocument doc;
    doc.EntryTable = table;
    doc.Preamble = preamble;
    std::vector<std::size_t> order(table.size());
    for (std::size_t index = 0; index < order.size(); ++index)
        order[index] = index;
    return SerializeIni(doc, order);
}

// A base file, mine and theirs made from it by random edits, and what merging them gives.
class RandomEdits final {
public:
    explicit RandomEdits(unsigned seed) : m_random(seed)
    {
        const std::string preamble = "// caf\xe9 list\r\n\r\n";
        RomTable base;
        std::vector<bool> duplicate;
        for (int index = 0; index < 80; ++index) {
            const bool again = index > 4 && chance(12);
            base.push_back(entry(again ? std::string(base[pick(base.size())].CRC) : crc()));
            duplicate.push_back(again);
        }
        RomTable mine;
        RomTable theirs;
        RomTable merged;
        for (std::size_t index = 0; index < base.size(); ++index)
            edit(base[index], duplicate[index], mine, theirs, merged);
        const std::string minePreamble = chance(30) ? "// mine\r\n" + preamble : preamble;
        const std::string theirsPreamble = chance(30) ? preamble + "// theirs\r\n" : preamble;
        this->base = Serialized(base, preamble);
        this->mine = Serialized(mine, minePreamble);
        this->theirs = Serialized(theirs, theirsPreamble);
        this->merged = Serialized(merged, minePreamble != preamble ? minePreamble : theirsPreamble);
        if (minePreamble != preamble && theirsPreamble != preamble)
            overlapping.insert("head");
    }

    std::string base, mine, theirs, merged;
    // "{CRC} Field" of each field both sides changed differently; "head" for the head.
    std::set<std::string> overlapping;

private:
    bool chance(int percent) { return std::uniform_int_distribution<int>(0, 99)(m_random) < percent; }
    std::size_t pick(std::size_t count) { return std::uniform_int_distribution<std::size_t>(0, count - 1)(m_random); }
    std::string word() { return std::string("abcdefgh\xe9" "AB").substr(pick(8), 1 + pick(3)) + std::to_string(++m_made); }
    std::string crc() { return std::to_string(m_random()) + "-" + std::to_string(++m_made) + "-45"; }

    RomEntry entry(const std::string &crc)
    {
        static const char *const comments[] = {"", "Playable", "Not Playable", "Almost Playable"};
        static const std::int16_t eepromSizes[] = {2048, 4096, 512, 16384};
        RomEntry made;
        made.CRC = m_texts.keep(crc);
        made.Name = m_texts.keep("Rom " + word());
        made.UCode = static_cast<std::int16_t>(pick(9));
        made.Comment = m_texts.keep(comments[pick(4)]);
        made.Info = m_texts.keep(chance(30) ? word() : "");
        for (const IniKeys::Flag &flag : IniKeys::Flags)
            made.*flag.field = chance(20);
        made.EepromSize = eepromSizes[pick(4)];
        made.OSRescanCount = static_cast<std::int16_t>(pick(5));
        made.ScaleFactor = static_cast<std::int16_t>(1 + pick(4));
        made.UnknownLines = m_texts.keep(chance(15) ? "Colour=" + word() + "\r\n" : "");
        return made;
    }

    // Gives changed's field a value neither it nor other has.
    void setNew(RomEntry &changed, MergeField field, const RomEntry &other)
    {
        const RomEntry before = changed;
        do
            CopyField(changed, entry(""), field);
        while (MergeFieldText(changed, field) == MergeFieldText(before, field)
               || MergeFieldText(changed, field) == MergeFieldText(other, field));
    }

    // Changes a field other than notThis; Name stays on a CRC held twice.
    MergeField changeField(RomEntry &changed, bool duplicate, std::optional<MergeField> notThis = {})
    {
        MergeField field;
        do
            field = static_cast<MergeField>(pick(MergeFieldCount));
        while ((duplicate && field == MergeField::Name) || field == notThis);
        setNew(changed, field, RomEntry(changed));
        return field;
    }

    void edit(const RomEntry &original, bool duplicate, RomTable &mine, RomTable &theirs, RomTable &merged)
    {
        RomEntry mineEntry = original;
        RomEntry theirsEntry = original;
        const int role = static_cast<int>(pick(100));
        if (role < 10) {
            changeField(mineEntry, duplicate);
        } else if (role < 20) {
            changeField(theirsEntry, duplicate);
        } else if (role < 27) {
            changeField(theirsEntry, duplicate, changeField(mineEntry, duplicate));
        } else if (role < 32) {
            MergeField field;
            do
                field = kValueFields[pick(std::size(kValueFields))];
            while (duplicate && field == MergeField::Name);
            setNew(mineEntry, field, original);
            setNew(theirsEntry, field, mineEntry);
            overlapping.insert("{" + std::string(original.CRC) + "} " + std::string(MergeFieldName(field)));
        }
        RomEntry mergedEntry = mineEntry;
        for (std::size_t field = 0; field < MergeFieldCount; ++field)
            if (MergeFieldText(mineEntry, MergeField(field)) == MergeFieldText(original, MergeField(field)))
                CopyField(mergedEntry, theirsEntry, MergeField(field));
        const bool mineKeeps = role < 32 || role >= 37;
        const bool theirsKeeps = role < 35 || role >= 39;
        if (mineKeeps)
            mine.push_back(mineEntry);
        if (theirsKeeps)
            theirs.push_back(theirsEntry);
        if (mineKeeps && theirsKeeps)
            merged.push_back(mergedEntry);
        // Each side adds after an entry it keeps and the other leaves alone.
        if (role >= 39 && role < 45)
            addAfter({&mine, &merged});
        if (role >= 45 && role < 51)
            addAfter({&theirs, &merged});
    }

    void addAfter(std::initializer_list<RomTable *> tables)
    {
        const RomEntry added = entry(crc());
        for (RomTable *table : tables)
            table->push_back(added);
    }

    std::mt19937 m_random;
    TextStore m_texts;
    unsigned m_made = 0;
};

IniDocument Loaded(std::string_view bytes)
{
    ParsedIni parsed = ParseIni(bytes);
    IniDocument doc;
    doc.EntryTable = std::move(parsed.entries);
    doc.Texts = std::move(parsed.texts);
    doc.Preamble = std::move(parsed.preamble);
    doc.Encoding = parsed.encoding;
    return doc;
}

// Mine's file after the merge as nobody chose, with the conflicts it reported.
std::string Merged(const std::string &base, const std::string &mine, const std::string &theirs,
                   std::set<std::string> *conflicts = nullptr)
{
    const IniDocument baseDoc = Loaded(base);
    IniDocument mineDoc = Loaded(mine);
    const IniDocument theirsDoc = Loaded(theirs);
    const MergeSide baseSide = DocumentSide(baseDoc);
    const MergeResult result = MergeIni(&baseSide, DocumentSide(mineDoc), DocumentSide(theirsDoc));
    for (const MergeChange &change : result.changes)
        for (const FieldConflict &conflict : change.conflicts)
            if (conflicts)
                conflicts->insert("{" + std::string(change.theirs.CRC) + "} " + std::string(MergeFieldName(conflict.field)));
    if (conflicts && result.preamble && result.preamble->conflict)
        conflicts->insert("head");
    ApplyMergeEdits(mineDoc, EditsForChoices(mineDoc, result, DefaultChoices(result),
                                             result.preamble && result.preamble->takenByDefault));
    return SerializeIni(mineDoc, ReadInOrder(mineDoc));
}

TEST(MergeProperty, EditsOfBothSidesArriveAndOnlyTheSameFieldsConflict)
{
    constexpr TextEncoding cp1252 = TextEncoding::Windows1252;
    constexpr TextEncoding utf8 = TextEncoding::Utf8;
    const unsigned firstSeed = std::random_device{}();
    for (unsigned seed = firstSeed; seed < firstSeed + 40; ++seed) {
        SCOPED_TRACE("seed " + std::to_string(seed));
        const RandomEdits files(seed);
        EXPECT_EQ(Merged(files.base, files.mine, files.base), files.mine);
        EXPECT_EQ(Merged(files.base, files.base, files.mine), files.mine);
        EXPECT_EQ(Merged(files.base, files.theirs, files.base), files.theirs);
        // Each side in either encoding; the result is in mine's.
        const TextEncoding mineEncoding = seed % 3 == 2 ? utf8 : cp1252;
        const TextEncoding theirsEncoding = seed % 3 == 1 ? utf8 : cp1252;
        std::set<std::string> conflicts;
        EXPECT_EQ(Merged(files.base, Recoded(files.mine, cp1252, mineEncoding),
                         Recoded(files.theirs, cp1252, theirsEncoding), &conflicts),
                  Recoded(files.merged, cp1252, mineEncoding));
        EXPECT_EQ(conflicts, files.overlapping);
    }
}

} // namespace
