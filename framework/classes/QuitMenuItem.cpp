#include "framework/classes/QuitMenuItem.h"

#include "framework/classes/EventLoop.h"
#include "framework/runtime/FrameworkClass.h"

namespace fw {

namespace {

bool Event_Action(Object* item) { return QuitMenuAction(item); }

const HandlerRow kHandlers[] = {
    // event     handler
    {Event::Action, toCode(Event_Action)},
};

} // namespace

namespace QuitMenuItem {
const ClassTable* __Lookup()
{
    static const ClassTable* table = buildFrameworkClass({
        .name = "QuitMenuItem",
        .parent = MenuItem::__Lookup,
        .handlers = kHandlers,
    });
    return table;
}
} // namespace QuitMenuItem

bool QuitMenuAction(Object*)
{
    Quit(0);
    return true;
}

} // namespace fw
