#include "about/frmAbout.h"

#include "about/AboutActions.h"
#include "about/frmAboutControls.h"
#include "framework/runtime/Properties.h"
#include "framework/runtime/PropertyListEncoder.h"
#include "glue/ConstantString.h"
#include "glue/SingleInstance.h"

#include <iterator>

namespace frmAbout {

namespace {

const fw::ClassTable* classTable = nullptr;

using fw::op;

constexpr fw::OperationRow kOperations[] = {
    // function, slot, name, signature
    op<&Layout>(Op::Layout, "Layout", "%%"),
    op<&CreateControls>(Op::CreateControls, "CreateControls", "%%"),
    op<&_CreateControls0>(Op::_CreateControls0, "_CreateControls0", "%%", fw::Visibility::Hidden),
    op<&Canvas1>(Op::Canvas1, "Canvas1", "%o<Canvas>%"),
    op<&cmdExit>(Op::cmdExit, "cmdExit", "%o<PushButton>%"),
    op<&Label1>(Op::Label1, "Label1", "%o<Label>%"),
    op<&Label2>(Op::Label2, "Label2", "%o<Label>%"),
    op<&PushButton2>(Op::PushButton2, "PushButton2", "%o<PushButton>%"),
    op<&cmdExit_Action>(Op::cmdExit_Action, "cmdExit_Action", "%%o<PushButton>"),
    op<&PushButton2_Action>(Op::PushButton2_Action, "PushButton2_Action", "%%o<PushButton>"),
};
static_assert(fw::rowsFollowSlots(kOperations, fw::Window::operationCount, Op::End));

constexpr fw::HandlerRow kHandlers[] = {
    // event, handler
    {fw::Event::Layout, fw::codeOf<&Layout>},
    {fw::Event::CreateControls, fw::codeOf<&CreateControls>},
};

constexpr fw::ClassDescription kDescription = {
    .name = "frmAbout.frmAbout",
    .parent = fw::Window::__Lookup,
    .operations = kOperations,
    .handlers = kHandlers,
};
static_assert(fw::totalsOf(fw::Window::kTotals, kDescription) ==
              fw::ClassTotals{.members = 140, .events = 33, .properties = 49});

// clang-format off
inline constexpr fw::Setting kSettings[] = {
    fw::setting("Placement", 2),
    fw::setting("Width", 601),
    fw::setting("Height", 555),
    fw::setting("MinWidth", 64),
    fw::setting("MinHeight", 64),
    fw::setting("MaxWidth", 32000),
    fw::setting("MaxHeight", 32000),
    fw::setting("Frame", 7),
    fw::setting("Composite", true),
    fw::setting("HasBackColor", false),
    fw::setting("BackColor", fw::Colour{0xFF, 0xFF, 0xFF}),
    fw::setting("Title", "About Lirra Veriz 5.0"),
    fw::setting("Visible", true),
    fw::setting("FullScreen", false),
    fw::setting("MenuBarVisible", false),
    fw::setting("CloseButton", true),
    fw::setting("Resizeable", false),
    fw::setting("LiveResize", false),
    fw::setting("MaximizeButton", false),
    fw::setting("MinimizeButton", true),
    fw::setting("MacProcID", 0),
};
// clang-format on
inline constexpr auto kWindowList = fw::encodePropertyList<fw::Window::kProperties, kSettings>();
static_assert(std::size(kSettings) == 21 && kWindowList.size() == 288);

} // namespace

const fw::ClassTable* __Lookup() { return fw::registerClass(classTable, kDescription); }

void __ctblinit() { fw::registerClass(classTable, kDescription); }

fw::Ref<fw::Object> frmAbout() { return singleWindow(__Lookup); }

void Layout(fw::Object* window) { fw::_SetProperties(window, constantString(fw::asStringView(kWindowList))); }

} // namespace frmAbout
