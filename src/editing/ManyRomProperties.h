#pragma once

#include "inidb/EntryChanges.h"

#include <QString>

#include <array>
#include <cstddef>
#include <vector>

class frmProperties;
struct IniDocument;

// The properties dialog over several ROMs. A control shows the value all of them hold,
// or that they differ: a check box in its third state, a list on "(several values)", an
// empty text box with "(several values)" in grey. Name and country are only shown, and
// Print, which prints one ROM's page, is greyed. OK gives only the controls the user
// changed; the enabling rules and key filters are the dialog's own.
class ManyRomProperties final {
public:
    // Fills the dialog, in its design state, from the entries of doc (at least one).
    ManyRomProperties(frmProperties &dialog, const IniDocument &doc, const std::vector<std::size_t> &entries);

    // Each control the user changed since, with its value.
    EntryChanges changes() const;

private:
    static constexpr std::size_t FlagCount = 7;
    static constexpr std::size_t NumberCount = 3;

    frmProperties &m_dialog;
    // Each control as it was filled.
    std::array<int, FlagCount> m_flagStates{};
    std::array<int, NumberCount> m_numberItems{};
    int m_commentItem = -1;
    QString m_info;
    QString m_rescan;
    bool m_infoDiffers = false;
    bool m_rescanDiffers = false;
};
