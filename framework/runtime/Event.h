#pragma once
// The events a class can list in its event table, and their names. A class's
// event table holds its parent's events first and then its own, in the order
// its description lists them; an event's number is its place in that table.

#include "framework/runtime/EnumTable.h"

#include <cstddef>
#include <cstdint>
#include <iterator>
#include <string_view>
#include <typeinfo>

namespace fw {

struct Object;

// The function type of a class's handler is fixed by its event: most events
// only tell the object; a menu item's Action answers whether it handled the
// choice; CancelClose is told whether the application is quitting and
// answers true to refuse the close.
using NotifyHandler = void (*)(Object* self);
using ActionHandler = bool (*)(Object* self);
using CancelCloseHandler = bool (*)(Object* self, bool quitting);

// clang-format off
enum class Event : uint8_t {
    Layout, CreateControls, AddMenuHandlers, SetupBindings, Open, Close, CancelClose,
    KeyDown, KeyUp, MouseMove, MouseEnter, MouseExit, Paint, MouseDown, MouseDrag,
    MouseUp, EnableMenuItems, Resized, Resizing, Moved, DropObject, Activate,
    Deactivate, Minimize, Maximize, Restore, MouseWheel, ConstructContextualMenu,
    ContextualMenuAction, DragEnter, DragExit, DragOver, ContentsChanged,
    GotFocus, LostFocus, NewDocument, OpenDocument, UnhandledException, Quit,
    Action, EnableMenu, TextChange, SelChange,
    Count
};
// clang-format on

struct EventInfo {
    Event event;
    std::string_view name;
    const std::type_info* handlerType = &typeid(NotifyHandler);
};

inline constexpr EventInfo kEventInfo[] = {
    // event, name, handlerType (NotifyHandler unless given)
    {.event = Event::Layout, .name = "Layout"},
    {.event = Event::CreateControls, .name = "CreateControls"},
    {.event = Event::AddMenuHandlers, .name = "AddMenuHandlers"},
    {.event = Event::SetupBindings, .name = "SetupBindings"},
    {.event = Event::Open, .name = "Open"},
    {.event = Event::Close, .name = "Close"},
    {.event = Event::CancelClose, .name = "CancelClose", .handlerType = &typeid(CancelCloseHandler)},
    {.event = Event::KeyDown, .name = "KeyDown"},
    {.event = Event::KeyUp, .name = "KeyUp"},
    {.event = Event::MouseMove, .name = "MouseMove"},
    {.event = Event::MouseEnter, .name = "MouseEnter"},
    {.event = Event::MouseExit, .name = "MouseExit"},
    {.event = Event::Paint, .name = "Paint"},
    {.event = Event::MouseDown, .name = "MouseDown"},
    {.event = Event::MouseDrag, .name = "MouseDrag"},
    {.event = Event::MouseUp, .name = "MouseUp"},
    {.event = Event::EnableMenuItems, .name = "EnableMenuItems"},
    {.event = Event::Resized, .name = "Resized"},
    {.event = Event::Resizing, .name = "Resizing"},
    {.event = Event::Moved, .name = "Moved"},
    {.event = Event::DropObject, .name = "DropObject"},
    {.event = Event::Activate, .name = "Activate"},
    {.event = Event::Deactivate, .name = "Deactivate"},
    {.event = Event::Minimize, .name = "Minimize"},
    {.event = Event::Maximize, .name = "Maximize"},
    {.event = Event::Restore, .name = "Restore"},
    {.event = Event::MouseWheel, .name = "MouseWheel"},
    {.event = Event::ConstructContextualMenu, .name = "ConstructContextualMenu"},
    {.event = Event::ContextualMenuAction, .name = "ContextualMenuAction"},
    {.event = Event::DragEnter, .name = "DragEnter"},
    {.event = Event::DragExit, .name = "DragExit"},
    {.event = Event::DragOver, .name = "DragOver"},
    {.event = Event::ContentsChanged, .name = "ContentsChanged"},
    {.event = Event::GotFocus, .name = "GotFocus"},
    {.event = Event::LostFocus, .name = "LostFocus"},
    {.event = Event::NewDocument, .name = "NewDocument"},
    {.event = Event::OpenDocument, .name = "OpenDocument"},
    {.event = Event::UnhandledException, .name = "UnhandledException"},
    {.event = Event::Quit, .name = "Quit"},
    {.event = Event::Action, .name = "Action", .handlerType = &typeid(ActionHandler)},
    {.event = Event::EnableMenu, .name = "EnableMenu"},
    {.event = Event::TextChange, .name = "TextChange"},
    {.event = Event::SelChange, .name = "SelChange"},
};
static_assert(rowsFollowTheirEnum<&EventInfo::event>(kEventInfo) && rowsDiffer<&EventInfo::name>(kEventInfo),
              "kEventInfo rows must follow the order of Event, with distinct names");

// `event` must be one of the events before Count.
constexpr const EventInfo& eventInfo(Event event) { return kEventInfo[static_cast<size_t>(event)]; }
constexpr std::string_view eventName(Event event) { return eventInfo(event).name; }

} // namespace fw
