#pragma once
// A canvas: draws its backdrop from its top-left corner, and nothing else.

#include "framework/ui/qt/ControlWidget.h"
#include "framework/ui/qt/QtImage.h"

#include <QWidget>

#include <memory>

namespace fw::ui {

class CanvasWidget : public QWidget, public ControlWidget {
public:
    explicit CanvasWidget(QWidget& window);

    QWidget& widget() override { return *this; }
    void apply(const ControlLook& look) override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::shared_ptr<const QtImage> backdrop_; // nil: nothing to draw
};

} // namespace fw::ui
