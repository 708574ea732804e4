#include "framework/ui/qt/WindowAreaWatch.h"

#include <QEvent>

#include <utility>

namespace fw::ui {

WindowAreaWatch::WindowAreaWatch(QWidget& control, std::function<void()> onCameIntoView)
    : QObject(&control), control_(control), focusPolicy_(control.focusPolicy()),
      onCameIntoView_(std::move(onCameIntoView))
{
    // The window's resizes can bring the control into view, or take it out.
    control.parentWidget()->installEventFilter(this);
}

bool WindowAreaWatch::inView() const { return control_.geometry().intersects(control_.parentWidget()->rect()); }

void WindowAreaWatch::update()
{
    const bool visible = inView();
    control_.setFocusPolicy(visible ? focusPolicy_ : Qt::NoFocus);
    if (!visible && control_.hasFocus())
        control_.clearFocus();
    if (visible && onCameIntoView_)
        onCameIntoView_();
}

bool WindowAreaWatch::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == control_.parentWidget() && event->type() == QEvent::Resize)
        update();
    return QObject::eventFilter(watched, event);
}

} // namespace fw::ui
