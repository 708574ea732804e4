#include "framework/runtime/EventBinding.h"

namespace fw {

bool RuntimeAddEventHandler(Object* object, int32_t event, EventStub stub, Object* delegate)
{
    if (!object || !stub)
        return false;
    for (EventBinding& binding : object->eventBindings())
        if (binding.event == event && binding.stub == stub) {
            binding.delegate = Ref<Object>::retain(delegate);
            return true;
        }
    object->eventBindings().push_back({event, stub, Ref<Object>::retain(delegate)});
    return true;
}

Object* RuntimeEventDelegate(Object* object, int32_t event, EventStub stub)
{
    if (!object)
        return nullptr;
    for (EventBinding& binding : object->eventBindings())
        if (binding.event == event && binding.stub == stub)
            return binding.delegate.get();
    return nullptr;
}

bool fireEventBindings(Object* object, int32_t event)
{
    Ref<Object> keepAlive = Ref<Object>::retain(object);
    std::vector<EventStub> stubs;
    for (const EventBinding& binding : object->eventBindings())
        if (binding.event == event)
            stubs.push_back(binding.stub);
    for (EventStub stub : stubs)
        stub(object);
    return !stubs.empty();
}

} // namespace fw
