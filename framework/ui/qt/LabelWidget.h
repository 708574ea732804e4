#pragma once
// A label: its caption as plain text, painted over the window's background
// (or its own back colour) rather than being see-through.

#include "framework/ui/qt/ControlWidget.h"

#include <QLabel>

namespace fw::ui {

class LabelWidget : public QLabel, public ControlWidget {
public:
    explicit LabelWidget(QWidget& window);

    QWidget& widget() override { return *this; }
    void apply(const ControlLook& look) override;
};

} // namespace fw::ui
