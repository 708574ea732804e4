#pragma once
// Window: a top-level window and the controls it holds by name.

#include "framework/runtime/ClassDescription.h"
#include "framework/ui/Presentation.h"

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

    const uint64_t viewId;
    bool viewCreated = false;
    bool closed = false;
    uint32_t acceptedDrops = 0;  // DropText | DropPicture | ...
    std::vector<std::pair<Ref<String>, Ref<Object>>> controls;  // in the order added
};

namespace Window {

// The table of operations, in order.
enum class Op : uint32_t {
    Show, ShowWithin, ShowModalWithin, Hide, Close, Refresh, RefreshRect, ShowModal,
    AcceptTextDrop, AcceptPictureDrop, AcceptFileDrop, AcceptMacDataDrop, AcceptRawDataDrop,
    Control, SetFocus, DrawInto, _DrawBackground, UpdateNow, _AddControl, _AddMenuHandler,
    Window, Operator_Convert, __New, _Move, Maximize, Minimize, Restore, _Update, _CallMoved,
    _EnableMenuItems, _CallActivated, _CallDeactivated, _HandleMenuCommand, _UnifiedClose,
    _CallMouseDown, _CallResized, _CallResizing, _RemoveControl, _MouseEnter, _MouseExit,
    _MouseMove, _Paint, _MouseWheel, _KeyDown, __DependencyList, Constructor, TrueWindow,
    FocusNext, FocusPrevious, _ControlByName, _ControlByNameIndex,
    End
};
using fw::slot;
constexpr uint32_t operationCount = slot(Op::End);
inline constexpr ClassTotals kTotals{.members = 130, .events = 33, .properties = 49};

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
