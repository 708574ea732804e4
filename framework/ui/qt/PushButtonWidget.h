#pragma once
// A push button; every click goes to the handler it was made with. Out of
// its window's area it takes no focus, so no key can push it.

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

private:
    WindowAreaWatch* const areaWatch_;  // a child of this widget
};

} // namespace fw::ui
