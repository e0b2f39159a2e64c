#pragma once

#include <QString>

// Reads a PDF through poppler's tools. Both give -1 when the tool fails.
int PdfPageCount(const QString &pdfPath);
// The share (0..1) of pixels on the first page that are not near white.
double PdfInkShare(const QString &pdfPath);
