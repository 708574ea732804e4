#pragma once
// Stand-ins for the desktop services: a presentation that records what it is
// asked to show and runs a scripted event loop, and a speech service that
// records what it is asked to say. Pictures are decoded as the real desktop
// decodes them, so the program's own About picture reaches its canvas.

#include "framework/classes/Runtime.h"

#include <deque>
#include <functional>
#include <map>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

struct FakeWindow {
    fw::ui::WindowLook look;
    bool shown = false;
    bool destroyed = false;
    std::vector<uint64_t> controls{}; // in the order created
};

struct FakeControl {
    uint64_t window = 0;
    fw::ui::ControlLook look;
    std::string text{};
    bool destroyed = false;
};

class FakePresentation final : public fw::ui::Presentation {
public:
    ~FakePresentation() override;

    void setUserActions(fw::ui::UserActions* actions) override { actions_ = actions; }

    void createWindow(uint64_t id, const fw::ui::WindowLook& look) override;
    void updateWindow(uint64_t id, const fw::ui::WindowLook& look) override { windows[id].look = look; }
    void showWindow(uint64_t id) override { windows[id].shown = true; }
    void hideWindow(uint64_t id) override { windows[id].shown = false; }
    void destroyWindow(uint64_t id) override { windows[id].destroyed = true; }

    void createControl(uint64_t window, uint64_t id, const fw::ui::ControlLook& look) override;
    void updateControl(uint64_t id, const fw::ui::ControlLook& look) override { controls[id].look = look; }
    void setControlText(uint64_t id, fw::ui::LazyText text) override { controls[id].text = text.read(); }
    void destroyControl(uint64_t id) override { controls[id].destroyed = true; }

    void setMenuBar(const std::vector<fw::ui::MenuNode>& menus) override
    {
        menuBar = menus;
        calls.push_back("setMenuBar");
    }
    std::shared_ptr<const fw::ui::Image> decodeImage(const std::vector<unsigned char>& bytes,
                                                     std::string& error) override;
    std::optional<std::string> clipboardText() override { return clipboard; }

    // Runs posted tasks, then the next scripted step, until quit or nothing is left.
    void runEventLoop() override;
    // Runs what has been posted so far, and what that posts, as the loop's
    // next turn would: the framework's pending updates reach this desktop.
    void runPostedTasks();
    void quitEventLoop() override { quitRequested = true; }
    void post(std::function<void()> task) override { tasks.push_back(std::move(task)); }

    // The user's actions, as a test scripts them.
    void click(const std::string& controlName);
    void closeBox(const std::string& title);
    void chooseMenuItem(const std::string& itemText);
    // The X server went away.
    void loseDisplay(const std::string& display);

    // The live (not destroyed) window of that title, or nil.
    FakeWindow* window(const std::string& title);
    uint64_t windowId(const std::string& title);
    // The live control of that name in the live window of that title.
    FakeControl* control(const std::string& title, const std::string& name);

    std::map<uint64_t, FakeWindow> windows;
    std::map<uint64_t, FakeControl> controls;
    std::vector<uint64_t> windowOrder;
    std::vector<fw::ui::MenuNode> menuBar;
    std::optional<std::string> clipboard;
    std::deque<std::function<void()>> script;
    std::deque<std::function<void()>> tasks;
    std::vector<std::string> calls; // createWindow, setMenuBar, in order
    bool quitRequested = false;
    int loopsRun = 0;

private:
    fw::ui::UserActions* actions_ = nullptr;
};

struct SpokenText {
    std::string text;
    bool interrupt;
    bool operator==(const SpokenText&) const = default;
};
inline std::ostream& operator<<(std::ostream& out, const SpokenText& spoken)
{
    return out << "\"" << spoken.text << "\"" << (spoken.interrupt ? " interrupting" : "");
}

class FakeSpeech final : public fw::speech::SpeechService {
public:
    ~FakeSpeech() override;
    void speak(std::string_view utf8, bool interrupt) override { spoken.push_back({std::string(utf8), interrupt}); }
    std::vector<SpokenText> spoken;
};

// The services the next RuntimeInit installs; tests set them up first.
struct FakeDesktop {
    FakePresentation* presentation = nullptr; // owned by the framework once installed
    FakeSpeech* speech = nullptr;
    // Handed to the next presentation made.
    std::deque<std::function<void()>> nextScript;
    std::optional<std::string> nextClipboard;
    // What the last services saw, kept when they are released.
    std::vector<SpokenText> spokenLastRun;
    std::vector<std::string> callsLastRun;
    int loopsLastRun = 0;
    // Called as the speech service is destroyed.
    std::function<void()> onSpeechReleased;
};
FakeDesktop& fakeDesktop();
// Installs fresh stand-ins directly (without RuntimeInit).
void installFakeDesktop();
