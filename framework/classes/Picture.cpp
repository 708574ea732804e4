#include "framework/classes/Picture.h"

#include "framework/runtime/ClassDescription.h"
#include "framework/runtime/Properties.h"

namespace fw {

namespace {

struct PictureInstance : Object {
    using Object::Object;
    std::shared_ptr<const ui::Image> image;
};

constexpr PropertyRow kProperties[] = {
    // name       kind
    {"Width", ValueKind::Int32},
    {"Height", ValueKind::Int32},
};

} // namespace

namespace Picture {
const ClassTable* __Lookup()
{
    static const ClassTable* table = nullptr;
    return registerClass(table, {
                                    .name = "Picture",
                                    .parent = ObjectClass::__Lookup,
                                    .instances = instancesOf<PictureInstance>,
                                    .properties = kProperties,
                                });
}
} // namespace Picture

Ref<Object> newPicture(std::shared_ptr<const ui::Image> image)
{
    Ref<Object> picture = RuntimeNewObject(Picture::__Lookup());
    setProperty(picture.get(), "Width", image->width());
    setProperty(picture.get(), "Height", image->height());
    static_cast<PictureInstance*>(picture.get())->image = std::move(image);
    return picture;
}

std::shared_ptr<const ui::Image> pictureImage(Object* picture)
{
    if (!RuntimeObjectIsa(picture, Picture::__Lookup()))
        return nullptr;
    return static_cast<PictureInstance*>(picture)->image;
}

} // namespace fw
