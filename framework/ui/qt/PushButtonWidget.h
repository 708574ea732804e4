#pragma once
// A push button; every click goes to the handler it was made with.

#include "framework/ui/qt/ControlWidget.h"

#include <QPushButton>

#include <functional>

namespace fw::ui {

class PushButtonWidget : public QPushButton, public ControlWidget {
public:
    PushButtonWidget(QWidget& window, std::function<void()> onClicked);

    QWidget& widget() override { return *this; }
    void apply(const ControlLook& look) override;
};

} // namespace fw::ui
