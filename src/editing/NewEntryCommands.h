#pragma once

#include <cstddef>
#include <functional>
#include <optional>

class DocumentSession;
class QWidget;
class UserInterface;

// Add ROM Entry: asks for the CRC and the name of the new ROM, then shows its properties;
// OK there adds it at the end of the table as one step. Gives its table place, or nullopt
// when the user cancelled.
std::optional<std::size_t> AddRomEntry(QWidget *parent, DocumentSession &session, UserInterface &ui,
                                       const std::function<void(QWidget &dialog)> &print);

// Duplicate ROM Entry: every setting of the entry at source (its unknown lines too) under
// a CRC and a name the user gives, at the end of the table as one step.
std::optional<std::size_t> DuplicateRomEntry(QWidget *parent, DocumentSession &session, std::size_t source,
                                             UserInterface &ui);
