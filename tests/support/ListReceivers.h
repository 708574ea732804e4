#pragma once
// The form a setting takes in the property list of any class that receives
// one of the program's lists: how a test reads a list back without knowing
// which class it was given to. The settings are gathered while compiling, so
// that a test that only decodes needs none of the classes' code.

#include "framework/classes/Canvas.h"
#include "framework/classes/Label.h"
#include "framework/classes/PushButton.h"
#include "framework/classes/TextArea.h"
#include "framework/classes/Window.h"

#include <array>
#include <optional>
#include <string_view>

struct ReceivedSetting {
    std::string_view name;
    fw::PropertyForm form;
};

template <class Visit>
constexpr void forEachSetting(const fw::PropertyTable& receiver, Visit visit)
{
    for (const fw::PropertyRow& row : receiver.own) {
        if (std::optional<fw::PropertyForm> form = fw::listFormOf(row))
            visit(ReceivedSetting{.name = row.name, .form = *form});
    }
    if (receiver.parent)
        forEachSetting(**receiver.parent, visit);
}

inline constexpr const fw::PropertyTable* kListReceivers[] = {
    &fw::Window::kProperties, &fw::PushButton::kProperties, &fw::TextArea::kProperties,
    &fw::Label::kProperties,  &fw::Canvas::kProperties,
};

inline constexpr auto kReceivedSettings = [] {
    constexpr size_t count = [] {
        size_t n = 0;
        for (const fw::PropertyTable* receiver : kListReceivers)
            forEachSetting(*receiver, [&n](ReceivedSetting) { ++n; });
        return n;
    }();
    std::array<ReceivedSetting, count> settings{};
    size_t at = 0;
    for (const fw::PropertyTable* receiver : kListReceivers)
        forEachSetting(*receiver, [&](ReceivedSetting setting) { settings[at++] = setting; });
    return settings;
}();

inline std::optional<fw::PropertyForm> receivedForm(std::string_view name)
{
    for (const ReceivedSetting& setting : kReceivedSettings) {
        if (setting.name == name)
            return setting.form;
    }
    return std::nullopt;
}
