#pragma once

#include <string>

// The outcome of a file operation: number 0 is success; anything else carries the
// system's error number (errno) and a description that names the file concerned.
// The core never shows it; the window turns it into a message.
struct IoStatus {
    int number = 0;
    std::string description;

    bool ok() const { return number == 0; }
    static IoStatus success() { return {}; }
};
