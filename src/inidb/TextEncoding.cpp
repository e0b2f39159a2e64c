#include "TextEncoding.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>

namespace {

// Characters of the bytes 0x80 to 0x9F; the rest of Windows-1252 is Latin-1.
constexpr std::array<char16_t, 32> Windows1252High{
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

constexpr char32_t Replacement = 0xFFFD;

bool isContinuation(unsigned char byte)
{
    return (byte & 0xC0) == 0x80;
}

// Reads the UTF-8 sequence at bytes[pos]; returns its length, or 0 when it is not a
// valid, shortest-form sequence of a character outside the surrogates.
std::size_t utf8Sequence(std::string_view bytes, std::size_t pos, char32_t &character)
{
    const auto lead = static_cast<unsigned char>(bytes[pos]);
    std::size_t length = 0;
    char32_t minimum = 0;
    if (lead < 0x80) {
        character = lead;
        return 1;
    }
    if ((lead & 0xE0) == 0xC0) {
        length = 2, minimum = 0x80, character = lead & 0x1F;
    } else if ((lead & 0xF0) == 0xE0) {
        length = 3, minimum = 0x800, character = lead & 0x0F;
    } else if ((lead & 0xF8) == 0xF0) {
        length = 4, minimum = 0x10000, character = lead & 0x07;
    } else {
        return 0;
    }
    if (bytes.size() - pos < length)
        return 0;
    for (std::size_t i = 1; i < length; ++i) {
        const auto next = static_cast<unsigned char>(bytes[pos + i]);
        if (!isContinuation(next))
            return 0;
        character = (character << 6) | (next & 0x3F);
    }
    const bool surrogate = character >= 0xD800 && character <= 0xDFFF;
    return character < minimum || character > 0x10FFFF || surrogate ? 0 : length;
}

std::size_t putUtf16(char32_t character, char16_t *out)
{
    if (character < 0x10000) {
        out[0] = static_cast<char16_t>(character);
        return 1;
    }
    character -= 0x10000;
    out[0] = static_cast<char16_t>(0xD800 + (character >> 10));
    out[1] = static_cast<char16_t>(0xDC00 + (character & 0x3FF));
    return 2;
}

void putUtf8(char32_t character, std::string &out)
{
    if (character < 0x80) {
        out += static_cast<char>(character);
        return;
    }
    const int continuations = character < 0x800 ? 1 : character < 0x10000 ? 2 : 3;
    constexpr unsigned char leads[] = {0, 0xC0, 0xE0, 0xF0};
    out += static_cast<char>(leads[continuations] | (character >> (6 * continuations)));
    for (int shift = 6 * (continuations - 1); shift >= 0; shift -= 6)
        out += static_cast<char>(0x80 | ((character >> shift) & 0x3F));
}

std::optional<char> windows1252Byte(char32_t character)
{
    if (character < 0x80 || (character >= 0xA0 && character <= 0xFF))
        return static_cast<char>(character);
    const auto found = std::find(Windows1252High.begin(), Windows1252High.end(), character);
    if (found == Windows1252High.end())
        return std::nullopt;
    return static_cast<char>(0x80 + (found - Windows1252High.begin()));
}

} // namespace

namespace {

constexpr std::size_t kLongestSequence = 4;

bool isContinuation(char byte)
{
    return (static_cast<unsigned char>(byte) & 0xC0) == 0x80;
}

// How many bytes at the end begin a character that the next piece must finish.
std::size_t unfinishedTail(std::string_view bytes)
{
    for (std::size_t back = 1; back < kLongestSequence && back <= bytes.size(); ++back) {
        const char byte = bytes[bytes.size() - back];
        if (isContinuation(byte))
            continue;
        const auto lead = static_cast<unsigned char>(byte);
        const std::size_t length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
        return length > back ? back : 0;
    }
    return 0;
}

} // namespace

void TextEncodingDetector::scan(std::string_view bytes)
{
    if (m_invalid)
        return;
    if (!m_unfinished.empty()) {
        std::size_t rest = 0;
        while (rest < bytes.size() && m_unfinished.size() + rest < kLongestSequence && isContinuation(bytes[rest]))
            ++rest;
        m_unfinished.append(bytes.substr(0, rest));
        bytes.remove_prefix(rest);
        if (bytes.empty() && m_unfinished.size() < kLongestSequence)
            return;
        scanWhole(m_unfinished);
        m_unfinished.clear();
    }
    const std::size_t whole = bytes.size() - unfinishedTail(bytes);
    scanWhole(bytes.substr(0, whole));
    m_unfinished.assign(bytes.substr(whole));
}

void TextEncodingDetector::scanWhole(std::string_view bytes)
{
    for (std::size_t pos = 0; pos < bytes.size() && !m_invalid;) {
        // Runs of ASCII are the bulk of every file: skip them 32 bytes at a time.
        std::uint64_t words[4];
        if (bytes.size() - pos >= sizeof words) {
            std::memcpy(words, bytes.data() + pos, sizeof words);
            if (((words[0] | words[1] | words[2] | words[3]) & 0x8080808080808080u) == 0) {
                pos += sizeof words;
                continue;
            }
        }
        if (static_cast<unsigned char>(bytes[pos]) < 0x80) {
            ++pos;
            continue;
        }
        char32_t character = 0;
        const std::size_t length = utf8Sequence(bytes, pos, character);
        m_invalid = length == 0;
        m_multiByte = true;
        pos += length;
    }
}

TextEncoding TextEncodingDetector::result() const
{
    TextEncodingDetector last = *this;
    last.scanWhole(m_unfinished);
    return last.m_multiByte && !last.m_invalid ? TextEncoding::Utf8 : TextEncoding::Windows1252;
}

TextEncoding DetectTextEncoding(std::string_view bytes)
{
    TextEncodingDetector detector;
    detector.scan(bytes);
    return detector.result();
}

std::size_t DecodeText(TextEncoding encoding, std::string_view bytes, char16_t *out)
{
    std::size_t written = 0;
    for (std::size_t pos = 0; pos < bytes.size();) {
        const auto byte = static_cast<unsigned char>(bytes[pos]);
        if (byte < 0x80) {
            out[written++] = byte;
            ++pos;
        } else if (encoding == TextEncoding::Windows1252) {
            out[written++] = byte < 0xA0 ? Windows1252High[byte - 0x80] : byte;
            ++pos;
        } else {
            char32_t character = Replacement;
            const std::size_t length = utf8Sequence(bytes, pos, character);
            written += putUtf16(length ? character : Replacement, out + written);
            pos += length ? length : 1;
        }
    }
    return written;
}

EncodedText EncodeText(TextEncoding encoding, std::u16string_view text)
{
    EncodedText result;
    result.bytes.reserve(text.size());
    for (std::size_t pos = 0; pos < text.size(); ++pos) {
        char32_t character = text[pos];
        const bool high = character >= 0xD800 && character <= 0xDBFF;
        if (high && pos + 1 < text.size() && text[pos + 1] >= 0xDC00 && text[pos + 1] <= 0xDFFF)
            character = 0x10000 + ((character - 0xD800) << 10) + (text[++pos] - 0xDC00);
        // A lone half of a surrogate pair is no character any encoding can store.
        const bool surrogate = character >= 0xD800 && character <= 0xDFFF;
        if (encoding == TextEncoding::Utf8 && !surrogate) {
            putUtf8(character, result.bytes);
            continue;
        }
        const std::optional<char> byte = surrogate ? std::nullopt : windows1252Byte(character);
        if (!byte) {
            result.refused = character;
            return result;
        }
        result.bytes += *byte;
    }
    return result;
}

const char *TextEncodingName(TextEncoding encoding)
{
    return encoding == TextEncoding::Utf8 ? "UTF-8" : "Windows-1252";
}
