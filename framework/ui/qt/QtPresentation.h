#pragma once
// The presentation on Qt Widgets. It makes the process's one QApplication,
// so there is at most one QtPresentation, and it lives on the thread that
// runs the event loop.

#include "framework/ui/Presentation.h"

#include <memory>
#include <unordered_map>
#include <vector>

class QApplication;

namespace fw::ui {

class ApplicationMenu;
class DisplayLossWatch;
class TerminationSignals;
class ControlWidget;
class WindowWidget;
class QtClipboard;
class X11RunningInstance;

class QtPresentation : public Presentation {
public:
    // Exits the process with a message on stderr when there is no display
    // to open.
    QtPresentation();
    ~QtPresentation() override;
    QtPresentation(const QtPresentation&) = delete;
    QtPresentation& operator=(const QtPresentation&) = delete;

    void setUserActions(UserActions* actions) override;

    void createWindow(uint64_t windowId, const WindowLook& look) override;
    void updateWindow(uint64_t windowId, const WindowLook& look) override;
    void showWindow(uint64_t windowId) override;
    void hideWindow(uint64_t windowId) override;
    void destroyWindow(uint64_t windowId) override;

    void createControl(uint64_t windowId, uint64_t controlId, const ControlLook& look) override;
    void updateControl(uint64_t controlId, const ControlLook& look) override;
    void setControlText(uint64_t controlId, LazyText text) override;
    void destroyControl(uint64_t controlId) override;

    void setMenuBar(const std::vector<MenuNode>& menus) override;

    std::shared_ptr<const Image> decodeImage(const std::vector<unsigned char>& bytes, std::string& error) override;
    std::optional<std::string> clipboardText() override;

    void runEventLoop() override;
    void quitEventLoop() override;
    void post(std::function<void()> task) override;

private:
    struct Control {
        uint64_t windowId;
        ControlWidget* widget; // owned by its window
    };

    WindowWidget* findWindow(uint64_t windowId) const;
    ControlWidget* findControl(uint64_t controlId) const;
    // A new widget owned by window; its user actions report controlId.
    ControlWidget* makeControl(WindowWidget& window, uint64_t controlId, ControlKind kind);
    // Reports a user action from a Qt signal or event, once actions are set.
    template <typename... Parameters, typename... Arguments>
    void tell(void (UserActions::*action)(Parameters...), Arguments&&... arguments);

    // Made first: opening the framework's own connection proves that the
    // toolkit can open the display.
    std::unique_ptr<QtClipboard> clipboard_;
    // Claimed before the application is made, so that a later start ends
    // early; nil off X11. Released first.
    std::unique_ptr<X11RunningInstance> runningInstance_;
    std::unique_ptr<QApplication> application_;           // last out of the toolkit's
    UserActions* actions_ = nullptr;                      // not owned
    std::unordered_map<uint64_t, WindowWidget*> windows_; // owned; deleted later
    std::unordered_map<uint64_t, Control> controls_;
    std::unique_ptr<ApplicationMenu> menu_;
    std::unique_ptr<TerminationSignals> signals_;
    std::unique_ptr<DisplayLossWatch> displayLoss_;
    // What the user did while the clipboard's owner was awaited, in order.
    std::vector<std::function<void()>> held_;
    bool running_ = false;       // inside runEventLoop
    bool quitRequested_ = false; // quitEventLoop came before runEventLoop
};

} // namespace fw::ui
