#pragma once
// What the presentation needs of every control's widget, whatever its kind.
// The widget belongs to its window through Qt's parent chain.

#include "framework/ui/Presentation.h"

class QWidget;

namespace fw::ui {

class ControlWidget {
public:
    virtual ~ControlWidget() = default;
    virtual QWidget& widget() = 0;
    // Sets geometry, state, font, colours and the kind's own settings.
    virtual void apply(const ControlLook& look) = 0;
};

} // namespace fw::ui
