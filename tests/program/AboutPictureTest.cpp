// The About picture getter walks its states in one run of this process:
// Fresh, Empty while the file is missing or unreadable, then Loaded for good.
// The Resources folder is the one beside this test's bin folder.

#include "about/AboutPicture.h"
#include "framework/classes/FolderItem.h"
#include "framework/runtime/Properties.h"
#include "tests/support/FakeDesktop.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace {

std::filesystem::path resourcesFolder()
{
    return std::filesystem::read_symlink("/proc/self/exe").parent_path().parent_path() / "Resources";
}

void writePicture(const std::string& bytes)
{
    std::filesystem::create_directories(resourcesFolder());
    std::ofstream(resourcesFolder() / kAboutPictureFile, std::ios::binary) << bytes;
}

std::string stagedPicture()
{
    std::ifstream file(LV_STAGED_ABOUT_PICTURE, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

struct Step {
    const char* what;
    std::function<void()> prepare;
    bool loaded;
    const char* stderrNames; // what the framework's line must hold; nullptr: no line
};

TEST(AboutPictureTest, StatesFreshEmptyLoaded)
{
    installFakeDesktop();
    std::filesystem::remove_all(resourcesFolder());
    fw::Ref<fw::Object> loaded;
    const Step steps[] = {
        {"no Resources folder", [] {}, false, "no such file"},
        {"an empty file", [] { writePicture(""); }, false, "empty"},
        {"not an image", [] { writePicture("plain text"); }, false, "not an image"},
        {"a folder in its place",
         [] {
             std::filesystem::remove(resourcesFolder() / kAboutPictureFile);
             std::filesystem::create_directory(resourcesFolder() / kAboutPictureFile);
         },
         false, "not a regular file"},
        {"too large to read",
         [] {
             std::filesystem::remove(resourcesFolder() / kAboutPictureFile);
             writePicture("");
             std::filesystem::resize_file(resourcesFolder() / kAboutPictureFile, 65 * 1024 * 1024);
         },
         false, "too large"},
        {"a cut-off picture", [] { writePicture(stagedPicture().substr(0, 600)); }, false, "damaged image"},
        {"the picture the build stages", [] { writePicture(stagedPicture()); }, true, nullptr},
        {"the file removed once loaded", [] { std::filesystem::remove_all(resourcesFolder()); }, true, nullptr},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.what);
        step.prepare();
        testing::internal::CaptureStderr();
        fw::Ref<fw::Object> picture = AboutLirraRorovEzave();
        std::string stderrText = testing::internal::GetCapturedStderr();
        EXPECT_EQ(static_cast<bool>(picture), step.loaded);
        if (step.stderrNames) {
            EXPECT_NE(stderrText.find(kAboutPictureFile), std::string::npos) << stderrText;
            EXPECT_NE(stderrText.find(step.stderrNames), std::string::npos) << stderrText;
        } else {
            EXPECT_EQ(stderrText, "");
        }
        if (picture && loaded) {
            EXPECT_EQ(picture, loaded) << "the very same picture, never a copy";
        }
        if (picture && !loaded) {
            loaded = picture;
            EXPECT_EQ(fw::intProperty(picture.get(), "Width"), 249);
            EXPECT_EQ(fw::intProperty(picture.get(), "Height"), 190);
        }
    }
    EXPECT_EQ(fw::folderItemPath(fw::_GetApplicationBundleResources().get()), resourcesFolder());
    loaded = nullptr;
    fw::releaseServices();
}

} // namespace
