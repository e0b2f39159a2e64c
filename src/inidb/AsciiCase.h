#pragma once

#include <string>
#include <string_view>

// Upper-cases the bytes a-z only: the file's text is in some single-byte code page we
// do not know, so every other byte must come through unchanged.
void UpperCaseAscii(std::string &text);
std::string UpperCasedAscii(std::string_view text);
