// The three-way merge: on small files one rule a case (what the merged file holds when
// nobody chooses, and which differences are offered); on generated files, edits of each
// side that touch different fields arrive together, edits of the same field are exactly
// the conflicts, and a side that changed nothing gives the other side's file byte for
// byte, whatever the files' encodings.
#include "inidb/IniKeys.h"
#include "inidb/IniMerge.h"
#include "inidb/IniReader.h"
#include "inidb/IniWriter.h"
#include "inidb/MergeFields.h"

#include <gtest/gtest.h>

#include <optional>
#include <random>
#include <set>

namespace {

IniDocument Loaded(std::string_view bytes)
{
    ParsedIni parsed = ParseIni(bytes);
    IniDocument doc;
    TakeParsed(doc, parsed);
    return doc;
}

struct Merged {
    std::string bytes;
    MergeResult result;
};

// Mine's file after the merge as nobody chose.
Merged MergedAsNobodyChose(const std::optional<std::string> &base, const std::string &mine, const std::string &theirs)
{
    const IniDocument baseDoc = Loaded(base.value_or(""));
    IniDocument mineDoc = Loaded(mine);
    const IniDocument theirsDoc = Loaded(theirs);
    const MergeSide baseSide = DocumentSide(baseDoc);
    Merged merged;
    merged.result = MergeIni(base ? &baseSide : nullptr, DocumentSide(mineDoc), DocumentSide(theirsDoc));
    ApplyMergeEdits(mineDoc, DefaultEdits(mineDoc, merged.result));
    merged.bytes = SerializeIni(mineDoc, ReadInOrder(mineDoc));
    return merged;
}

// "{CRC} Field" of each conflicting field; "head" for the head.
std::set<std::string> ConflictsOf(const MergeResult &result)
{
    std::set<std::string> conflicts;
    for (const MergeChange &change : result.changes)
        for (const FieldConflict &conflict : change.conflicts)
            conflicts.insert("{" + std::string(change.theirs.CRC) + "} " + std::string(MergeFieldName(conflict.field)));
    if (result.preamble && result.preamble->conflict)
        conflicts.insert("head");
    return conflicts;
}

std::string Block(std::string_view crc, std::string_view name, std::string_view lines = "")
{
    return "{" + std::string(crc) + "}\r\nName=" + std::string(name) + "\r\nUCode=0\r\n" + std::string(lines) + "\r\n";
}

// One letter per change (New, changed There, Conflict, Removed there), the CRC, the
// conflicting fields or who removed it, and "*" when it is taken by default.
std::string Described(const MergeResult &result)
{
    std::string text;
    for (const MergeChange &change : result.changes) {
        text += "NTCR"[static_cast<int>(change.kind)];
        text += std::string(change.theirs.CRC);
        for (const FieldConflict &conflict : change.conflicts)
            text += std::string(conflict.theirsUnencodable ? "!" : ":") + std::string(MergeFieldName(conflict.field));
        if (change.crcUnencodable)
            text += "!CRC";
        if (change.removedOn != RemovedOn::None)
            text += change.removedOn == RemovedOn::Mine ? "/removed here" : "/removed there";
        text += change.takenByDefault ? "* " : " ";
    }
    if (result.preamble)
        text += std::string("head") + (result.preamble->conflict ? "!" : "") + (result.preamble->takenByDefault ? "*" : "");
    return text;
}

struct MergeCase {
    const char *rule;
    std::optional<std::string> base;
    std::string mine;
    std::string theirs;
    std::string merged;
    std::string changes;
};

const std::string A = Block("A-45", "Alpha");
const std::string B = Block("B-45", "Beta");
const std::string C = Block("C-45", "Gamma");
const std::string D = Block("D-45", "Delta");

TEST(IniMerge, EachRuleGivesItsFileAndItsChoices)
{
    const MergeCase cases[] = {
        {"changes of each side are both taken", A + B, A + Block("B-45", "Beta", "Info=mine\r\n"),
         Block("A-45", "Alpha", "Info=theirs\r\n") + B,
         Block("A-45", "Alpha", "Info=theirs\r\n") + Block("B-45", "Beta", "Info=mine\r\n"), "TA-45* "},
        {"the same change on both sides is no difference", A, Block("A-45", "Alpha", "DisableEeprom\r\n"),
         Block("A-45", "Alpha", "DisableEeprom\r\n"), Block("A-45", "Alpha", "DisableEeprom\r\n"), ""},
        {"different changes keep mine; other fields theirs changed are taken", A,
         Block("A-45", "Alpha", "Info=mine\r\n"), Block("A-45", "Alpha 2", "Info=theirs\r\nScaleFactor=2\r\n"),
         Block("A-45", "Alpha 2", "Info=mine\r\nScaleFactor=2\r\n"), "CA-45:Info* "},
        {"a CRC held twice matches by name", Block("X-45", "P") + Block("X-45", "Q"),
         Block("X-45", "Q", "Info=mine\r\n") + Block("X-45", "P"), Block("X-45", "P", "Info=theirs\r\n") + Block("X-45", "Q"),
         Block("X-45", "Q", "Info=mine\r\n") + Block("X-45", "P", "Info=theirs\r\n"), "TX-45* "},
        {"then by order among those", Block("X-45", "P") + Block("X-45", "Q"), Block("X-45", "P") + Block("X-45", "Q"),
         Block("X-45", "P2") + Block("X-45", "Q"), Block("X-45", "P2") + Block("X-45", "Q"), "TX-45* "},
        {"removed there and untouched here is removed", A + B, A + B, A, A, "RB-45* "},
        {"removed there and changed here is a conflict", A + B, A + Block("B-45", "Beta", "Info=mine\r\n"), A,
         A + Block("B-45", "Beta", "Info=mine\r\n"), "CB-45/removed there "},
        {"removed here and changed there is a conflict", A + B, A, A + Block("B-45", "Beta", "Info=theirs\r\n"), A,
         "CB-45/removed here "},
        {"removed here and untouched there stays removed", A + B, A, A + B, A, ""},
        {"added ROMs go after their neighbours", A + C, D + A + C, A + B + C + Block("E-45", "Epsilon"),
         D + A + B + C + Block("E-45", "Epsilon"), "NB-45* NE-45* "},
        {"added on both sides differently", A, A + Block("B-45", "Beta", "Info=mine\r\n"),
         A + Block("B-45", "Beta", "Info=theirs\r\n"), A + Block("B-45", "Beta", "Info=mine\r\n"), "CB-45:Info "},
        {"a head only theirs changed is taken", "// old\r\n" + A, "// old\r\n" + A, "// new\r\n" + A, "// new\r\n" + A,
         "head*"},
        {"a head both changed keeps mine", "// old\r\n" + A, "// mine\r\n" + A, "// new\r\n" + A, "// mine\r\n" + A,
         "head!"},
        {"without a base every difference is offered and only new ROMs are taken", std::nullopt,
         "// mine\r\n" + A + Block("B-45", "Beta", "Info=mine\r\n") + D, "// new\r\n" + A + B + C,
         "// mine\r\n" + A + Block("B-45", "Beta", "Info=mine\r\n") + C + D, "TB-45 NC-45* RD-45 head"},
        {"kept lines merge as one value", A, Block("A-45", "Alpha", "Colour=red\r\n"),
         Block("A-45", "Alpha", "Colour=blue\r\n"), Block("A-45", "Alpha", "Colour=red\r\n"), "CA-45:Other lines "},
        {"a character mine's encoding lacks is a conflict, never a stand-in",
         Block("A-45", "Caf\xe9") + B, Block("A-45", "Caf\xe9") + B,
         Block("A-45", "Caf\xc3\xa9") + Block("B-45", "Beta", "Info=\xe4\xb8\xad\r\n")
             + Block("C-45", "Cr\xc3\xa8me", "Comment=\xe2\x82\xac\xe4\xb8\xad\r\n") + Block("\xe4\xb8\xad", "Han"),
         Block("A-45", "Caf\xe9") + B + Block("C-45", "Cr\xe8me"), "CB-45!Info CC-45!Comment* C\xe4\xb8\xad!CRC "},
        {"texts of a file in another encoding are taken into mine's", Block("A-45", "Caf\xe9"),
         Block("A-45", "Caf\xc3\xa9", "Info=\xe4\xb8\xad\r\n"), Block("A-45", "Caf\xe9", "Comment=Cr\xe8me\r\n"),
         Block("A-45", "Caf\xc3\xa9", "Comment=Cr\xc3\xa8me\r\nInfo=\xe4\xb8\xad\r\n"), "TA-45* "},
    };
    for (const MergeCase &c : cases) {
        const Merged merged = MergedAsNobodyChose(c.base, c.mine, c.theirs);
        EXPECT_EQ(Described(merged.result), c.changes) << c.rule;
        EXPECT_EQ(merged.bytes, c.merged) << c.rule;
    }
}

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
    return SerializeIni(doc, ReadInOrder(doc));
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

TEST(MergeProperty, EditsOfBothSidesArriveAndOnlyTheSameFieldsConflict)
{
    constexpr TextEncoding cp1252 = TextEncoding::Windows1252;
    constexpr TextEncoding utf8 = TextEncoding::Utf8;
    const unsigned firstSeed = std::random_device{}();
    for (unsigned seed = firstSeed; seed < firstSeed + 40; ++seed) {
        SCOPED_TRACE("seed " + std::to_string(seed));
        const RandomEdits files(seed);
        EXPECT_EQ(MergedAsNobodyChose(files.base, files.mine, files.base).bytes, files.mine);
        EXPECT_EQ(MergedAsNobodyChose(files.base, files.base, files.mine).bytes, files.mine);
        // Each side in either encoding; the result is in mine's.
        const TextEncoding mineEncoding = seed % 3 == 2 ? utf8 : cp1252;
        const TextEncoding theirsEncoding = seed % 3 == 1 ? utf8 : cp1252;
        const Merged merged = MergedAsNobodyChose(files.base, Recoded(files.mine, cp1252, mineEncoding),
                                                  Recoded(files.theirs, cp1252, theirsEncoding));
        EXPECT_EQ(merged.bytes, Recoded(files.merged, cp1252, mineEncoding));
        EXPECT_EQ(ConflictsOf(merged.result), files.overlapping);
    }
}

} // namespace
