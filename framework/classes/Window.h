#pragma once
// Window: a top-level window and the controls it holds by name.

#include "framework/classes/ViewBinding.h"
#include "framework/runtime/ClassDescription.h"

#include <utility>
#include <vector>

namespace fw {

struct WindowInstance : Object {
    explicit WindowInstance(const ClassTable* classTable);
    ~WindowInstance() override;

    void propertyChanged(uint32_t slot) override;

    // Brings the presentation's window and controls up to date.
    void syncView();
    ui::WindowLook look() const;

    ViewBinding view{&ui::Presentation::destroyWindow};
    bool closed = false;
    uint32_t acceptedDrops = 0;                                // DropText | DropPicture | ...
    std::vector<std::pair<Ref<String>, Ref<Object>>> controls; // in the order added
};

namespace Window {

// The table of operations, in order.
enum class Op : uint32_t {
    Show,
    ShowWithin,
    ShowModalWithin,
    Hide,
    Close,
    Refresh,
    RefreshRect,
    ShowModal,
    AcceptTextDrop,
    AcceptPictureDrop,
    AcceptFileDrop,
    AcceptMacDataDrop,
    AcceptRawDataDrop,
    Control,
    SetFocus,
    DrawInto,
    _DrawBackground,
    UpdateNow,
    _AddControl,
    _AddMenuHandler,
    Window,
    Operator_Convert,
    __New,
    _Move,
    Maximize,
    Minimize,
    Restore,
    _Update,
    _CallMoved,
    _EnableMenuItems,
    _CallActivated,
    _CallDeactivated,
    _HandleMenuCommand,
    _UnifiedClose,
    _CallMouseDown,
    _CallResized,
    _CallResizing,
    _RemoveControl,
    _MouseEnter,
    _MouseExit,
    _MouseMove,
    _Paint,
    _MouseWheel,
    _KeyDown,
    __DependencyList,
    Constructor,
    TrueWindow,
    FocusNext,
    FocusPrevious,
    _ControlByName,
    _ControlByNameIndex,
    End
};
using fw::slot;
constexpr uint32_t operationCount = slot(Op::End);
inline constexpr ClassTotals kTotals{.members = 130, .events = 33, .properties = 49};

// ControlCount follows from the controls the window holds.
namespace ControlCount {
inline StoredValue Get(const Object* window)
{
    return static_cast<int32_t>(static_cast<const WindowInstance*>(window)->controls.size());
}
} // namespace ControlCount

// A window's properties, in the order of its property table.
inline constexpr PropertyRow kOwnProperties[] = {
    // name              kind
    {"Placement", ValueKind::Int32},
    {"Width", ValueKind::Int32},
    {"Height", ValueKind::Int32},
    {"MinWidth", ValueKind::Int32},
    {"MinHeight", ValueKind::Int32},
    {"MaxWidth", ValueKind::Int32},
    {"MaxHeight", ValueKind::Int32},
    {"Frame", ValueKind::Int32},
    {"Composite", ValueKind::Boolean},
    {"HasBackColor", ValueKind::Boolean},
    {"BackColor", ValueKind::Colour},
    {"Title", ValueKind::Text},
    {"Visible", ValueKind::Boolean},
    {"FullScreen", ValueKind::Boolean},
    {"MenuBarVisible", ValueKind::Boolean},
    {"CloseButton", ValueKind::Boolean},
    {"Resizeable", ValueKind::Boolean},
    {"LiveResize", ValueKind::Boolean},
    {"MaximizeButton", ValueKind::Boolean},
    {"MinimizeButton", ValueKind::Boolean},
    {"MacProcID", ValueKind::Int32},
    {"Left", ValueKind::Int32},
    {"Top", ValueKind::Int32},
    {"ContentsChanged", ValueKind::Boolean},
    {"Backdrop", ValueKind::Object},
    {"MenuBar", ValueKind::Object},
    {"MouseCursor", ValueKind::Object},
    {"Focus", ValueKind::Object},
    {"Handle", ValueKind::Int32},
    {"MouseX", ValueKind::Int32},
    {"MouseY", ValueKind::Int32},
    {"ControlCount", ValueKind::Int32, ControlCount::Get},
    {"ImplicitInstance", ValueKind::Boolean},
    {"Modified", ValueKind::Boolean},
    {"Graphics", ValueKind::Object},
    {"Name", ValueKind::Text},
    {"HelpTag", ValueKind::Text},
    {"Enabled", ValueKind::Boolean},
    {"DefaultButton", ValueKind::Object},
    {"CancelButton", ValueKind::Object},
    {"AcceptFocus", ValueKind::Boolean},
    {"BalloonHelp", ValueKind::Boolean},
    {"DockItem", ValueKind::Object},
    {"HasFocusRing", ValueKind::Boolean},
    {"ToolbarVisible", ValueKind::Boolean},
    {"DoubleBuffer", ValueKind::Boolean},
    {"EraseBackground", ValueKind::Boolean},
    {"Transparent", ValueKind::Boolean},
    {"Tag", ValueKind::Object},
};
inline constexpr PropertyTable kProperties{.own = kOwnProperties};

const ClassTable* __Lookup();

// The operations the program and the rest of the framework call directly.
void Show(Object* window);
void Hide(Object* window);
void Close(Object* window);
void Constructor(Object* window);
Ref<Object> __New(Object* window, const ClassTable* controlClass);
void _AddControl(Object* window, String* name, Object* control);
Ref<Object> _ControlByName(Object* window, String* name);
bool _UnifiedClose(Object* window, bool quitting);

} // namespace Window

} // namespace fw
