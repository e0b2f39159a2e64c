#include "FindText.h"

#include <QChar>

#include "ui/FileText.h"

#include <algorithm>
#include <array>
#include <utility>

namespace {

using FoldTable = std::array<char, 256>;

// Find ignores case and accents: "cafe" finds "Café".
QString searchForm(const QString &text)
{
    QString form = text.normalized(QString::NormalizationForm_D);
    form.removeIf([](QChar c) { return c.category() == QChar::Mark_NonSpacing; });
    return form.toCaseFolded();
}

// Each byte's folded byte in a single-byte encoding; a byte whose fold the encoding
// cannot hold (the micro sign folds to a Greek letter) stays as it is. In UTF-8 only
// ASCII bytes fold alone: the others are parts of longer characters.
FoldTable makeFoldTable(TextEncoding encoding)
{
    FoldTable folds{};
    for (int byte = 0; byte < 256; ++byte) {
        const char original = static_cast<char>(byte);
        folds[static_cast<std::size_t>(byte)] = original;
        if (encoding == TextEncoding::Utf8 && byte >= 0x80)
            continue;
        char16_t character = 0;
        DecodeText(encoding, std::string_view(&original, 1), &character);
        const QString fold = searchForm(QString(QChar(character)));
        const EncodedText encoded = toFileText(encoding, fold);
        if (!encoded.refused && encoded.bytes.size() == 1)
            folds[static_cast<std::size_t>(byte)] = encoded.bytes[0];
    }
    return folds;
}

const FoldTable &foldTable(TextEncoding encoding)
{
    static const FoldTable windows1252 = makeFoldTable(TextEncoding::Windows1252);
    static const FoldTable utf8 = makeFoldTable(TextEncoding::Utf8);
    return encoding == TextEncoding::Utf8 ? utf8 : windows1252;
}

bool isAscii(std::string_view text)
{
    return std::all_of(text.begin(), text.end(), [](char byte) { return static_cast<unsigned char>(byte) < 0x80; });
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

void FindText::startOver(std::size_t entries, std::size_t bytes, TextEncoding encoding)
{
    clear();
    m_encoding = encoding;
    m_blocks.reserve(entries);
    m_blockOf.reserve(entries);
    m_bytes.reserve(bytes);
}

void FindText::store(std::span<const std::string_view> texts, std::uint32_t entry)
{
    const auto &folds = foldTable(m_encoding);
    const std::size_t start = m_bytes.size();
    for (const std::string_view text : texts) {
        // Characters beyond ASCII in UTF-8 fold as whole characters, which is slower but rare.
        if (m_encoding == TextEncoding::Utf8 && !isAscii(text)) {
            m_bytes += searchForm(fromFileText(m_encoding, text)).toStdString();
        } else {
            const std::size_t at = m_bytes.size();
            m_bytes.resize(at + text.size());
            std::transform(text.begin(), text.end(), m_bytes.begin() + static_cast<std::ptrdiff_t>(at),
                           [&folds](char byte) { return folds[static_cast<unsigned char>(byte)]; });
        }
        m_bytes += TextBreak;
    }
    m_blocks.push_back({static_cast<std::uint32_t>(start), static_cast<std::uint32_t>(m_bytes.size() - start), entry});
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

std::optional<std::string> FindText::folded(const QString &typed, TextEncoding encoding)
{
    if (typed.contains(QLatin1Char(TextBreak)))
        return std::nullopt;
    EncodedText needle = toFileText(encoding, searchForm(typed));
    if (needle.refused)
        return std::nullopt;
    const auto &folds = foldTable(encoding);
    for (char &byte : needle.bytes)
        byte = folds[static_cast<unsigned char>(byte)];
    return std::move(needle.bytes);
}
