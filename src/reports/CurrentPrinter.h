#pragma once

#include <QString>

// The printer this program prints to. It starts as the system's default printer and
// keeps the user's last choice for the rest of the run, so every later print uses it.
class CurrentPrinter final {
public:
    // The chosen printer's device name; empty when there is neither a choice nor a default.
    static QString name();
    static void choose(const QString &printerName);

private:
    CurrentPrinter() = delete;
};
