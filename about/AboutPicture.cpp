#include "about/AboutPicture.h"

#include "framework/classes/FolderItem.h"
#include "framework/runtime/Exception.h"
#include "glue/ConstantString.h"

namespace {

fw::Ref<fw::Object> pic;
bool initialised = false;

} // namespace

fw::Ref<fw::Object> AboutLirraRorovEzave()
{
    if (!initialised) {
        initialised = true;
        pic = nullptr;
    }
    if (pic)
        return pic;
    fw::Ref<fw::Object> resources = fw::_GetApplicationBundleResources();
    if (!resources)
        return pic;
    fw::Ref<fw::Object> file = fw::FolderItem::Child(resources.get(), constantString(kAboutPictureFile));
    if (!file)
        fw::RaiseNilObjectException();
    pic = fw::FolderItem::OpenAsPicture(file.get());
    return pic;
}
