#include "framework/classes/UserActionDispatch.h"

#include "framework/classes/EventLoop.h"
#include "framework/classes/MenuItem.h"
#include "framework/classes/PushButton.h"
#include "framework/classes/Services.h"
#include "framework/classes/TextArea.h"
#include "framework/classes/Window.h"
#include "framework/runtime/Properties.h"

#include <cstdio>
#include <cstdlib>

namespace fw {

namespace {

// Runs action(object) through the exception helper, holding the object.
template <void (*Action)(Object*)>
void runOn(Object* object)
{
    if (!object)
        return;
    Ref<Object> held = Ref<Object>::retain(object);
    runGuarded([](void* target) { Action(static_cast<Object*>(target)); }, object);
}

// The user may close only a window that has a close box: a window manager
// offers Close (Alt+F4, its window menu) even where none is drawn, and the
// request is refused there.
void closeByUser(Object* window)
{
    if (boolProperty(window, "CloseButton"))
        Window::_UnifiedClose(window, false);
}

} // namespace

Object* UserActionDispatch::find(uint64_t id) const
{
    auto found = views_.find(id);
    return found == views_.end() ? nullptr : found->second;
}

void UserActionDispatch::pushButtonClicked(uint64_t controlId) { runOn<PushButton::_CallAction>(find(controlId)); }

void UserActionDispatch::windowCloseRequested(uint64_t windowId) { runOn<closeByUser>(find(windowId)); }

void UserActionDispatch::menuItemChosen(uint64_t itemId) { runOn<MenuItem::choose>(find(itemId)); }

void UserActionDispatch::textEdited(uint64_t controlId, const std::string& text)
{
    if (Object* area = find(controlId))
        TextArea::userEdited(area, text);
}

void UserActionDispatch::endRequested() { Quit(0); }

// The windows went with the display, and the toolkit cannot be taken down
// without it; nor may the static destructors run while the speech threads
// go on. So the speech alone is stopped and its threads joined, and the
// process ends on the spot.
void UserActionDispatch::displayLost(const std::string& display)
{
    releaseSpeech();
    std::fprintf(stderr, "framework: the connection to the display %s was lost\n", display.c_str());
    std::_Exit(1);
}

UserActionDispatch& userActionDispatch()
{
    // Never destroyed: should the process end with windows still open (an
    // exit() from below the framework), they unregister from it as they go.
    static auto* dispatch = new UserActionDispatch;
    return *dispatch;
}

} // namespace fw
