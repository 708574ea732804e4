#include "framework/classes/PushButton.h"

#include "framework/classes/FontSettings.h"
#include "framework/runtime/ClassDescription.h"
#include "framework/runtime/EventBinding.h"

#include <iterator>

namespace fw {

namespace {

struct PushButtonInstance : ControlInstance {
    using ControlInstance::ControlInstance;
    ui::ControlKind kind() const override { return ui::ControlKind::PushButton; }
    ui::ControlLook look() const override
    {
        ui::ControlLook look = ControlInstance::look();
        look.caption = std::string(textProperty(this, "Caption"));
        applyFontSettings(this, look);
        return look;
    }
};

constexpr OperationRow kOperations[] = {
    // function, name, signature
    op<&PushButton::Push>("Push", "%%"),
    op<&PushButton::_CallAction>("_CallAction", "%%"),
};

} // namespace

namespace PushButton {

const ClassTable* __Lookup()
{
    static const ClassTable* table = nullptr;
    return registerClass(table, {
                                    .name = "PushButton",
                                    .parent = RectControl::__Lookup,
                                    .instances = instancesOf<PushButtonInstance>,
                                    .operations = kOperations,
                                    .properties = kOwnProperties,
                                    .events = kEvents,
                                });
}

void Push(Object* button) { _CallAction(button); }

void _CallAction(Object* button)
{
    RuntimeStackCheck();
    fireEventBindings(button, ActionEvent);
}

namespace TextUnit {
void Set(Object* button, int32_t, uint8_t unit) { setProperty(button, "TextUnit", unit); }
} // namespace TextUnit

} // namespace PushButton

} // namespace fw
