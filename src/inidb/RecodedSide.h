#pragma once

#include "IniMerge.h"
#include "MergeFields.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// A side of a merge with its texts in another encoding, so they compare with mine's byte
// for byte. A side already in that encoding is used as it is, without a copy. A text the
// encoding cannot hold keeps the side's own bytes and is marked, so it never passes for
// a text of mine.
// In unencodable: the CRC is one the target encoding cannot hold.
inline constexpr MergeFieldSet UnencodableCrc = 1u << MergeFieldCount;

class RecodedSide final {
public:
    RecodedSide(const MergeSide &side, TextEncoding to);
    RecodedSide(const RecodedSide &) = delete;
    RecodedSide &operator=(const RecodedSide &) = delete;

    const MergeSide &side() const { return m_recoded ? m_own : *m_original; }
    const RomEntry &entry(std::size_t position) const { return (*side().table)[side().order[position]]; }
    // The text fields of the entry at that order position the target encoding cannot hold
    // (and UnencodableCrc).
    MergeFieldSet unencodable(std::size_t position) const
    {
        return m_unencodable.empty() ? 0 : m_unencodable[position];
    }
    bool preambleUnencodable() const { return m_preambleUnencodable; }

private:
    StoredText recoded(StoredText text, TextEncoding from, MergeFieldSet bit, MergeFieldSet &refused);

    const MergeSide *m_original;
    bool m_recoded = false;
    MergeSide m_own;
    RomTable m_table;
    TextStore m_texts;
    std::string m_preamble;
    std::vector<MergeFieldSet> m_unencodable; // by order position; empty when none is
    bool m_preambleUnencodable = false;
};
