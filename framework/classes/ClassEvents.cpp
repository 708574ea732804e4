#include "framework/classes/ClassEvents.h"

namespace fw {

bool fireClassEvent(Object* object, std::string_view eventName)
{
    int32_t index = object->classTable()->eventIndex(eventName);
    if (index < 0)
        return false;
    Code handler = object->classTable()->events[static_cast<size_t>(index)].handler;
    if (!handler)
        return false;
    Ref<Object> keepAlive = Ref<Object>::retain(object);
    reinterpret_cast<void (*)(Object*)>(handler)(object);
    return true;
}

} // namespace fw
