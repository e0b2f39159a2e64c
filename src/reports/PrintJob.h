#pragma once

#include <QImage>
#include <QString>

#include <optional>

// Prints image as one page on the printer named printerName and hands the job to the
// print system. Empty when the print system accepted the job; otherwise a message for
// the user saying why nothing was printed (no printer, an unknown printer, a refusal).
std::optional<QString> PrintImage(const QString &printerName, const QImage &image,
                                  const QString &title);
