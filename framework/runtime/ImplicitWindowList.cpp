#include "framework/runtime/ImplicitWindowList.h"

#include "framework/runtime/ObjectArray.h"

#include <string>

namespace fw {

namespace {

Ref<ObjectMapInstance> theList; // the windows under the short names of their classes

std::string_view classNameOf(Object* window) { return window->classTable()->name->view(); }

} // namespace

std::string_view shortClassName(std::string_view className)
{
    size_t stop = className.rfind('.');
    return stop == std::string_view::npos ? className : className.substr(stop + 1);
}

Ref<Object> _GetImplicitWindow(String* className)
{
    return className ? objectNamed(theList, shortClassName(className->view())) : nullptr;
}

void registerImplicitWindow(Object* window)
{
    objectMap(theList).entries[std::string(shortClassName(classNameOf(window)))] = Ref<Object>::retain(window);
}

void removeImplicitWindow(Object* window)
{
    if (objectNamed(theList, shortClassName(classNameOf(window))).get() == window)
        theList->entries.erase(std::string(shortClassName(classNameOf(window))));
}

namespace _mImplicitWindowList {
bool exists() { return static_cast<bool>(theList); }
void __Exit() { Ref<ObjectMapInstance> held = std::move(theList); }
} // namespace _mImplicitWindowList

} // namespace fw
