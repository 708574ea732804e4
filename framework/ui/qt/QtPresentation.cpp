#include "framework/ui/qt/QtPresentation.h"

#include "framework/runtime/FatalError.h"
#include "framework/ui/qt/ApplicationMenu.h"
#include "framework/ui/qt/CanvasWidget.h"
#include "framework/ui/qt/DisplayLossWatch.h"
#include "framework/ui/qt/GuardedCall.h"
#include "framework/ui/qt/LabelWidget.h"
#include "framework/ui/qt/PushButtonWidget.h"
#include "framework/ui/qt/QtClipboard.h"
#include "framework/ui/qt/QtImage.h"
#include "framework/ui/qt/TerminationSignals.h"
#include "framework/ui/qt/TextAreaWidget.h"
#include "framework/ui/qt/WindowWidget.h"
#include "framework/ui/qt/X11Clipboard.h"
#include "framework/ui/qt/X11RunningInstance.h"

#include <QApplication>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <utility>

namespace fw::ui {

namespace {

// The X display the toolkit is to open, proven by opening the framework's
// own connection to it first: without one the toolkit aborts, and names the
// wrong cause. Nil on other platforms. Under Wayland no window may stay above
// other applications' windows, so where XWayland is there too the X11
// platform is chosen.
std::unique_ptr<X11Clipboard> connectDisplay()
{
    const QByteArray platform = qgetenv("QT_QPA_PLATFORM");
    const QByteArray display = qgetenv("DISPLAY");
    if (platform.isEmpty()) {
        const bool wayland = !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
        if (display.isEmpty() && !wayland) {
            std::fputs("framework: no display: set DISPLAY (X11) or WAYLAND_DISPLAY\n", stderr);
            std::exit(1);
        }
        if (display.isEmpty())
            return nullptr;
        qputenv("QT_QPA_PLATFORM", "xcb");
    } else if (!platform.startsWith("xcb")) {
        return nullptr;
    }
    std::unique_ptr<X11Clipboard> connection = X11Clipboard::connect(display.isEmpty() ? nullptr : display.constData());
    if (!connection) {
        std::fprintf(stderr, "framework: cannot open the X display \"%s\"\n", display.constData());
        std::exit(1);
    }
    return connection;
}

std::unique_ptr<QApplication> makeApplication()
{
    // QApplication keeps references to both for its whole life.
    static int argc = 1;
    static char* argv[] = {program_invocation_name, nullptr};
    auto application = std::make_unique<QApplication>(argc, argv);
    // Only quitEventLoop ends the program: a floating window counts as no
    // window to Qt, so closing the last ordinary one would quit.
    QApplication::setQuitOnLastWindowClosed(false);
    return application;
}

// One program per X display and user: a later start brings the running
// one's main window forward and ends right here, before it has made
// anything else.
std::unique_ptr<X11RunningInstance> claimRunningInstance()
{
    const QByteArray display = qgetenv("DISPLAY");
    X11RunningInstance::Claim claim =
        X11RunningInstance::claim(display.isEmpty() ? nullptr : display.constData(), program_invocation_short_name);
    if (claim.outcome == X11RunningInstance::Outcome::AlreadyRunning)
        std::exit(0);
    return std::move(claim.instance);
}

// The main window is the first made (ids grow) of those shown; it comes
// back if minimised, in front and with the focus.
void bringForward(const std::unordered_map<uint64_t, WindowWidget*>& windows)
{
    WindowWidget* main = nullptr;
    uint64_t mainId = 0;
    for (const auto& [windowId, window] : windows) {
        if (window->isVisible() && (!main || windowId < mainId)) {
            main = window;
            mainId = windowId;
        }
    }
    if (main)
        main->present();
}

template <typename Map>
auto findIn(const Map& map, uint64_t id) -> typename Map::mapped_type
{
    const auto found = map.find(id);
    return found == map.end() ? typename Map::mapped_type{} : found->second;
}

} // namespace

QtPresentation::QtPresentation()
    : clipboard_(std::make_unique<QtClipboard>(connectDisplay())),
      runningInstance_(clipboard_->onX11() ? claimRunningInstance() : nullptr), application_(makeApplication()),
      signals_(std::make_unique<TerminationSignals>([this] { tell(&UserActions::endRequested); })),
      // Never held back: the toolkit ends the process as soon as this returns.
      displayLoss_(std::make_unique<DisplayLossWatch>([this](const std::string& display) {
          guardedCall([&] {
              if (actions_)
                  actions_->displayLost(display);
          });
      }))
{
    if (runningInstance_)
        runningInstance_->watch([this] { bringForward(windows_); });
}

QtPresentation::~QtPresentation()
{
    runningInstance_.reset(); // its watch needs the application
    signals_.reset();
    menu_.reset();
    for (const auto& [windowId, window] : windows_)
        delete window;
    // What was deleted later goes now, while the application still exists.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

void QtPresentation::setUserActions(UserActions* actions) { actions_ = actions; }

template <typename... Parameters, typename... Arguments>
void QtPresentation::tell(void (UserActions::*action)(Parameters...), Arguments&&... arguments)
{
    if (clipboard_->reading()) {
        // A user must always be able to stop and to quit: what they do while
        // the clipboard's owner is awaited gives the read up, and is handled
        // as soon as the handler that reads is over.
        const char* reason = "the user did something else first";
        if constexpr (sizeof...(Parameters) == 0) {
            if (action == &UserActions::endRequested)
                reason = "the program was asked to end";
        }
        clipboard_->giveUp(reason);
        held_.push_back([this, action, ... arguments = std::decay_t<Arguments>(arguments)] {
            if (actions_)
                (actions_->*action)(arguments...);
        });
        return;
    }
    guardedCall([&] {
        if (actions_)
            (actions_->*action)(std::forward<Arguments>(arguments)...);
    });
}

void QtPresentation::createWindow(uint64_t windowId, const WindowLook& look)
{
    auto* window = new WindowWidget(
        look, [this, windowId] { tell(&UserActions::windowCloseRequested, windowId); },
        [this](const QPoint& globalPos) {
            if (menu_)
                menu_->popup(globalPos);
        });
    if (menu_)
        menu_->attachTo(*window);
    windows_[windowId] = window;
}

void QtPresentation::updateWindow(uint64_t windowId, const WindowLook& look)
{
    if (WindowWidget* window = findWindow(windowId))
        window->apply(look);
}

void QtPresentation::showWindow(uint64_t windowId)
{
    if (WindowWidget* window = findWindow(windowId))
        window->present();
}

void QtPresentation::hideWindow(uint64_t windowId)
{
    if (WindowWidget* window = findWindow(windowId))
        window->hide();
}

void QtPresentation::destroyWindow(uint64_t windowId)
{
    WindowWidget* window = findWindow(windowId);
    if (!window)
        return;
    std::erase_if(controls_, [windowId](const auto& entry) { return entry.second.windowId == windowId; });
    windows_.erase(windowId);
    // This may be called from inside one of the window's own events.
    window->hide();
    window->deleteLater();
}

void QtPresentation::createControl(uint64_t windowId, uint64_t controlId, const ControlLook& look)
{
    WindowWidget* window = findWindow(windowId);
    if (!window)
        return;
    ControlWidget* control = makeControl(*window, controlId, look.kind);
    control->widget().setObjectName(QString::fromStdString(look.name));
    control->apply(look);
    controls_[controlId] = {.windowId = windowId, .widget = control};
}

ControlWidget* QtPresentation::makeControl(WindowWidget& window, uint64_t controlId, ControlKind kind)
{
    switch (kind) {
    case ControlKind::PushButton:
        return new PushButtonWidget(window, [this, controlId] { tell(&UserActions::pushButtonClicked, controlId); });
    case ControlKind::TextArea:
        return new TextAreaWidget(
            window, [this, controlId](const std::string& text) { tell(&UserActions::textEdited, controlId, text); });
    case ControlKind::Label:
        return new LabelWidget(window);
    case ControlKind::Canvas:
        return new CanvasWidget(window);
    }
    fatalError("control of no known kind %d", static_cast<int>(kind));
}

void QtPresentation::updateControl(uint64_t controlId, const ControlLook& look)
{
    if (ControlWidget* control = findControl(controlId))
        control->apply(look);
}

void QtPresentation::setControlText(uint64_t controlId, LazyText text)
{
    if (auto* textArea = dynamic_cast<TextAreaWidget*>(findControl(controlId)))
        textArea->mirrorText(std::move(text));
}

void QtPresentation::destroyControl(uint64_t controlId)
{
    ControlWidget* control = findControl(controlId);
    if (!control)
        return;
    controls_.erase(controlId);
    control->widget().hide();
    control->widget().deleteLater();
}

void QtPresentation::setMenuBar(const std::vector<MenuNode>& menus)
{
    menu_.reset(); // before the new shortcuts exist, so none is ambiguous
    menu_ = std::make_unique<ApplicationMenu>(menus,
                                              [this](uint64_t itemId) { tell(&UserActions::menuItemChosen, itemId); });
    for (const auto& [windowId, window] : windows_)
        menu_->attachTo(*window);
}

std::shared_ptr<const Image> QtPresentation::decodeImage(const std::vector<unsigned char>& bytes, std::string& error)
{
    return QtImage::decode(bytes, error);
}

std::optional<std::string> QtPresentation::clipboardText()
{
    std::optional<std::string> text = clipboard_->text();
    for (std::function<void()>& action : std::exchange(held_, {}))
        post(std::move(action));
    return text;
}

void QtPresentation::runEventLoop()
{
    if (std::exchange(quitRequested_, false))
        return;
    running_ = true;
    QApplication::exec();
    running_ = false;
}

void QtPresentation::quitEventLoop()
{
    // Not quit(): that asks every window to close first, and ours only pass
    // such a request on to the framework.
    if (running_)
        QCoreApplication::exit(0);
    else
        quitRequested_ = true;
}

void QtPresentation::post(std::function<void()> task)
{
    QMetaObject::invokeMethod(
        application_.get(), [task = std::move(task)] { guardedCall(task); }, Qt::QueuedConnection);
}

WindowWidget* QtPresentation::findWindow(uint64_t windowId) const { return findIn(windows_, windowId); }

ControlWidget* QtPresentation::findControl(uint64_t controlId) const { return findIn(controls_, controlId).widget; }

} // namespace fw::ui
