#include "AsciiCase.h"

void UpperCaseAscii(std::string &text)
{
    for (char &c : text) {
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    }
}

std::string UpperCasedAscii(std::string_view text)
{
    std::string upper(text);
    UpperCaseAscii(upper);
    return upper;
}
