#include "framework/classes/Label.h"

#include "framework/classes/FontSettings.h"
#include "framework/runtime/ClassDescription.h"

namespace fw {

namespace {

struct LabelInstance : ControlInstance {
    using ControlInstance::ControlInstance;
    ui::ControlKind kind() const override { return ui::ControlKind::Label; }
    ui::ControlLook look() const override
    {
        ui::ControlLook look = ControlInstance::look();
        look.caption = std::string(textProperty(this, "Text"));
        applyFontSettings(this, look);
        look.textColor = toRgb(colourProperty(this, "TextColor"));
        look.textAlign = intProperty(this, "TextAlign");
        look.multiline = boolProperty(this, "Multiline");
        return look;
    }
};

} // namespace

namespace Label {

const ClassTable* __Lookup()
{
    static const ClassTable* table = nullptr;
    return registerClass(table, {
                                    .name = "Label",
                                    .parent = RectControl::__Lookup,
                                    .instances = instancesOf<LabelInstance>,
                                    .properties = kOwnProperties,
                                });
}

namespace TextSize {
void Set(Object* label, int32_t, float size) { setProperty(label, "TextSize", size); }
} // namespace TextSize
namespace TextUnit {
void Set(Object* label, int32_t, uint8_t unit) { setProperty(label, "TextUnit", unit); }
} // namespace TextUnit

} // namespace Label

} // namespace fw
