#pragma once
// The property lists the program hands the framework, read back entry by
// entry, and the settings that the windows' and buttons' lists are made of,
// written out value by value.

#include "framework/runtime/PropertyListDecoder.h"
#include "tests/support/ListReceivers.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

struct Entry {
    std::string name;
    std::string value; // 161, true, #0080FF, "text"
    bool operator==(const Entry&) const = default;
};
using Entries = std::vector<Entry>;

inline std::ostream& operator<<(std::ostream& out, const Entry& entry)
{
    return out << entry.name << " " << entry.value;
}

inline Entry entry(std::string name, int32_t value) { return {std::move(name), std::to_string(value)}; }
inline Entry flag(std::string name, bool value) { return {std::move(name), value ? "true" : "false"}; }
inline Entry text(std::string name, std::string_view value)
{
    return {std::move(name), "\"" + std::string(value) + "\""};
}
inline Entry colour(std::string name, uint8_t red, uint8_t green, uint8_t blue)
{
    char hex[8];
    std::snprintf(hex, sizeof hex, "#%02X%02X%02X", red, green, blue);
    return {std::move(name), hex};
}

// The list's entries in stored order; a malformed list fails the test.
inline Entries decodeList(std::string_view bytes)
{
    Entries entries;
    try {
        fw::decodePropertyList(bytes, receivedForm, [&](std::string_view name, const fw::PropertyValue& value) {
            std::string n(name);
            if (auto* i = std::get_if<int32_t>(&value))
                entries.push_back(entry(n, *i));
            else if (auto* b = std::get_if<bool>(&value))
                entries.push_back(flag(n, *b));
            else if (auto* c = std::get_if<fw::Colour>(&value))
                entries.push_back(colour(n, c->red, c->green, c->blue));
            else
                entries.push_back(text(n, std::get<std::string_view>(value)));
        });
    } catch (const fw::PropertyListError& error) {
        ADD_FAILURE() << "malformed property list: " << error.message();
    }
    return entries;
}

// A push button's 26 settings; every button of both windows takes them.
inline Entries pushButtonEntries(std::string_view name, int32_t left, int32_t top, int32_t width, int32_t height,
                                 int32_t tabIndex, std::string_view caption)
{
    return {
        text("Name", name),       entry("Index", INT32_MIN),  entry("Left", left),       entry("Top", top),
        entry("Width", width),    entry("Height", height),    flag("LockLeft", true),    flag("LockTop", true),
        flag("LockRight", false), flag("LockBottom", false),  entry("TabPanelIndex", 0), entry("TabIndex", tabIndex),
        flag("TabStop", true),    text("Caption", caption),   flag("Default", false),    flag("Cancel", false),
        flag("Enabled", true),    flag("Visible", true),      text("HelpTag", ""),       flag("AutoDeactivate", true),
        entry("ButtonStyle", 0),  text("TextFont", "System"), flag("Bold", false),       flag("Italic", false),
        flag("Underline", false), text("InitialParent", "")};
}

// A window's 21 settings, in the order both windows' lists hold them.
struct WindowValues {
    int32_t width, height;
    bool hasBackColor;
    uint8_t red, green, blue;
    std::string_view title;
    bool closeButton, minimizeButton;
};
inline Entries windowEntries(const WindowValues& v)
{
    return {entry("Placement", 2),
            entry("Width", v.width),
            entry("Height", v.height),
            entry("MinWidth", 64),
            entry("MinHeight", 64),
            entry("MaxWidth", 32000),
            entry("MaxHeight", 32000),
            entry("Frame", 7),
            flag("Composite", true),
            flag("HasBackColor", v.hasBackColor),
            colour("BackColor", v.red, v.green, v.blue),
            text("Title", v.title),
            flag("Visible", true),
            flag("FullScreen", false),
            flag("MenuBarVisible", false),
            flag("CloseButton", v.closeButton),
            flag("Resizeable", false),
            flag("LiveResize", false),
            flag("MaximizeButton", false),
            flag("MinimizeButton", v.minimizeButton),
            entry("MacProcID", 0)};
}
