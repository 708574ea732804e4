#pragma once
// FolderItem: a file or folder of the file system, named by its path. An
// item may name something that does not exist; opening it then fails.

#include "framework/runtime/ClassTable.h"

#include <filesystem>

namespace fw {

namespace FolderItem {

const ClassTable* __Lookup();

// The folder holding the item, or nil for the root.
Ref<Object> Parent(Object* item);
// The item of that name inside the folder, whether it exists or not; nil
// for a name that is not a plain file name (empty, ".", "..", with a "/").
Ref<Object> Child(Object* folder, String* name);
// The file opened as a picture, or nil; a file that cannot be opened as a
// picture is named on stderr with the reason.
Ref<Object> OpenAsPicture(Object* item);

} // namespace FolderItem

Ref<Object> newFolderItem(std::filesystem::path path);
const std::filesystem::path& folderItemPath(Object* item);

// The running application's own executable file, or nil.
Ref<Object> AppFolderItemGetter();

// The folder holding the application's resources: the executable's folder,
// its parent, then "Resources" (bin/../Resources). Raises NilObjectException
// when a step before the last finds nothing.
Ref<Object> _GetApplicationBundleResources();

} // namespace fw
