#pragma once
// The seam between the framework's classes and what the user sees. The
// framework's windows, controls and menus are models; a Presentation turns
// them into real widgets and reports the user's actions back through
// UserActions. Nothing on this side of the seam includes a toolkit header.

#include "framework/runtime/EnumTable.h"
#include "framework/ui/LazyText.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace fw::ui {

struct Rgb {
    uint8_t red = 0, green = 0, blue = 0;
    bool operator==(const Rgb&) const = default;
};

// How a window is framed, decoded from its settings.
struct WindowLook {
    std::string title{};
    int32_t left = 0, top = 0, width = 0, height = 0;
    int32_t frame = 0;     // 7: floats above the windows of every application
    int32_t placement = 0; // 2: centred on the main screen
    bool hasBackColor = false;
    Rgb backColor{};
    bool closeButton = false, minimizeButton = false, maximizeButton = false;
    bool resizeable = false, fullScreen = false;
    bool operator==(const WindowLook&) const = default;
};

// A decoded picture, ready to be drawn; made by Presentation::decodeImage.
class Image {
public:
    virtual ~Image() = default;
    virtual int32_t width() const = 0;
    virtual int32_t height() const = 0;
};

enum class ControlKind : uint8_t { PushButton, TextArea, Label, Canvas };

struct ControlLook {
    ControlKind kind = ControlKind::PushButton;
    std::string name{};
    int32_t left = 0, top = 0, width = 0, height = 0;
    bool visible = true, enabled = true;
    std::string caption{};  // push buttons
    std::string fontName{}; // "System" or empty: the desktop's font
    float textSize = 0;     // 0: the desktop's size
    bool bold = false, italic = false, underline = false;
    std::optional<Rgb> textColor{};
    std::optional<Rgb> backColor{};
    int32_t textAlign = 0;
    bool multiline = false, readOnly = false, border = false;
    std::shared_ptr<const Image> backdrop{}; // canvases: drawn from the top left; nil for none
    bool operator==(const ControlLook&) const = default;
};

// What the user did; the presentation calls these on its event thread. They
// never throw: the framework settles every exception before it returns.
class UserActions {
public:
    virtual ~UserActions() = default;
    virtual void pushButtonClicked(uint64_t controlId) = 0;
    virtual void windowCloseRequested(uint64_t windowId) = 0;
    virtual void menuItemChosen(uint64_t itemId) = 0;
    // The user edited a text area (typing, the Edit menu); its whole text now.
    virtual void textEdited(uint64_t controlId, const std::string& text) = 0;
    // The desktop asked the program to end (a logout, Ctrl+C in a terminal,
    // kill): it ends as Quit ends it.
    virtual void endRequested() = 0;
    // The connection to the display (":1") is gone: its X server ended, or
    // an ssh -X link dropped. Nothing can be shown or torn down any more.
    // Does not return: the process ends with exit code 1 and one line on
    // stderr once speech has stopped.
    virtual void displayLost(const std::string& display) = 0;
};

// The standard edit commands a menu item can perform on the focused text
// control, and their names. None: the item's choice goes to menuItemChosen.
enum class EditCommand : uint8_t { None, Undo, Cut, Copy, Paste, Clear, SelectAll, Count };

struct EditCommandInfo {
    EditCommand command;
    std::string_view name;
};

inline constexpr EditCommandInfo kEditCommandInfo[] = {
    // command, name
    {.command = EditCommand::None, .name = ""},
    {.command = EditCommand::Undo, .name = "undo"},
    {.command = EditCommand::Cut, .name = "cut"},
    {.command = EditCommand::Copy, .name = "copy"},
    {.command = EditCommand::Paste, .name = "paste"},
    {.command = EditCommand::Clear, .name = "clear"}, // the Delete item: removes the selection, nothing else
    {.command = EditCommand::SelectAll, .name = "selectAll"},
};
static_assert(rowsFollowTheirEnum<&EditCommandInfo::command>(kEditCommandInfo),
              "kEditCommandInfo has one row for each EditCommand, in its order");
static_assert(rowsDiffer<&EditCommandInfo::name>(kEditCommandInfo), "kEditCommandInfo names are distinct");

// `command` must be one of the commands before Count.
constexpr std::string_view editCommandName(EditCommand command)
{
    return kEditCommandInfo[static_cast<size_t>(command)].name;
}

// A menu node as the presentation shows it.
struct MenuNode {
    uint64_t id = 0;
    std::string text{};     // "&" marks the mnemonic; "-" is a separator
    std::string shortcut{}; // portable text such as "Cmd+Q"; empty: none
    bool enabled = true;
    // Which standard edit command the item performs on the focused text control.
    EditCommand editCommand = EditCommand::None;
    std::vector<MenuNode> children{};
};

class Presentation {
public:
    virtual ~Presentation() = default;

    virtual void setUserActions(UserActions* actions) = 0;

    // Windows and controls are known by ids that the framework hands out.
    virtual void createWindow(uint64_t windowId, const WindowLook& look) = 0;
    virtual void updateWindow(uint64_t windowId, const WindowLook& look) = 0;
    virtual void showWindow(uint64_t windowId) = 0;
    virtual void hideWindow(uint64_t windowId) = 0;
    virtual void destroyWindow(uint64_t windowId) = 0;

    virtual void createControl(uint64_t windowId, uint64_t controlId, const ControlLook& look) = 0;
    virtual void updateControl(uint64_t controlId, const ControlLook& look) = 0;
    // Mirrors a text area's text into its widget, which keeps the text.
    // Text areas lying outside their window's area are never shown, and
    // need not read their text, let alone lay it out.
    virtual void setControlText(uint64_t controlId, LazyText text) = 0;
    virtual void destroyControl(uint64_t controlId) = 0;

    virtual void setMenuBar(const std::vector<MenuNode>& menus) = 0;

    // Decodes an image file's bytes (JPEG, PNG, ...). On failure returns nil
    // and sets error to a short reason ("not an image", "too large", ...).
    virtual std::shared_ptr<const Image> decodeImage(const std::vector<unsigned char>& bytes, std::string& error) = 0;

    // The desktop clipboard's text, read synchronously; nullopt when the
    // clipboard holds no text.
    virtual std::optional<std::string> clipboardText() = 0;

    // Runs the event loop until quitEventLoop.
    virtual void runEventLoop() = 0;
    virtual void quitEventLoop() = 0;
    // Runs task on the event thread soon, from within the event loop.
    virtual void post(std::function<void()> task) = 0;
};

} // namespace fw::ui
