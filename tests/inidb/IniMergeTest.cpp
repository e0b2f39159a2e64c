// The three-way merge on small files, one rule a case: what the merged file holds when
// nobody chooses, and which differences are offered.
#include "inidb/IniMerge.h"
#include "inidb/IniReader.h"
#include "inidb/IniWriter.h"

#include <gtest/gtest.h>

#include <optional>

namespace {

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
             + Block("C-45", "Cr\xc3\xa8me", "Comment=\xe2\x82\xac\xe4\xb8\xad\r\n"),
         Block("A-45", "Caf\xe9") + B + Block("C-45", "Cr\xe8me"), "CB-45!Info CC-45!Comment* "},
        {"texts of a file in another encoding are taken into mine's", Block("A-45", "Caf\xe9"),
         Block("A-45", "Caf\xc3\xa9", "Info=\xe4\xb8\xad\r\n"), Block("A-45", "Caf\xe9", "Comment=Cr\xe8me\r\n"),
         Block("A-45", "Caf\xc3\xa9", "Comment=Cr\xc3\xa8me\r\nInfo=\xe4\xb8\xad\r\n"), "TA-45* "},
    };
    for (const MergeCase &c : cases) {
        IniDocument base = Loaded(c.base.value_or(""));
        IniDocument mine = Loaded(c.mine);
        const IniDocument theirs = Loaded(c.theirs);
        const MergeSide baseSide = DocumentSide(base);
        const MergeResult result = MergeIni(c.base ? &baseSide : nullptr, DocumentSide(mine), DocumentSide(theirs));
        EXPECT_EQ(Described(result), c.changes) << c.rule;
        ApplyMergeEdits(mine, EditsForChoices(mine, result, DefaultChoices(result),
                                              result.preamble && result.preamble->takenByDefault));
        EXPECT_EQ(SerializeIni(mine, ReadInOrder(mine)), c.merged) << c.rule;
    }
}

} // namespace
