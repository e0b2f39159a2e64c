#pragma once

#include <string>

// Whether a and b name one existing file, through links and other spellings of its path
// (a "./" more, a "//", a hard link). A path that does not exist names no file yet.
bool IsSameFile(const std::string &a, const std::string &b);
