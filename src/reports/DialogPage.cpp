#include "DialogPage.h"

#include <QPagedPaintDevice>
#include <QPainter>
#include <QPointer>
#include <QStyle>
#include <QStyleFactory>
#include <QWidget>

#include <memory>
#include <utility>
#include <vector>

namespace {

// Styles such as Fusion draw frames and bevels from small pictures, which a page would
// hold as blurred bitmaps. For the page the dialog takes the plain Windows style, whose
// frames, boxes and marks are all lines, and gets its own style back afterwards.
class PlainStyleWhileDrawing final {
public:
    explicit PlainStyleWhileDrawing(QWidget &dialog) : m_plain(QStyleFactory::create(QStringLiteral("Windows")))
    {
        if (!m_plain)
            return;
        QList<QWidget *> widgets = dialog.findChildren<QWidget *>();
        widgets.prepend(&dialog);
        for (QWidget *widget : widgets) {
            m_own.emplace_back(widget, widget->testAttribute(Qt::WA_SetStyle) ? widget->style() : nullptr);
            widget->setStyle(m_plain.get());
        }
    }
    ~PlainStyleWhileDrawing()
    {
        for (const auto &[widget, style] : m_own)
            if (widget)
                widget->setStyle(style);
    }
    PlainStyleWhileDrawing(const PlainStyleWhileDrawing &) = delete;
    PlainStyleWhileDrawing &operator=(const PlainStyleWhileDrawing &) = delete;

private:
    std::unique_ptr<QStyle> m_plain;
    std::vector<std::pair<QPointer<QWidget>, QStyle *>> m_own;
};

} // namespace

QRect FitIntoArea(const QSize &picture, const QRect &area)
{
    if (picture.isEmpty() || area.isEmpty())
        return {};
    const QSize fitted = picture.scaled(area.size(), Qt::KeepAspectRatio);
    return QRect(area.topLeft(), fitted);
}

bool PaintDialogPage(QPagedPaintDevice &device, QWidget &dialog)
{
    QPainter painter;
    if (!painter.begin(&device))
        return false;
    // The painter's origin is the corner of the printable area.
    const QRect page = FitIntoArea(dialog.size(), QRect(0, 0, device.width(), device.height()));
    painter.translate(page.topLeft());
    painter.scale(double(page.width()) / dialog.width(), double(page.height()) / dialog.height());
    const PlainStyleWhileDrawing plain(dialog);
    dialog.render(&painter, QPoint(), QRegion(), QWidget::DrawWindowBackground | QWidget::DrawChildren);
    return painter.end();
}
