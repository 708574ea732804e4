#include "palette/frmMainControls.h"

#include "framework/classes/PushButton.h"
#include "framework/classes/TextArea.h"
#include "glue/ButtonSettings.h"
#include "glue/ControlCreation.h"
#include "palette/frmMain.h"

#include <iterator>

namespace frmMain {

namespace {

// clang-format off
inline constexpr auto kCmdReadSettings     = pushButtonSettings({"cmdRead",       2,  2, 78, 20, 0, "Read"});
inline constexpr auto kCmdStopSettings     = pushButtonSettings({"cmdStop",      83,  2, 76, 20, 1, "Stop"});
inline constexpr auto kCmdCloseSettings    = pushButtonSettings({"cmdClose",     83, 26, 76, 20, 2, "Quit"});
inline constexpr auto kCmdAboutSettings    = pushButtonSettings({"cmdAbout",      2, 26, 78, 20, 3, "About"});
inline constexpr auto kCmdDoitSettings     = pushButtonSettings({"cmdDoit",     180,  6, 80, 20, 5, "Untitled"});
inline constexpr auto kPushButton1Settings = pushButtonSettings({"PushButton1", 364, 65, 80, 20, 8, "Untitled"});

inline constexpr fw::Setting kTxtReadSettings[] = {
    fw::setting("Name", "txtRead"),
    fw::setting("Index", std::numeric_limits<int32_t>::min()),
    fw::setting("Left", 14),
    fw::setting("Top", 65),
    fw::setting("Width", 329),
    fw::setting("Height", 376),
    fw::setting("LockLeft", true),
    fw::setting("LockTop", true),
    fw::setting("LockRight", false),
    fw::setting("LockBottom", false),
    fw::setting("TabPanelIndex", 0),
    fw::setting("TabIndex", 4),
    fw::setting("TabStop", true),
    fw::setting("Border", true),
    fw::setting("Multiline", true),
    fw::setting("ScrollbarHorizontal", false),
    fw::setting("ScrollbarVertical", true),
    fw::setting("Styled", true),
    fw::setting("UseFocusRing", true),
    fw::setting("TextColor", fw::Colour{0, 0, 0}),
    fw::setting("BackColor", fw::Colour{255, 255, 255}),
    fw::setting("Enabled", true),
    fw::setting("Format", ""),
    fw::setting("Visible", true),
    fw::setting("HelpTag", ""),
    fw::setting("AutoDeactivate", true),
    fw::setting("HideSelection", true),
    fw::setting("TextFont", "System"),
    fw::setting("Bold", false),
    fw::setting("Italic", false),
    fw::setting("Underline", false),
    fw::setting("Text", ""),
    fw::setting("Mask", ""),
    fw::setting("ReadOnly", false),
    fw::setting("LimitText", 0),
    fw::setting("AcceptTabs", false),
    fw::setting("Alignment", 0),
    fw::setting("AutomaticallyCheckSpelling", true),
    fw::setting("DataSource", ""),
    fw::setting("DataField", ""),
};
// clang-format on
static_assert(std::size(kTxtReadSettings) == 40);

inline constexpr auto kCmdReadList = fw::encodePropertyList<fw::PushButton::kProperties, kCmdReadSettings>();
inline constexpr auto kCmdStopList = fw::encodePropertyList<fw::PushButton::kProperties, kCmdStopSettings>();
inline constexpr auto kCmdCloseList = fw::encodePropertyList<fw::PushButton::kProperties, kCmdCloseSettings>();
inline constexpr auto kCmdAboutList = fw::encodePropertyList<fw::PushButton::kProperties, kCmdAboutSettings>();
inline constexpr auto kTxtReadList = fw::encodePropertyList<fw::TextArea::kProperties, kTxtReadSettings>();
inline constexpr auto kCmdDoitList = fw::encodePropertyList<fw::PushButton::kProperties, kCmdDoitSettings>();
inline constexpr auto kPushButton1List = fw::encodePropertyList<fw::PushButton::kProperties, kPushButton1Settings>();
static_assert(kCmdReadList.size() == 303 && kCmdStopList.size() == 303 && kCmdCloseList.size() == 304 &&
              kCmdAboutList.size() == 305 && kTxtReadList.size() == 494 && kCmdDoitList.size() == 307 &&
              kPushButton1List.size() == 311);

constexpr Preset kButtonPresets[] = {presetPushButtonTextUnit};
constexpr Preset kTextAreaPresets[] = {presetTextAreaTextUnit};

constexpr int32_t handler(Op op) { return static_cast<int32_t>(slot(op)); }

// clang-format off
const ControlRow kControls[] = {
    // name          class                      presets            property list                       Action handler
    {"cmdRead",     fw::PushButton::__Lookup, kButtonPresets,   fw::asStringView(kCmdReadList),     handler(Op::cmdRead_Action)},
    {"cmdStop",     fw::PushButton::__Lookup, kButtonPresets,   fw::asStringView(kCmdStopList),     handler(Op::cmdStop_Action)},
    {"cmdClose",    fw::PushButton::__Lookup, kButtonPresets,   fw::asStringView(kCmdCloseList),    handler(Op::cmdClose_Action)},
    {"cmdAbout",    fw::PushButton::__Lookup, kButtonPresets,   fw::asStringView(kCmdAboutList),    handler(Op::cmdAbout_Action)},
    {"txtRead",     fw::TextArea::__Lookup,   kTextAreaPresets, fw::asStringView(kTxtReadList)},
    {"cmdDoit",     fw::PushButton::__Lookup, kButtonPresets,   fw::asStringView(kCmdDoitList),     handler(Op::cmdDoit_Action)},
    {"PushButton1", fw::PushButton::__Lookup, kButtonPresets,   fw::asStringView(kPushButton1List)},
};
// clang-format on

constexpr char kCmdRead[] = "cmdRead", kCmdStop[] = "cmdStop", kCmdClose[] = "cmdClose", kCmdAbout[] = "cmdAbout",
               kTxtRead[] = "txtRead", kCmdDoit[] = "cmdDoit", kPushButton1[] = "PushButton1";

} // namespace

void CreateControls(fw::Object* window) { fw::callOperation(window, slot(Op::_CreateControls0)); }

void _CreateControls0(fw::Object* window) { createControls(window, kControls); }

fw::Ref<fw::Object> cmdRead(fw::Object* window) { return controlAccessor<kCmdRead, fw::PushButton::__Lookup>(window); }
fw::Ref<fw::Object> cmdStop(fw::Object* window) { return controlAccessor<kCmdStop, fw::PushButton::__Lookup>(window); }
fw::Ref<fw::Object> cmdClose(fw::Object* window)
{
    return controlAccessor<kCmdClose, fw::PushButton::__Lookup>(window);
}
fw::Ref<fw::Object> cmdAbout(fw::Object* window)
{
    return controlAccessor<kCmdAbout, fw::PushButton::__Lookup>(window);
}
fw::Ref<fw::Object> txtRead(fw::Object* window) { return controlAccessor<kTxtRead, fw::TextArea::__Lookup>(window); }
fw::Ref<fw::Object> cmdDoit(fw::Object* window) { return controlAccessor<kCmdDoit, fw::PushButton::__Lookup>(window); }
fw::Ref<fw::Object> PushButton1(fw::Object* window)
{
    return controlAccessor<kPushButton1, fw::PushButton::__Lookup>(window);
}

} // namespace frmMain
