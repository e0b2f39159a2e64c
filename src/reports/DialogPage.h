#pragma once

#include <QRect>
#include <QSize>

class QPagedPaintDevice;
class QWidget;

// Where a picture of size picture goes inside area: as large as fits with its proportions
// kept, in the area's top left corner. An empty picture or area gives an empty rectangle.
QRect FitIntoArea(const QSize &picture, const QRect &area);

// Draws the dialog's client area, as it shows now, as the only page of device, scaled into
// the printable area. The widgets paint themselves onto the page, so its texts and lines
// stay texts and lines, sharp at any size. False when the page could not start or finish.
bool PaintDialogPage(QPagedPaintDevice &device, QWidget &dialog);
