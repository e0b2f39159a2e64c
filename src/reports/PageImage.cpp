#include "PageImage.h"

#include <QPainter>
#include <QPrinter>

QRect FitIntoArea(const QSize &image, const QRect &area)
{
    if (image.isEmpty() || area.isEmpty())
        return {};
    const QSize fitted = image.scaled(area.size(), Qt::KeepAspectRatio);
    return QRect(area.topLeft(), fitted);
}

bool PaintImagePage(QPrinter &printer, const QImage &image)
{
    QPainter painter;
    if (!painter.begin(&printer))
        return false;
    // The painter's origin is the corner of the printable area.
    const QRect printable(QPoint(0, 0), printer.pageRect(QPrinter::DevicePixel).size().toSize());
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(FitIntoArea(image.size(), printable), image);
    return painter.end() && printer.printerState() != QPrinter::Error;
}
