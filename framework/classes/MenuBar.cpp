#include "framework/classes/MenuBar.h"

#include "framework/classes/Services.h"
#include "framework/runtime/ClassDescription.h"
#include "framework/runtime/ObjectArray.h"

#include <iterator>

namespace fw::MenuBar {

namespace {

Object* installedBar = nullptr; // borrowed: the application holds it
bool refreshPosted = false;

void showInstalled()
{
    refreshPosted = false;
    if (!installedBar || !servicesInstalled())
        return;
    std::vector<ui::MenuNode> menus = MenuItem::presentationNode(installedBar).children;
    presentation().setMenuBar(menus);
}

Ref<Object> DependencyList(Object* bar)
{
    auto list = static_ref_cast<ObjectArrayInstance>(RuntimeNewObject(ObjectArray::__Lookup()));
    for (const Ref<Object>& menu : static_cast<MenuItemInstance*>(bar)->children)
        list->elements.push_back(menu);
    return list;
}

void InstallClone(Object* bar, Object* menu)
{
    Ref<Object> copy = callOperation<Ref<Object>>(menu, MenuItem::slot(MenuItem::Op::Clone));
    MenuItem::Append(bar, copy.get());
}

constexpr OperationRow kOperations[] = {
    // function, name, signature
    op<&DependencyList>("__DependencyList", "%o<ObjectArray>%"),
    op<&InstallClone>("_InstallClone", "%%o<MenuItem>"),
};

static_assert(MenuItem::slot(MenuItem::Op::End) + std::size(kOperations) == operationCount);

} // namespace

const ClassTable* __Lookup()
{
    static const ClassTable* table = nullptr;
    return registerClass(table, {
                                    .name = "MenuBar",
                                    .parent = MenuItem::__Lookup,
                                    .operations = kOperations,
                                });
}

void install(Object* bar)
{
    installedBar = bar;
    showInstalled();
}

void treeChanged(Object* node)
{
    Object* root = node;
    while (root && static_cast<MenuItemInstance*>(root)->parent)
        root = static_cast<MenuItemInstance*>(root)->parent;
    if (root != installedBar || refreshPosted || !servicesInstalled())
        return;
    refreshPosted = true;
    presentation().post(showInstalled);
}

void forgetPostedRefresh() { refreshPosted = false; }

} // namespace fw::MenuBar
