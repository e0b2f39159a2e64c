#pragma once

#include <QImage>
#include <QRect>
#include <QSize>

class QPrinter;

// Where an image of size image goes inside area: as large as fits with its proportions
// kept, in the area's top left corner. An empty image or area gives an empty rectangle.
QRect FitIntoArea(const QSize &image, const QRect &area);

// Paints image as the only page of printer's document, scaled into the printable area.
// False when the printer could not start or finish the document.
bool PaintImagePage(QPrinter &printer, const QImage &image);
