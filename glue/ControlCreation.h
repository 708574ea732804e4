#pragma once
// The control-creation step of a window: its controls as a table of rows,
// created in order, each given its presets, its property list and, for a
// button with a handler, its Action binding. The window reaches a control
// only by its name, fetched afresh for every step.

#include "framework/runtime/ClassTable.h"

#include <span>
#include <string_view>

// A preset applied to a control after it is added and before its list.
using Preset = void (*)(fw::Object* control);

inline constexpr int32_t kNoHandler = -1;

struct ControlRow {
    std::string_view name;
    const fw::ClassTable* (*controlClass)();
    std::span<const Preset> presets;
    std::string_view properties;      // the control's property list
    int32_t handlerSlot = kNoHandler; // the window's Action handler for a button
};

void createControls(fw::Object* window, std::span<const ControlRow> controls);

// The control of that name in the window, confirmed to be of the class.
// Raises NilObjectException for a nil window; nil when there is no such control.
fw::Ref<fw::Object> controlByName(fw::Object* window, std::string_view name, const fw::ClassTable* controlClass);

// The accessor of one control: one routine for every control, differing
// only in the name looked up and the class.
template <const char* Name, const fw::ClassTable* (*ControlClass)()>
fw::Ref<fw::Object> controlAccessor(fw::Object* window)
{
    return controlByName(window, Name, ControlClass());
}

// The presets every text-bearing control gets: TextUnit = 0.
void presetPushButtonTextUnit(fw::Object* button);
void presetTextAreaTextUnit(fw::Object* area);
void presetLabelTextUnit(fw::Object* label);
