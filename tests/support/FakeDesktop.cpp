#include "tests/support/FakeDesktop.h"

#include "framework/ui/qt/QtImage.h"

#include <stdexcept>

FakeDesktop& fakeDesktop()
{
    static FakeDesktop desktop;
    return desktop;
}

namespace {

fw::DesktopServices freshServices()
{
    auto presentation = std::make_unique<FakePresentation>();
    presentation->script = std::move(fakeDesktop().nextScript);
    fakeDesktop().nextScript.clear();
    presentation->clipboard = std::exchange(fakeDesktop().nextClipboard, std::nullopt);
    auto speech = std::make_unique<FakeSpeech>();
    fakeDesktop().presentation = presentation.get();
    fakeDesktop().speech = speech.get();
    return {std::move(presentation), std::move(speech)};
}

// Every run the tests start takes these stand-ins.
[[maybe_unused]] const bool kFakeDesktopProvided = (fw::provideDesktopServices(freshServices), true);

} // namespace

void installFakeDesktop()
{
    fw::DesktopServices services = freshServices();
    fw::installServices(std::move(services.presentation), std::move(services.speech));
}

FakePresentation::~FakePresentation()
{
    fakeDesktop().callsLastRun = calls;
    fakeDesktop().loopsLastRun = loopsRun;
    if (fakeDesktop().presentation == this)
        fakeDesktop().presentation = nullptr;
}

FakeSpeech::~FakeSpeech()
{
    fakeDesktop().spokenLastRun = spoken;
    if (fakeDesktop().onSpeechReleased)
        fakeDesktop().onSpeechReleased();
    if (fakeDesktop().speech == this)
        fakeDesktop().speech = nullptr;
}

void FakePresentation::createWindow(uint64_t id, const fw::ui::WindowLook& look)
{
    calls.push_back("createWindow " + look.title);
    windows[id] = {.look = look};
    windowOrder.push_back(id);
}

void FakePresentation::createControl(uint64_t window, uint64_t id, const fw::ui::ControlLook& look)
{
    controls[id] = {.window = window, .look = look};
    windows[window].controls.push_back(id);
}

std::shared_ptr<const fw::ui::Image> FakePresentation::decodeImage(const std::vector<unsigned char>& bytes,
                                                                   std::string& error)
{
    return fw::ui::QtImage::decode(bytes, error);
}

void FakePresentation::runEventLoop()
{
    ++loopsRun;
    while (!quitRequested) {
        if (!tasks.empty()) {
            auto task = std::move(tasks.front());
            tasks.pop_front();
            task();
        } else if (!script.empty()) {
            auto step = std::move(script.front());
            script.pop_front();
            step();
        } else {
            break;
        }
    }
    quitRequested = false;
}

void FakePresentation::runPostedTasks()
{
    while (!tasks.empty()) {
        auto task = std::move(tasks.front());
        tasks.pop_front();
        task();
    }
}

FakeWindow* FakePresentation::window(const std::string& title)
{
    for (auto it = windowOrder.rbegin(); it != windowOrder.rend(); ++it) {
        FakeWindow& candidate = windows[*it];
        if (!candidate.destroyed && candidate.look.title == title)
            return &candidate;
    }
    return nullptr;
}

uint64_t FakePresentation::windowId(const std::string& title)
{
    for (auto it = windowOrder.rbegin(); it != windowOrder.rend(); ++it)
        if (!windows[*it].destroyed && windows[*it].look.title == title)
            return *it;
    throw std::runtime_error("no window titled " + title);
}

FakeControl* FakePresentation::control(const std::string& title, const std::string& name)
{
    FakeWindow* owner = window(title);
    if (!owner)
        return nullptr;
    for (uint64_t id : owner->controls)
        if (!controls[id].destroyed && controls[id].look.name == name)
            return &controls[id];
    return nullptr;
}

void FakePresentation::click(const std::string& controlName)
{
    for (auto& [id, control] : controls)
        if (!control.destroyed && control.look.name == controlName && !windows[control.window].destroyed) {
            actions_->pushButtonClicked(id);
            return;
        }
    throw std::runtime_error("no control named " + controlName);
}

void FakePresentation::closeBox(const std::string& title) { actions_->windowCloseRequested(windowId(title)); }

void FakePresentation::loseDisplay(const std::string& display) { actions_->displayLost(display); }

namespace {
const fw::ui::MenuNode* findNode(const std::vector<fw::ui::MenuNode>& nodes, const std::string& text)
{
    for (const fw::ui::MenuNode& node : nodes) {
        if (node.text == text)
            return &node;
        if (const fw::ui::MenuNode* found = findNode(node.children, text))
            return found;
    }
    return nullptr;
}
} // namespace

void FakePresentation::chooseMenuItem(const std::string& itemText)
{
    const fw::ui::MenuNode* node = findNode(menuBar, itemText);
    if (!node)
        throw std::runtime_error("no menu item " + itemText);
    actions_->menuItemChosen(node->id);
}
