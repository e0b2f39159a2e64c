#include "RecodedSide.h"

#include <algorithm>
#include <optional>

namespace {

// bytes in the encoding to, or nothing when it cannot hold one of their characters.
std::optional<std::string> recode(std::string_view bytes, TextEncoding from, TextEncoding to)
{
    // ASCII reads the same in both encodings; nearly every text is ASCII.
    if (std::all_of(bytes.begin(), bytes.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; }))
        return std::string(bytes);
    std::u16string characters(bytes.size(), u'\0');
    characters.resize(DecodeText(from, bytes, characters.data()));
    EncodedText encoded = EncodeText(to, characters);
    if (encoded.refused)
        return std::nullopt;
    return std::move(encoded.bytes);
}

constexpr MergeField kTextFields[] = {MergeField::Name, MergeField::Comment, MergeField::Info,
                                      MergeField::UnknownLines};

} // namespace

RecodedSide::RecodedSide(const MergeSide &side, TextEncoding to) : m_original(&side)
{
    if (side.encoding == to)
        return;
    m_recoded = true;
    m_own.encoding = to;
    const TextEncoding from = side.encoding;
    m_table.reserve(side.order.size());
    m_unencodable.assign(side.order.size(), 0);
    for (std::size_t position = 0; position < side.order.size(); ++position) {
        RomEntry entry = (*side.table)[side.order[position]];
        MergeFieldSet &refused = m_unencodable[position];
        entry.CRC = recoded(entry.CRC, from, UnencodableCrc, refused);
        for (const MergeField field : kTextFields)
            entry.*TextMemberOf(field) = recoded(entry.*TextMemberOf(field), from, FieldBit(field), refused);
        m_table.push_back(entry);
    }
    if (std::optional<std::string> preamble = recode(side.preamble, from, to)) {
        m_preamble = std::move(*preamble);
    } else {
        m_preamble = side.preamble;
        m_preambleUnencodable = true;
    }
    m_own.table = &m_table;
    m_own.order.resize(m_table.size());
    for (std::size_t position = 0; position < m_table.size(); ++position)
        m_own.order[position] = position;
    m_own.preamble = m_preamble;
}

StoredText RecodedSide::recoded(StoredText text, TextEncoding from, MergeFieldSet bit, MergeFieldSet &refused)
{
    if (std::optional<std::string> bytes = recode(text, from, m_own.encoding))
        return m_texts.keep(*bytes);
    refused |= bit;
    return m_texts.keep(text);
}
