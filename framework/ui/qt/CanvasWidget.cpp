#include "framework/ui/qt/CanvasWidget.h"

#include "framework/ui/qt/ControlStyle.h"

#include <QPainter>

namespace fw::ui {

CanvasWidget::CanvasWidget(QWidget& window) : QWidget(&window) {}

void CanvasWidget::apply(const ControlLook& look)
{
    // Only pictures that this presentation decoded can be drawn.
    backdrop_ = std::dynamic_pointer_cast<const QtImage>(look.backdrop);
    placeControl(*this, look);
    update();
}

void CanvasWidget::paintEvent(QPaintEvent*)
{
    if (!backdrop_)
        return;
    QPainter painter(this);
    painter.drawImage(QPoint(0, 0), backdrop_->image());
}

} // namespace fw::ui
