#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

// How a file's text bytes are read as characters, decided once per load.
enum class TextEncoding { Windows1252, Utf8 };

// Valid UTF-8 that holds at least one multi-byte sequence is UTF-8; anything else
// (plain ASCII too) is Windows-1252.
TextEncoding DetectTextEncoding(std::string_view bytes);

// The same decision for bytes seen in pieces, which may end inside a character.
class TextEncodingDetector final {
public:
    void scan(std::string_view bytes);
    // Once every piece is scanned.
    TextEncoding result() const;

private:
    void scanWhole(std::string_view bytes);

    // The bytes of a character a piece ended in, waiting for the rest of it.
    std::string m_unfinished;
    bool m_invalid = false;
    bool m_multiByte = false;
};

// Decodes bytes into out, which has room for bytes.size() UTF-16 units (no encoding
// needs more), and returns the number written. Windows-1252 maps its five undefined
// bytes to the C1 controls of the same number, so every byte reads back as it was.
// Invalid UTF-8 reads as U+FFFD per bad byte.
std::size_t DecodeText(TextEncoding encoding, std::string_view bytes, char16_t *out);

struct EncodedText {
    std::string bytes;
    // The first character the encoding cannot hold; bytes is then incomplete.
    std::optional<char32_t> refused;
};

EncodedText EncodeText(TextEncoding encoding, std::u16string_view text);

// "Windows-1252" or "UTF-8", for messages.
const char *TextEncodingName(TextEncoding encoding);
