#include "palette/frmMain.h"

#include "about/AboutActions.h"
#include "framework/runtime/Properties.h"
#include "framework/runtime/PropertyListEncoder.h"
#include "glue/ConstantString.h"
#include "glue/SingleInstance.h"
#include "palette/ReadingAloud.h"
#include "palette/frmMainControls.h"

#include <iterator>

namespace frmMain {

namespace {

const fw::ClassTable* classTable = nullptr;

using fw::op;

constexpr fw::OperationRow kOperations[] = {
    // function, slot, name, signature
    op<&Layout>(Op::Layout, "Layout", "%%"),
    op<&CreateControls>(Op::CreateControls, "CreateControls", "%%"),
    op<&_CreateControls0>(Op::_CreateControls0, "_CreateControls0", "%%", fw::Visibility::Hidden),
    op<&cmdRead>(Op::cmdRead, "cmdRead", "%o<PushButton>%"),
    op<&cmdStop>(Op::cmdStop, "cmdStop", "%o<PushButton>%"),
    op<&cmdClose>(Op::cmdClose, "cmdClose", "%o<PushButton>%"),
    op<&cmdAbout>(Op::cmdAbout, "cmdAbout", "%o<PushButton>%"),
    op<&txtRead>(Op::txtRead, "txtRead", "%o<TextArea>%"),
    op<&cmdDoit>(Op::cmdDoit, "cmdDoit", "%o<PushButton>%"),
    op<&PushButton1>(Op::PushButton1, "PushButton1", "%o<PushButton>%"),
    op<&cmdRead_Action>(Op::cmdRead_Action, "cmdRead_Action", "%%o<PushButton>"),
    op<&cmdStop_Action>(Op::cmdStop_Action, "cmdStop_Action", "%%o<PushButton>"),
    op<&cmdClose_Action>(Op::cmdClose_Action, "cmdClose_Action", "%%o<PushButton>"),
    op<&cmdAbout_Action>(Op::cmdAbout_Action, "cmdAbout_Action", "%%o<PushButton>"),
    op<&cmdDoit_Action>(Op::cmdDoit_Action, "cmdDoit_Action", "%%o<PushButton>"),
};
static_assert(fw::rowsFollowSlots(kOperations, fw::Window::operationCount, Op::End));

constexpr fw::HandlerRow kHandlers[] = {
    // event, handler
    {fw::Event::Layout, fw::codeOf<&Layout>},
    {fw::Event::CreateControls, fw::codeOf<&CreateControls>},
};

constexpr fw::ClassDescription kDescription = {
    .name = "frmMain.frmMain",
    .parent = fw::Window::__Lookup,
    .operations = kOperations,
    .handlers = kHandlers,
};
static_assert(fw::totalsOf(fw::Window::kTotals, kDescription) ==
              fw::ClassTotals{.members = 145, .events = 33, .properties = 49});

// clang-format off
inline constexpr fw::Setting kSettings[] = {
    fw::setting("Placement", 2),
    fw::setting("Width", 161),
    fw::setting("Height", 50),
    fw::setting("MinWidth", 64),
    fw::setting("MinHeight", 64),
    fw::setting("MaxWidth", 32000),
    fw::setting("MaxHeight", 32000),
    fw::setting("Frame", 7),
    fw::setting("Composite", true),
    fw::setting("HasBackColor", true),
    fw::setting("BackColor", fw::Colour{0x00, 0x80, 0xFF}),
    fw::setting("Title", "Tarvenholt Lirra Veriz 5.0"),
    fw::setting("Visible", true),
    fw::setting("FullScreen", false),
    fw::setting("MenuBarVisible", false),
    fw::setting("CloseButton", false),
    fw::setting("Resizeable", false),
    fw::setting("LiveResize", false),
    fw::setting("MaximizeButton", false),
    fw::setting("MinimizeButton", false),
    fw::setting("MacProcID", 0),
};
// clang-format on
inline constexpr auto kWindowList = fw::encodePropertyList<fw::Window::kProperties, kSettings>();
static_assert(std::size(kSettings) == 21 && kWindowList.size() == 293);

} // namespace

const fw::ClassTable* __Lookup() { return fw::registerClass(classTable, kDescription); }

void __ctblinit() { fw::registerClass(classTable, kDescription); }

fw::Ref<fw::Object> frmMain() { return singleWindow(__Lookup); }

void Layout(fw::Object* window) { fw::_SetProperties(window, constantString(fw::asStringView(kWindowList))); }

} // namespace frmMain
