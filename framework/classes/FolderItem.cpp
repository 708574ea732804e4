#include "framework/classes/FolderItem.h"

#include "framework/classes/Picture.h"
#include "framework/classes/Services.h"
#include "framework/runtime/ClassDescription.h"
#include "framework/runtime/Exception.h"

#include <cstdio>
#include <fstream>
#include <system_error>

namespace fw {

namespace {

struct FolderItemInstance : Object {
    using Object::Object;
    std::filesystem::path path;
};

// Pictures larger than this are refused before they are read.
constexpr std::uintmax_t kMaximumPictureFileBytes = 64 * 1024 * 1024;

void reportUnopenable(const std::filesystem::path& path, const std::string& reason)
{
    std::fprintf(stderr, "framework: cannot open picture %s: %s\n", path.c_str(), reason.c_str());
}

bool readWholeFile(const std::filesystem::path& path, std::vector<unsigned char>& bytes, std::string& error)
{
    std::error_code code;
    if (!std::filesystem::is_regular_file(path, code)) {
        error = std::filesystem::exists(path, code) ? "not a regular file" : "no such file";
        return false;
    }
    std::uintmax_t size = std::filesystem::file_size(path, code);
    if (code || size > kMaximumPictureFileBytes) {
        error = code ? code.message() : "file too large";
        return false;
    }
    std::ifstream file(path, std::ios::binary);
    bytes.resize(static_cast<size_t>(size));
    if (!file.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()))) {
        error = "read failed";
        return false;
    }
    return true;
}

bool isPlainFileName(std::string_view name)
{
    return !name.empty() && name != "." && name != ".." && name.find('/') == std::string_view::npos &&
           name.find('\0') == std::string_view::npos;
}

} // namespace

namespace FolderItem {

const ClassTable* __Lookup()
{
    static const ClassTable* table = nullptr;
    return registerClass(table, {
                                    .name = "FolderItem",
                                    .parent = ObjectClass::__Lookup,
                                    .instances = instancesOf<FolderItemInstance>,
                                });
}

Ref<Object> Parent(Object* item)
{
    const std::filesystem::path& path = folderItemPath(item);
    if (!path.has_relative_path())
        return nullptr;
    return newFolderItem(path.parent_path());
}

Ref<Object> Child(Object* folder, String* name)
{
    if (!name || !isPlainFileName(name->view()))
        return nullptr;
    return newFolderItem(folderItemPath(folder) / std::string(name->view()));
}

Ref<Object> OpenAsPicture(Object* item)
{
    const std::filesystem::path& path = folderItemPath(item);
    std::vector<unsigned char> bytes;
    std::string error;
    if (!readWholeFile(path, bytes, error)) {
        reportUnopenable(path, error);
        return nullptr;
    }
    std::shared_ptr<const ui::Image> image = presentation().decodeImage(bytes, error);
    if (!image) {
        reportUnopenable(path, error);
        return nullptr;
    }
    return newPicture(std::move(image));
}

} // namespace FolderItem

Ref<Object> newFolderItem(std::filesystem::path path)
{
    Ref<Object> item = RuntimeNewObject(FolderItem::__Lookup());
    static_cast<FolderItemInstance*>(item.get())->path = path.lexically_normal();
    return item;
}

const std::filesystem::path& folderItemPath(Object* item)
{
    if (!RuntimeObjectIsa(item, FolderItem::__Lookup()))
        RaiseNilObjectException();
    return static_cast<FolderItemInstance*>(item)->path;
}

Ref<Object> AppFolderItemGetter()
{
    std::error_code code;
    std::filesystem::path executable = std::filesystem::read_symlink("/proc/self/exe", code);
    return code ? nullptr : newFolderItem(executable);
}

Ref<Object> _GetApplicationBundleResources()
{
    Ref<Object> application = AppFolderItemGetter();
    if (!application)
        RaiseNilObjectException();
    Ref<Object> binFolder = FolderItem::Parent(application.get());
    if (!binFolder)
        RaiseNilObjectException();
    Ref<Object> installFolder = FolderItem::Parent(binFolder.get());
    if (!installFolder)
        RaiseNilObjectException();
    Ref<String> resources = makeString("Resources");
    return FolderItem::Child(installFolder.get(), resources.get());
}

} // namespace fw
