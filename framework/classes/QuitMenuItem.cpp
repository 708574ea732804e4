#include "framework/classes/QuitMenuItem.h"

#include "framework/classes/EventLoop.h"
#include "framework/runtime/ClassDescription.h"

namespace fw {

namespace {

bool Event_Action(Object* item) { return QuitMenuAction(item); }

constexpr HandlerRow kHandlers[] = {
    // event     handler
    {Event::Action, codeOf<&Event_Action>},
};

} // namespace

namespace QuitMenuItem {
const ClassTable* __Lookup()
{
    static const ClassTable* table = nullptr;
    return registerClass(table, {
                                    .name = "QuitMenuItem",
                                    .parent = MenuItem::__Lookup,
                                    .handlers = kHandlers,
                                });
}
} // namespace QuitMenuItem

bool QuitMenuAction(Object*)
{
    Quit(0);
    return true;
}

} // namespace fw
