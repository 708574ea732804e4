#include "framework/runtime/ImplicitWindowList.h"

#include "framework/runtime/ClassDescription.h"

#include <map>
#include <string>

namespace fw {

namespace {

struct ImplicitWindowListInstance : Object {
    using Object::Object;
    std::map<std::string, Ref<Object>, std::less<>> windows;
};

const ClassTable* listClass()
{
    static const ClassTable* table = nullptr;
    return registerClass(table, {
        .name = "ImplicitWindowList",
        .parent = ObjectClass::__Lookup,
        .instances = instancesOf<ImplicitWindowListInstance>,
    });
}

Ref<ImplicitWindowListInstance> theList;

std::string_view classNameOf(Object* window) { return window->classTable()->name->view(); }

} // namespace

std::string_view shortClassName(std::string_view className)
{
    size_t stop = className.rfind('.');
    return stop == std::string_view::npos ? className : className.substr(stop + 1);
}

Ref<Object> _GetImplicitWindow(String* className)
{
    if (!theList || !className)
        return nullptr;
    auto found = theList->windows.find(shortClassName(className->view()));
    return found == theList->windows.end() ? nullptr : found->second;
}

void registerImplicitWindow(Object* window)
{
    if (!theList)
        theList = static_ref_cast<ImplicitWindowListInstance>(RuntimeNewObject(listClass()));
    theList->windows[std::string(shortClassName(classNameOf(window)))] = Ref<Object>::retain(window);
}

void removeImplicitWindow(Object* window)
{
    if (!theList)
        return;
    auto found = theList->windows.find(shortClassName(classNameOf(window)));
    if (found != theList->windows.end() && found->second.get() == window)
        theList->windows.erase(found);
}

namespace _mImplicitWindowList {
bool exists() { return static_cast<bool>(theList); }
void __Exit()
{
    Ref<ImplicitWindowListInstance> held = std::move(theList);
}
} // namespace _mImplicitWindowList

} // namespace fw
