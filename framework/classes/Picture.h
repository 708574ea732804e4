#pragma once
// Picture: a decoded image, shared by everything that shows it.

#include "framework/runtime/ClassTable.h"
#include "framework/ui/Presentation.h"

#include <memory>

namespace fw {

namespace Picture {
const ClassTable* __Lookup();
}

// A new picture of the decoded image, its Width and Height set.
Ref<Object> newPicture(std::shared_ptr<const ui::Image> image);

// The image behind a picture; nil for nil or for another kind of object.
std::shared_ptr<const ui::Image> pictureImage(Object* picture);

} // namespace fw
