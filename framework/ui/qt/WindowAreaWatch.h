#pragma once
// A control lying wholly outside its window's client area is never seen, so
// it takes no focus: Tab passes it by and no key reaches what nobody sees.
// WindowAreaWatch keeps a control's focus policy in step with where the
// control lies, as the control moves and the window resizes, and tells the
// control when it comes into view.

#include <QObject>
#include <QWidget>

#include <functional>

namespace fw::ui {

class WindowAreaWatch : public QObject {
public:
    // control must already have its window as parent; the watch is a child
    // of the control and dies with it. Call update() once the control is
    // placed.
    explicit WindowAreaWatch(QWidget& control, std::function<void()> onCameIntoView = {});

    bool inView() const;
    // Settles the focus policy after the control moved or resized.
    void update();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget& control_;
    const Qt::FocusPolicy focusPolicy_; // the control's own, while in view
    std::function<void()> onCameIntoView_;
};

} // namespace fw::ui
