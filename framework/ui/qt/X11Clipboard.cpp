#include "framework/ui/qt/X11Clipboard.h"

#include <xcb/xcb.h>

#include <poll.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <utility>

namespace fw::ui {

namespace {

using Clock = std::chrono::steady_clock;

template <typename T> struct FreeDeleter {
    void operator()(T* pointer) const { std::free(pointer); }
};
template <typename T> using Owned = std::unique_ptr<T, FreeDeleter<T>>;

// A long text's first piece says how long the whole is; believed up to this.
constexpr uint32_t kLargestReservation = 256u << 20;

constexpr const char* kAtomNames[] = {"CLIPBOARD", "UTF8_STRING", "INCR", "_FRAMEWORK_PASTE"};

} // namespace

struct X11Clipboard::Atoms {
    xcb_atom_t clipboard;
    xcb_atom_t utf8String;
    xcb_atom_t incr;
    xcb_atom_t property; // where the owner puts its answer, on window_
};

namespace {

// Waits until an event that matches arrives, or until the deadline. Events
// that do not match are dropped: this connection selects nothing but the
// answers it asks for.
template <typename Matches>
Owned<xcb_generic_event_t> awaitEvent(xcb_connection_t* connection, Clock::time_point deadline, Matches matches)
{
    for (;;) {
        while (Owned<xcb_generic_event_t> event{xcb_poll_for_event(connection)}) {
            if (matches(*event))
                return event;
        }
        if (xcb_connection_has_error(connection))
            return nullptr;
        const Clock::time_point now = Clock::now();
        if (now >= deadline)
            return nullptr;
        const auto wait = std::chrono::ceil<std::chrono::milliseconds>(deadline - now);
        pollfd descriptor{.fd = xcb_get_file_descriptor(connection), .events = POLLIN, .revents = 0};
        ::poll(&descriptor, 1, static_cast<int>(wait.count()));
    }
}

// Takes the property's whole value off the window, deleting it (which, for
// a long text, asks the owner for its next piece).
Owned<xcb_get_property_reply_t> takeProperty(xcb_connection_t* connection, xcb_window_t window, xcb_atom_t property)
{
    const xcb_get_property_cookie_t cookie =
        xcb_get_property(connection, 1, window, property, XCB_GET_PROPERTY_TYPE_ANY, 0, UINT32_MAX / 4);
    return Owned<xcb_get_property_reply_t>{xcb_get_property_reply(connection, cookie, nullptr)};
}

void append(std::string& text, const xcb_get_property_reply_t& reply)
{
    const int length = xcb_get_property_value_length(&reply);
    if (length > 0)
        text.append(static_cast<const char*>(xcb_get_property_value(&reply)), static_cast<size_t>(length));
}

} // namespace

std::unique_ptr<X11Clipboard> X11Clipboard::connect(const char* display)
{
    int screenNumber = 0;
    xcb_connection_t* connection = xcb_connect(display, &screenNumber);
    if (xcb_connection_has_error(connection)) {
        xcb_disconnect(connection);
        return nullptr;
    }
    xcb_screen_iterator_t screens = xcb_setup_roots_iterator(xcb_get_setup(connection));
    for (int i = 0; i < screenNumber && screens.rem > 0; ++i)
        xcb_screen_next(&screens);
    if (screens.rem == 0) {
        xcb_disconnect(connection);
        return nullptr;
    }

    const xcb_window_t window = xcb_generate_id(connection);
    const uint32_t eventMask = XCB_EVENT_MASK_PROPERTY_CHANGE;
    xcb_create_window(connection, XCB_COPY_FROM_PARENT, window, screens.data->root, 0, 0, 1, 1, 0,
                      XCB_WINDOW_CLASS_INPUT_ONLY, XCB_COPY_FROM_PARENT, XCB_CW_EVENT_MASK, &eventMask);

    xcb_intern_atom_cookie_t cookies[std::size(kAtomNames)];
    for (size_t i = 0; i < std::size(kAtomNames); ++i)
        cookies[i] = xcb_intern_atom(connection, 0, static_cast<uint16_t>(std::strlen(kAtomNames[i])), kAtomNames[i]);
    xcb_atom_t atoms[std::size(kAtomNames)] = {};
    for (size_t i = 0; i < std::size(kAtomNames); ++i) {
        Owned<xcb_intern_atom_reply_t> reply{xcb_intern_atom_reply(connection, cookies[i], nullptr)};
        atoms[i] = reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
    }
    if (std::find(std::begin(atoms), std::end(atoms), XCB_ATOM_NONE) != std::end(atoms)) {
        xcb_disconnect(connection);
        return nullptr;
    }
    auto names = std::make_unique<Atoms>(
        Atoms{.clipboard = atoms[0], .utf8String = atoms[1], .incr = atoms[2], .property = atoms[3]});
    return std::unique_ptr<X11Clipboard>(new X11Clipboard(connection, window, std::move(names)));
}

X11Clipboard::X11Clipboard(xcb_connection_t* connection, uint32_t window, std::unique_ptr<Atoms> atoms)
    : connection_(connection), window_(window), atoms_(std::move(atoms))
{
}

X11Clipboard::~X11Clipboard()
{
    xcb_disconnect(connection_);
}

X11Clipboard::Reading X11Clipboard::read(std::chrono::milliseconds patience)
{
    const Atoms& atoms = *atoms_;
    // Answers that came too late for an earlier reading are not this one's.
    while (Owned<xcb_generic_event_t> stale{xcb_poll_for_event(connection_)}) {
    }
    xcb_delete_property(connection_, window_, atoms.property);

    Owned<xcb_get_selection_owner_reply_t> owner{
        xcb_get_selection_owner_reply(connection_, xcb_get_selection_owner(connection_, atoms.clipboard), nullptr)};
    if (!owner)
        return {Outcome::Refused, {}};
    if (owner->owner == XCB_WINDOW_NONE)
        return {Outcome::NoOwner, {}};

    xcb_convert_selection(connection_, window_, atoms.clipboard, atoms.utf8String, atoms.property, XCB_CURRENT_TIME);
    xcb_flush(connection_);
    Owned<xcb_generic_event_t> answer =
        awaitEvent(connection_, Clock::now() + patience, [&](const xcb_generic_event_t& event) {
            if ((event.response_type & 0x7f) != XCB_SELECTION_NOTIFY)
                return false;
            const auto& notify = reinterpret_cast<const xcb_selection_notify_event_t&>(event);
            return notify.requestor == window_ && notify.selection == atoms.clipboard;
        });
    if (!answer)
        return {xcb_connection_has_error(connection_) ? Outcome::Refused : Outcome::Silent, {}};
    const auto& notify = reinterpret_cast<const xcb_selection_notify_event_t&>(*answer);
    if (notify.property == XCB_ATOM_NONE || notify.target != atoms.utf8String)
        return {Outcome::Refused, {}};

    Owned<xcb_get_property_reply_t> value = takeProperty(connection_, window_, atoms.property);
    if (!value)
        return {Outcome::Refused, {}};
    Reading reading{Outcome::Text, {}};
    if (value->type != atoms.incr) {
        append(reading.text, *value);
        return reading;
    }

    // A long text comes in pieces: each time the property is deleted the
    // owner puts the next piece there, and an empty piece ends the text.
    if (xcb_get_property_value_length(value.get()) >= 4) {
        uint32_t announced = 0;
        std::memcpy(&announced, xcb_get_property_value(value.get()), sizeof announced);
        reading.text.reserve(std::min(announced, kLargestReservation));
    }
    xcb_flush(connection_);
    for (;;) {
        Owned<xcb_generic_event_t> piece =
            awaitEvent(connection_, Clock::now() + patience, [&](const xcb_generic_event_t& event) {
                if ((event.response_type & 0x7f) != XCB_PROPERTY_NOTIFY)
                    return false;
                const auto& changed = reinterpret_cast<const xcb_property_notify_event_t&>(event);
                return changed.window == window_ && changed.atom == atoms.property &&
                       changed.state == XCB_PROPERTY_NEW_VALUE;
            });
        if (!piece)
            return {xcb_connection_has_error(connection_) ? Outcome::Refused : Outcome::Silent, {}};
        value = takeProperty(connection_, window_, atoms.property);
        if (!value)
            return {Outcome::Refused, {}};
        if (xcb_get_property_value_length(value.get()) == 0)
            return reading;
        append(reading.text, *value);
    }
}

} // namespace fw::ui
