#pragma once

#include "DiskSnapshot.h"
#include "IniDocument.h"
#include "IoStatus.h"

#include <cstddef>
#include <span>
#include <string>
#include <string_view>
#include <vector>

class FileSystem;

// A line the loader could not read as written, and what it used instead.
struct LoadProblem {
    std::size_t lineNumber = 0; // 1-based
    std::string line;
    std::string whatWasUsed;
    // The line itself was read; what is told is about another line (the earlier value of a
    // key given twice, kept as written).
    bool lineRead = false;
};

// The entries and preamble read from a file's bytes. The entries' texts live in texts.
struct ParsedIni {
    RomTable entries;
    TextStore texts;
    std::string preamble;
    std::vector<LoadProblem> problems;
    TextEncoding encoding = TextEncoding::Windows1252;
};

ParsedIni ParseIni(std::string_view bytes);
// Gives doc the table, texts, head and encoding of parsed (its problems stay).
void TakeParsed(IniDocument &doc, ParsedIni &parsed);
// The same for bytes that arrive in pieces, which may end anywhere.
ParsedIni ParseIni(std::span<const std::string_view> pieces);

struct LoadResult {
    IoStatus status;
    std::vector<LoadProblem> problems;
    DiskSnapshot snapshot; // of the bytes read
};

// Reads doc.IniPath into doc.EntryTable and doc.Preamble and raises doc.LoadGeneration.
// The new table and its texts are built aside and only then take the place of the old
// ones, so when the file cannot be read the document is left exactly as it was.
LoadResult LoadIniFile(IniDocument &doc, FileSystem &fs);
LoadResult LoadIniFile(IniDocument &doc);

// The main window's caption before and after a load.
extern const char *const DesignCaption; // "Tamsic (Velmoran ini Editor)"
std::string LoadedCaption(const std::string &iniPath);
