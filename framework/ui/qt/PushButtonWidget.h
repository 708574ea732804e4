#pragma once
// A push button; every click goes to the handler it was made with. Out of
// its window's area it takes no focus, so no key can push it. While it has
// the focus, a ring around its edge shows it.

#include "framework/ui/qt/ControlWidget.h"
#include "framework/ui/qt/WindowAreaWatch.h"

#include <QPushButton>

#include <functional>

namespace fw::ui {

class PushButtonWidget : public QPushButton, public ControlWidget {
public:
    PushButtonWidget(QWidget& window, std::function<void()> onClicked);

    QWidget& widget() override { return *this; }
    void apply(const ControlLook& look) override;

protected:
    // The button as the style draws it, and the focus ring over its edge.
    void paintEvent(QPaintEvent* event) override;

private:
    // Two one-pixel rings just inside the edge, in colours that stand out
    // from the button's face and from the window around it.
    void paintFocusRing();

    WindowAreaWatch* const areaWatch_; // a child of this widget
};

} // namespace fw::ui
