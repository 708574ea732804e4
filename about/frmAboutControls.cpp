#include "about/frmAboutControls.h"

#include "about/AboutPicture.h"
#include "about/frmAbout.h"
#include "framework/classes/Canvas.h"
#include "framework/classes/Label.h"
#include "framework/classes/PushButton.h"
#include "glue/ButtonSettings.h"
#include "glue/ControlCreation.h"

#include <iterator>

namespace frmAbout {

namespace {

struct LabelPlace {
    std::string_view name;
    int32_t left, top, width, height, tabIndex;
    std::string_view text;
    fw::Colour textColor;
    bool bold;
};

consteval std::array<fw::Setting, 29> labelSettings(LabelPlace place)
{
    return {
        fw::setting("Name", place.name),
        fw::setting("Index", std::numeric_limits<int32_t>::min()),
        fw::setting("Left", place.left),
        fw::setting("Top", place.top),
        fw::setting("Width", place.width),
        fw::setting("Height", place.height),
        fw::setting("LockLeft", true),
        fw::setting("LockTop", true),
        fw::setting("LockRight", false),
        fw::setting("LockBottom", false),
        fw::setting("TabPanelIndex", 0),
        fw::setting("TabIndex", place.tabIndex),
        fw::setting("Text", place.text),
        fw::setting("TextAlign", 0),
        fw::setting("TextColor", place.textColor),
        fw::setting("Multiline", false),
        fw::setting("Enabled", true),
        fw::setting("Visible", true),
        fw::setting("Selectable", false),
        fw::setting("Transparent", false),
        fw::setting("HelpTag", ""),
        fw::setting("AutoDeactivate", true),
        fw::setting("TextFont", "System"),
        fw::setting("Bold", place.bold),
        fw::setting("Italic", false),
        fw::setting("Underline", false),
        fw::setting("DataSource", ""),
        fw::setting("DataField", ""),
        fw::setting("InitialParent", ""),
    };
}

// clang-format off
inline constexpr fw::Setting kCanvas1Settings[] = {
    fw::setting("Name", "Canvas1"),
    fw::setting("Index", std::numeric_limits<int32_t>::min()),
    fw::setting("Left", 176),
    fw::setting("Top", 14),
    fw::setting("Width", 249),
    fw::setting("Height", 190),
    fw::setting("LockLeft", true),
    fw::setting("LockTop", true),
    fw::setting("LockRight", false),
    fw::setting("LockBottom", false),
    fw::setting("TabPanelIndex", 0),
    fw::setting("TabIndex", 0),
    fw::setting("TabStop", true),
    fw::setting("Visible", true),
    fw::setting("HelpTag", ""),
    fw::setting("AutoDeactivate", true),
    fw::setting("Enabled", true),
    fw::setting("UseFocusRing", true),
    fw::setting("AcceptFocus", false),
    fw::setting("AcceptTabs", false),
    fw::setting("DoubleBuffer", true),
    fw::setting("EraseBackground", false),
    fw::setting("InitialParent", ""),
};
inline constexpr auto kCmdExitSettings     = pushButtonSettings({"cmdExit",     501, 522,  80, 20,  1, "Exit"});
inline constexpr auto kLabel1Settings      = labelSettings({"Label1", 42, 225, 482, 27, 3, "Tarvenholt Software LLC", {255, 0, 0}, true});
inline constexpr auto kLabel2Settings      = labelSettings({"Label2", 42, 250, 482, 20, 4, kRightsNotice, {0, 0, 0}, false});
inline constexpr auto kPushButton2Settings = pushButtonSettings({"PushButton2", 198, 292, 190, 20, 11, "Listen To Instructions"});
// clang-format on
static_assert(std::size(kCanvas1Settings) == 23);

inline constexpr auto kCanvas1List = fw::encodePropertyList<fw::Canvas::kProperties, kCanvas1Settings>();
inline constexpr auto kCmdExitList = fw::encodePropertyList<fw::PushButton::kProperties, kCmdExitSettings>();
inline constexpr auto kLabel1List = fw::encodePropertyList<fw::Label::kProperties, kLabel1Settings>();
inline constexpr auto kLabel2List = fw::encodePropertyList<fw::Label::kProperties, kLabel2Settings>();
inline constexpr auto kPushButton2List = fw::encodePropertyList<fw::PushButton::kProperties, kPushButton2Settings>();

void presetBackdrop(fw::Object* canvas)
{
    fw::Ref<fw::Object> picture = AboutLirraRorovEzave();
    fw::Canvas::Backdrop::Set(canvas, 0, picture.get());
}

void presetLabelTextSize(fw::Object* label) { fw::Label::TextSize::Set(label, 0, 20.0f); }

constexpr Preset kCanvasPresets[] = {presetBackdrop};
constexpr Preset kButtonPresets[] = {presetPushButtonTextUnit};
constexpr Preset kLabel1Presets[] = {presetLabelTextSize, presetLabelTextUnit};
constexpr Preset kLabel2Presets[] = {presetLabelTextUnit};

constexpr int32_t handler(Op op) { return static_cast<int32_t>(slot(op)); }

// clang-format off
const ControlRow kControls[] = {
    // name          class                      presets          property list                        Action handler
    {"Canvas1",     fw::Canvas::__Lookup,     kCanvasPresets,  fw::asStringView(kCanvas1List)},
    {"cmdExit",     fw::PushButton::__Lookup, kButtonPresets,  fw::asStringView(kCmdExitList),      handler(Op::cmdExit_Action)},
    {"Label1",      fw::Label::__Lookup,      kLabel1Presets,  fw::asStringView(kLabel1List)},
    {"Label2",      fw::Label::__Lookup,      kLabel2Presets,  fw::asStringView(kLabel2List)},
    {"PushButton2", fw::PushButton::__Lookup, kButtonPresets,  fw::asStringView(kPushButton2List),  handler(Op::PushButton2_Action)},
};
// clang-format on

constexpr char kCanvas1[] = "Canvas1", kCmdExit[] = "cmdExit", kLabel1[] = "Label1", kLabel2[] = "Label2",
               kPushButton2[] = "PushButton2";

} // namespace

void CreateControls(fw::Object* window) { fw::callOperation(window, slot(Op::_CreateControls0)); }

void _CreateControls0(fw::Object* window) { createControls(window, kControls); }

fw::Ref<fw::Object> Canvas1(fw::Object* window) { return controlAccessor<kCanvas1, fw::Canvas::__Lookup>(window); }
fw::Ref<fw::Object> cmdExit(fw::Object* window) { return controlAccessor<kCmdExit, fw::PushButton::__Lookup>(window); }
fw::Ref<fw::Object> Label1(fw::Object* window) { return controlAccessor<kLabel1, fw::Label::__Lookup>(window); }
fw::Ref<fw::Object> Label2(fw::Object* window) { return controlAccessor<kLabel2, fw::Label::__Lookup>(window); }
fw::Ref<fw::Object> PushButton2(fw::Object* window)
{
    return controlAccessor<kPushButton2, fw::PushButton::__Lookup>(window);
}

} // namespace frmAbout
