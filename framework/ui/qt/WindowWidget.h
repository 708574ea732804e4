#pragma once
// A top-level window of exactly the look's client size. Its close box only
// asks: the framework decides, and destroys the window itself if it agrees.
// A right click on its background (or on a control that has no menu of its
// own) asks for the application's menu.

#include "framework/ui/Presentation.h"

#include <QWidget>

#include <functional>

namespace fw::ui {

class WindowWidget : public QWidget {
public:
    WindowWidget(const WindowLook& look, std::function<void()> onCloseRequested,
                 std::function<void(const QPoint&)> onMenuRequested);

    void apply(const WindowLook& look);
    // Shows the window in front of the others with the focus, bringing it
    // back when minimised; the first time, also puts it in place.
    void present();

protected:
    void closeEvent(QCloseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    void applyFlags(Qt::WindowFlags flags);
    void applySize(const WindowLook& look);
    void applyBackground(const WindowLook& look);
    void place();

    std::function<void()> onCloseRequested_;
    std::function<void(const QPoint&)> onMenuRequested_;
    WindowLook look_;
    bool placed_ = false;
};

} // namespace fw::ui
