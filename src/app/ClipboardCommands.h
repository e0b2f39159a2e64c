#pragma once

#include <cstddef>
#include <span>
#include <vector>

class DocumentSession;
class QWidget;
class UserInterface;
struct IniDocument;

// Copy: the blocks of the entries, in that order, on the clipboard as text, exactly as
// the file would hold them.
void CopyEntries(const IniDocument &doc, std::span<const std::size_t> entries);

// Paste: reads the clipboard's text as the loader reads a file. A ROM whose CRC is not in
// the table goes to its end, in clipboard order; when some are there already the user is
// asked whether to replace their settings too. One step; a text the file cannot hold is
// refused whole, and lines that could not be read are told as for a file. Gives the
// places of the entries pasted, empty when nothing was.
std::vector<std::size_t> PasteEntries(QWidget *parent, DocumentSession &session, UserInterface &ui);
