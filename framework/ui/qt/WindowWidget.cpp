#include "framework/ui/qt/WindowWidget.h"

#include "framework/ui/qt/ControlStyle.h"

#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QScreen>

namespace fw::ui {

namespace {

constexpr int32_t floatingFrame = 7;    // floats above the windows of every application
constexpr int32_t centredPlacement = 2; // centred on the primary screen

// A Tool window that stays on top is what X11 window managers keep above
// every application's windows. CustomizeWindowHint makes the title the only
// decoration besides the buttons the look asks for.
Qt::WindowFlags flagsFor(const WindowLook& look)
{
    Qt::WindowFlags flags = look.frame == floatingFrame ? Qt::Tool | Qt::WindowStaysOnTopHint : Qt::Window;
    flags |= Qt::CustomizeWindowHint | Qt::WindowTitleHint;
    if (look.closeButton)
        flags |= Qt::WindowCloseButtonHint;
    if (look.minimizeButton)
        flags |= Qt::WindowMinimizeButtonHint;
    if (look.maximizeButton)
        flags |= Qt::WindowMaximizeButtonHint;
    return flags;
}

} // namespace

WindowWidget::WindowWidget(const WindowLook& look, std::function<void()> onCloseRequested,
                           std::function<void(const QPoint&)> onMenuRequested)
    : QWidget(nullptr, flagsFor(look)), onCloseRequested_(std::move(onCloseRequested)),
      onMenuRequested_(std::move(onMenuRequested)), look_(look)
{
    apply(look);
}

void WindowWidget::apply(const WindowLook& look)
{
    const bool moved = look.left != look_.left || look.top != look_.top;
    look_ = look;
    setWindowTitle(QString::fromStdString(look.title));
    applyFlags(flagsFor(look));
    applySize(look);
    applyBackground(look);
    if (placed_ && moved && look.placement != centredPlacement)
        setGeometry(QRect(QPoint(look.left, look.top), size()));
}

void WindowWidget::present()
{
    if (!placed_)
        place();
    if (look_.fullScreen)
        showFullScreen();
    else if (isMinimized())
        showNormal();
    else
        show();
    raise();
    activateWindow();
}

void WindowWidget::closeEvent(QCloseEvent* event)
{
    event->ignore();
    onCloseRequested_();
}

void WindowWidget::contextMenuEvent(QContextMenuEvent* event) { onMenuRequested_(event->globalPos()); }

void WindowWidget::applyFlags(Qt::WindowFlags flags)
{
    // Qt may add hints of its own to what it was given, so compare by the
    // bits this window sets; changing them hides a shown window.
    constexpr Qt::WindowFlags ours = Qt::WindowType_Mask | Qt::WindowStaysOnTopHint | Qt::CustomizeWindowHint |
                                     Qt::WindowTitleHint | Qt::WindowCloseButtonHint | Qt::WindowMinMaxButtonsHint;
    if ((windowFlags() & ours) == flags)
        return;
    const bool shown = isVisible();
    setWindowFlags(flags);
    if (shown)
        show();
}

void WindowWidget::applySize(const WindowLook& look)
{
    if (look.resizeable) {
        setMinimumSize(0, 0);
        setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
        resize(look.width, look.height);
    } else {
        setFixedSize(look.width, look.height);
    }
}

void WindowWidget::applyBackground(const WindowLook& look)
{
    QPalette palette; // nothing set: the desktop's standard background
    if (look.hasBackColor)
        palette.setColor(QPalette::Window, toQColor(look.backColor));
    setPalette(palette);
}

void WindowWidget::place()
{
    // Positions are those of the client area, as the framework gives them.
    placed_ = true;
    QRect area(QPoint(look_.left, look_.top), size());
    if (look_.placement == centredPlacement)
        area.moveCenter(QGuiApplication::primaryScreen()->availableGeometry().center());
    setGeometry(area);
}

} // namespace fw::ui
