#include "framework/classes/Canvas.h"

#include "framework/classes/Picture.h"
#include "framework/runtime/ClassDescription.h"
#include "framework/runtime/Properties.h"

namespace fw {

namespace {

struct CanvasInstance : ControlInstance {
    using ControlInstance::ControlInstance;
    ui::ControlKind kind() const override { return ui::ControlKind::Canvas; }
    ui::ControlLook look() const override
    {
        ui::ControlLook look = ControlInstance::look();
        look.backdrop = pictureImage(objectProperty(this, "Backdrop"));
        return look;
    }
};

constexpr Event kEvents[] = {Event::Paint};

} // namespace

namespace Canvas {

const ClassTable* __Lookup()
{
    static const ClassTable* table = nullptr;
    return registerClass(table, {
                                    .name = "Canvas",
                                    .parent = RectControl::__Lookup,
                                    .instances = instancesOf<CanvasInstance>,
                                    .properties = kOwnProperties,
                                    .events = kEvents,
                                });
}

namespace Backdrop {
void Set(Object* canvas, int32_t, Object* picture) { setProperty(canvas, "Backdrop", Ref<Object>::retain(picture)); }
} // namespace Backdrop

} // namespace Canvas

} // namespace fw
