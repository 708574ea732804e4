#include "about/frmAbout.h"

#include "about/AboutActions.h"
#include "about/frmAboutControls.h"
#include "framework/classes/PushButton.h"
#include "framework/runtime/Invokers.h"
#include "framework/runtime/Properties.h"
#include "framework/runtime/PropertyListEncoder.h"
#include "glue/ClassBuilder.h"
#include "glue/ConstantString.h"
#include "glue/SingleInstance.h"

#include <iterator>

namespace frmAbout {

namespace {

const fw::ClassTable* classTable = nullptr;

using fw::invokeNoResult;
using fw::invokeReturnsObject;
constexpr auto invokeWithButton = fw::invokeWithObject<fw::PushButton::__Lookup>;

// clang-format off
const OwnOperation kOwnOperations[] = {
    // name                  code                                signature            invoker             hidden
    {"Layout",             fw::toCode(Layout),                 "%%",                invokeNoResult},
    {"CreateControls",     fw::toCode(CreateControls),         "%%",                invokeNoResult},
    {"_CreateControls0",   fw::toCode(_CreateControls0),       "%%",                invokeNoResult,      true},
    {"Canvas1",            fw::toCode(Canvas1),                "%o<Canvas>%",       invokeReturnsObject},
    {"cmdExit",            fw::toCode(cmdExit),                "%o<PushButton>%",   invokeReturnsObject},
    {"Label1",             fw::toCode(Label1),                 "%o<Label>%",        invokeReturnsObject},
    {"Label2",             fw::toCode(Label2),                 "%o<Label>%",        invokeReturnsObject},
    {"PushButton2",        fw::toCode(PushButton2),            "%o<PushButton>%",   invokeReturnsObject},
    {"cmdExit_Action",     fw::toCode(cmdExit_Action),         "%%o<PushButton>",   invokeWithButton},
    {"PushButton2_Action", fw::toCode(PushButton2_Action),     "%%o<PushButton>",   invokeWithButton},
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
                                std::size(kOwnOperations)) == ClassTotals{.members = 140, .events = 33, .properties = 49});

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
inline constexpr auto kWindowList = fw::encodePropertyList<kSettings>();
static_assert(std::size(kSettings) == 21 && kWindowList.size() == 288);

} // namespace

const fw::ClassTable* __Lookup() { return lookUpClassTable(classTable, __ctblinit); }

void __ctblinit()
{
    buildClassTable(classTable, {
                                    .name = "frmAbout.frmAbout",
                                    .parent = fw::Window::__Lookup,
                                    .classAttributeCount = 1,
                                    .operations = kOwnOperations,
                                    .handlers = kHandlers,
                                });
}

fw::Ref<fw::Object> frmAbout() { return singleWindow(__Lookup); }

void Layout(fw::Object* window) { fw::_SetProperties(window, constantString(fw::asStringView(kWindowList))); }

} // namespace frmAbout
