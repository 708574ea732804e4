#include "palette/frmMain.h"

#include "about/AboutActions.h"
#include "framework/classes/PushButton.h"
#include "framework/classes/TextArea.h"
#include "framework/runtime/Invokers.h"
#include "framework/runtime/Properties.h"
#include "framework/runtime/PropertyListEncoder.h"
#include "glue/ClassBuilder.h"
#include "glue/ConstantString.h"
#include "glue/SingleInstance.h"
#include "palette/ReadingAloud.h"
#include "palette/frmMainControls.h"

#include <iterator>

namespace frmMain {

namespace {

const fw::ClassTable* classTable = nullptr;

using fw::invokeNoResult;
using fw::invokeReturnsObject;
constexpr auto invokeWithButton = fw::invokeWithObject<fw::PushButton::__Lookup>;

// clang-format off
const OwnOperation kOwnOperations[] = {
    // name                code                              signature            invoker             hidden
    {"Layout",           fw::toCode(Layout),               "%%",                invokeNoResult},
    {"CreateControls",   fw::toCode(CreateControls),       "%%",                invokeNoResult},
    {"_CreateControls0", fw::toCode(_CreateControls0),     "%%",                invokeNoResult,      true},
    {"cmdRead",          fw::toCode(cmdRead),              "%o<PushButton>%",   invokeReturnsObject},
    {"cmdStop",          fw::toCode(cmdStop),              "%o<PushButton>%",   invokeReturnsObject},
    {"cmdClose",         fw::toCode(cmdClose),             "%o<PushButton>%",   invokeReturnsObject},
    {"cmdAbout",         fw::toCode(cmdAbout),             "%o<PushButton>%",   invokeReturnsObject},
    {"txtRead",          fw::toCode(txtRead),              "%o<TextArea>%",     invokeReturnsObject},
    {"cmdDoit",          fw::toCode(cmdDoit),              "%o<PushButton>%",   invokeReturnsObject},
    {"PushButton1",      fw::toCode(PushButton1),          "%o<PushButton>%",   invokeReturnsObject},
    {"cmdRead_Action",   fw::toCode(cmdRead_Action),       "%%o<PushButton>",   invokeWithButton},
    {"cmdStop_Action",   fw::toCode(cmdStop_Action),       "%%o<PushButton>",   invokeWithButton},
    {"cmdClose_Action",  fw::toCode(cmdClose_Action),      "%%o<PushButton>",   invokeWithButton},
    {"cmdAbout_Action",  fw::toCode(cmdAbout_Action),      "%%o<PushButton>",   invokeWithButton},
    {"cmdDoit_Action",   fw::toCode(cmdDoit_Action),       "%%o<PushButton>",   invokeWithButton},
};
// clang-format on
static_assert(std::size(kOwnOperations) == slot(Op::End) - fw::Window::operationCount);

const OwnHandler kHandlers[] = {
    // event             handler
    {fw::Event::Layout, fw::toCode(Layout)},
    {fw::Event::CreateControls, fw::toCode(CreateControls)},
};

static_assert(withOwnOperations({.members = fw::Window::memberCount,
                                 .events = fw::Window::eventCount,
                                 .properties = fw::Window::propertyCount},
                                std::size(kOwnOperations)) == ClassTotals{.members = 145, .events = 33, .properties = 49});

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
inline constexpr auto kWindowList = fw::encodePropertyList<kSettings>();
static_assert(std::size(kSettings) == 21 && kWindowList.size() == 293);

} // namespace

const fw::ClassTable* __Lookup() { return lookUpClassTable(classTable, __ctblinit); }

void __ctblinit()
{
    buildClassTable(classTable, {
                                    .name = "frmMain.frmMain",
                                    .parent = fw::Window::__Lookup,
                                    .classAttributeCount = 1,
                                    .operations = kOwnOperations,
                                    .handlers = kHandlers,
                                });
}

fw::Ref<fw::Object> frmMain() { return singleWindow(__Lookup); }

void Layout(fw::Object* window) { fw::_SetProperties(window, constantString(fw::asStringView(kWindowList))); }

} // namespace frmMain
