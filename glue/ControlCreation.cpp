#include "glue/ControlCreation.h"

#include "framework/classes/Label.h"
#include "framework/classes/PushButton.h"
#include "framework/classes/RectControl.h"
#include "framework/classes/TextArea.h"
#include "framework/classes/Window.h"
#include "framework/runtime/Exception.h"
#include "framework/runtime/Properties.h"
#include "glue/ActionGlue.h"
#include "glue/ConstantString.h"

namespace {

using fw::Window::Op;
using fw::Window::slot;

fw::Ref<fw::Object> fetch(fw::Object* window, fw::String* name, const fw::ClassTable* controlClass)
{
    fw::Ref<fw::Object> found = fw::callOperation<fw::Ref<fw::Object>>(window, slot(Op::_ControlByName), name);
    return fw::RuntimeCheckCast(std::move(found), controlClass);
}

void createControl(fw::Object* window, const ControlRow& row)
{
    const fw::ClassTable* controlClass = row.controlClass();
    fw::Ref<fw::String> name = fw::makeString(row.name);
    {
        fw::Ref<fw::Object> control = fw::callOperation<fw::Ref<fw::Object>>(window, slot(Op::__New), controlClass);
        fw::callOperation(control.get(), fw::RectControl::slot(fw::RectControl::Op::Constructor));
        fw::callOperation(window, slot(Op::_AddControl), name.get(), control.get());
    }
    for (Preset preset : row.presets)
        preset(fetch(window, name.get(), controlClass).get());
    fw::_SetProperties(fetch(window, name.get(), controlClass).get(), constantString(row.properties));
    if (row.handlerSlot != kNoHandler)
        bindAction(window, fetch(window, name.get(), fw::PushButton::__Lookup()).get(),
                   static_cast<uint32_t>(row.handlerSlot));
}

} // namespace

void createControls(fw::Object* window, std::span<const ControlRow> controls)
{
    for (const ControlRow& row : controls)
        createControl(window, row);
}

fw::Ref<fw::Object> controlByName(fw::Object* window, std::string_view name, const fw::ClassTable* controlClass)
{
    if (!window)
        fw::RaiseNilObjectException();
    return fetch(window, constantString(name), controlClass);
}

void presetPushButtonTextUnit(fw::Object* button) { fw::PushButton::TextUnit::Set(button, 0, 0); }
void presetTextAreaTextUnit(fw::Object* area) { fw::TextArea::TextUnit::Set(area, 0, 0); }
void presetLabelTextUnit(fw::Object* label) { fw::Label::TextUnit::Set(label, 0, 0); }
