#pragma once
// The parts of a control's look that every kind of control shares: where it
// lies in its window's client area, whether it shows and takes input, its
// font and its colours.

#include "framework/ui/Presentation.h"

#include <QColor>
#include <QFont>
#include <QPalette>

class QWidget;

namespace fw::ui {

QColor toQColor(Rgb rgb);

// Geometry, visibility and enabled state, exactly as the look gives them.
void placeControl(QWidget& widget, const ControlLook& look);

// The application's font, changed only where the look asks for it.
QFont controlFont(const ControlLook& look);

// Sets the look's text and back colours in the given roles; roles the look
// leaves open follow the parent widget.
void colourControl(QWidget& widget, const ControlLook& look, QPalette::ColorRole textRole,
                   QPalette::ColorRole backRole);

} // namespace fw::ui
