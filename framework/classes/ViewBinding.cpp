#include "framework/classes/ViewBinding.h"

#include "framework/classes/Services.h"
#include "framework/classes/UserActionDispatch.h"

namespace fw {

ViewBinding::ViewBinding(Destroy destroy) : id_(newViewId()), destroy_(destroy) {}

void ViewBinding::bind(Object* object)
{
    userActionDispatch().registerView(id_, object);
    bound_ = true;
}

void ViewBinding::unbind()
{
    if (!bound_)
        return;
    bound_ = false;
    userActionDispatch().unregisterView(id_);
    if (destroy_ && servicesInstalled())
        (presentation().*destroy_)(id_);
}

} // namespace fw
