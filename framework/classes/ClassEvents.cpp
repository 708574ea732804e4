#include "framework/classes/ClassEvents.h"

namespace fw {

bool fireClassEvent(Object* object, Event event)
{
    if (!object->classTable()->eventEntry(event).handler)
        return false;
    Ref<Object> keepAlive = Ref<Object>::retain(object);
    callEventHandler(object, event);
    return true;
}

} // namespace fw
