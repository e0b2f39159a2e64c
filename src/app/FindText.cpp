#include "FindText.h"

#include <QChar>

#include <array>

namespace {

// Each byte's case-folded byte; a byte whose fold lies outside the file's characters
// (the micro sign folds to a Greek letter) stays as it is.
const std::array<char, 256> &foldTable()
{
    static const std::array<char, 256> table = [] {
        std::array<char, 256> folds{};
        for (int byte = 0; byte < 256; ++byte) {
            const char16_t fold = QChar(static_cast<char16_t>(byte)).toCaseFolded().unicode();
            folds[static_cast<std::size_t>(byte)] = static_cast<char>(fold < 256 ? fold : byte);
        }
        return folds;
    }();
    return table;
}

// After every text, so a needle (which never holds one) never matches across two.
constexpr char TextBreak = '\n';

} // namespace

void FindText::clear()
{
    m_bytes.clear();
    m_blocks.clear();
    m_blockOf.clear();
}

void FindText::startOver(std::size_t entries, std::size_t bytes)
{
    clear();
    m_blocks.reserve(entries);
    m_blockOf.reserve(entries);
    m_bytes.reserve(bytes);
}

void FindText::store(std::span<const std::string_view> texts, std::uint32_t entry)
{
    const auto &folds = foldTable();
    const std::size_t start = m_bytes.size();
    std::size_t length = 0;
    for (const std::string_view text : texts)
        length += text.size() + 1;
    m_bytes.resize(start + length);
    char *out = m_bytes.data() + start;
    for (const std::string_view text : texts) {
        for (const char byte : text)
            *out++ = folds[static_cast<unsigned char>(byte)];
        *out++ = TextBreak;
    }
    m_blocks.push_back({static_cast<std::uint32_t>(start), static_cast<std::uint32_t>(length), entry});
}

void FindText::append(std::span<const std::string_view> texts)
{
    m_blockOf.push_back(static_cast<std::uint32_t>(m_blocks.size()));
    store(texts, static_cast<std::uint32_t>(m_blockOf.size() - 1));
}

void FindText::replace(std::size_t entry, std::span<const std::string_view> texts)
{
    m_blocks[m_blockOf[entry]].entry = Replaced;
    m_blockOf[entry] = static_cast<std::uint32_t>(m_blocks.size());
    store(texts, static_cast<std::uint32_t>(entry));
}

std::vector<char> FindText::matches(std::string_view foldedNeedle) const
{
    std::vector<char> found(size(), 0);
    const std::string_view bytes(m_bytes);
    std::size_t block = 0;
    for (std::size_t at = bytes.find(foldedNeedle); at != std::string_view::npos;) {
        while (block + 1 < m_blocks.size() && m_blocks[block + 1].start <= at)
            ++block;
        const Block &hit = m_blocks[block];
        if (hit.entry != Replaced)
            found[hit.entry] = 1;
        // One hit is enough for an entry: go on with the next one.
        at = bytes.find(foldedNeedle, std::size_t{hit.start} + hit.length);
    }
    return found;
}

bool FindText::contains(std::size_t entry, std::string_view foldedNeedle) const
{
    const Block &block = m_blocks[m_blockOf[entry]];
    return std::string_view(m_bytes).substr(block.start, block.length).find(foldedNeedle) != std::string_view::npos;
}

std::optional<std::string> FindText::folded(const QString &typed)
{
    const auto &folds = foldTable();
    std::string needle;
    needle.reserve(static_cast<std::size_t>(typed.size()));
    for (const QChar character : typed) {
        if (character.unicode() > 0xFF || character == QLatin1Char(TextBreak))
            return std::nullopt;
        needle.push_back(folds[character.unicode()]);
    }
    return needle;
}
