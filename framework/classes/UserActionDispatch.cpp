#include "framework/classes/UserActionDispatch.h"

#include "framework/classes/EventLoop.h"
#include "framework/classes/MenuItem.h"
#include "framework/classes/PushButton.h"
#include "framework/classes/TextArea.h"
#include "framework/classes/Window.h"
#include "framework/runtime/Properties.h"

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

UserActionDispatch& userActionDispatch()
{
    static UserActionDispatch dispatch;
    return dispatch;
}

} // namespace fw
