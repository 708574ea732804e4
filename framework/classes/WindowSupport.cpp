#include "framework/classes/WindowSupport.h"

#include "framework/classes/Services.h"
#include "framework/classes/Window.h"
#include "framework/runtime/ClassDescription.h"
#include "framework/runtime/ObjectArray.h"

#include <algorithm>

namespace fw::WindowSupport {

namespace {

// Both lists are runtime arrays, so that the module finaliser releases them
// like any other object.
Ref<ObjectArrayInstance> newList()
{
    return static_ref_cast<ObjectArrayInstance>(RuntimeNewObject(ObjectArray::__Lookup()));
}

void removeFrom(Ref<ObjectArrayInstance>& list, Object* window)
{
    if (!list)
        return;
    auto& elements = list->elements;
    elements.erase(
        std::remove_if(elements.begin(), elements.end(), [window](const Ref<Object>& e) { return e.get() == window; }),
        elements.end());
}

Ref<ObjectArrayInstance> openWindows;
Ref<ObjectArrayInstance> dirtyWindows;
bool flushPosted = false;

} // namespace

namespace Windows {
void __Init() { openWindows = newList(); }

void add(Object* window)
{
    if (!openWindows)
        __Init();
    openWindows->elements.push_back(Ref<Object>::retain(window));
}

void remove(Object* window) { removeFrom(openWindows, window); }

std::vector<Object*> all()
{
    std::vector<Object*> windows;
    if (openWindows)
        for (const Ref<Object>& window : openWindows->elements)
            windows.push_back(window.get());
    return windows;
}

void __Exit() { Ref<ObjectArrayInstance> held = std::move(openWindows); }
} // namespace Windows

namespace mDirtyWindows {
void add(Object* window)
{
    if (!dirtyWindows)
        dirtyWindows = newList();
    for (const Ref<Object>& noted : dirtyWindows->elements)
        if (noted.get() == window)
            return;
    dirtyWindows->elements.push_back(Ref<Object>::retain(window));
    if (!flushPosted && servicesInstalled()) {
        flushPosted = true;
        presentation().post([] { flush(); });
    }
}

void flush()
{
    flushPosted = false;
    if (!dirtyWindows)
        return;
    std::vector<Ref<Object>> windows = std::move(dirtyWindows->elements);
    dirtyWindows->elements.clear();
    for (const Ref<Object>& window : windows)
        static_cast<WindowInstance*>(window.get())->syncView();
}

void __Exit() { Ref<ObjectArrayInstance> held = std::move(dirtyWindows); }

void forgetPostedFlush() { flushPosted = false; }
} // namespace mDirtyWindows

} // namespace fw::WindowSupport
