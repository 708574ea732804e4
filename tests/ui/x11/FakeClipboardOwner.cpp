#include "tests/ui/x11/FakeClipboardOwner.h"

#include <xcb/xcb.h>

#include <poll.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <optional>
#include <stdexcept>
#include <utility>
#include <vector>

namespace {

xcb_atom_t intern(xcb_connection_t* connection, const char* name)
{
    xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(
        connection, xcb_intern_atom(connection, 0, static_cast<uint16_t>(std::strlen(name)), name), nullptr);
    const xcb_atom_t atom = reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
    std::free(reply);
    return atom;
}

void notify(xcb_connection_t* connection, const xcb_selection_request_event_t& request, xcb_atom_t property)
{
    xcb_selection_notify_event_t answer{};
    answer.response_type = XCB_SELECTION_NOTIFY;
    answer.time = request.time;
    answer.requestor = request.requestor;
    answer.selection = request.selection;
    answer.target = request.target;
    answer.property = property;
    xcb_send_event(connection, 0, request.requestor, XCB_EVENT_MASK_NO_EVENT, reinterpret_cast<const char*>(&answer));
}

} // namespace

// A long text on its way: the next piece goes when the requestor deletes
// the property.
struct FakeClipboardOwner::Transfer {
    xcb_window_t requestor;
    xcb_atom_t property;
    xcb_atom_t type;
    size_t sent;
    bool done;
    std::optional<std::chrono::steady_clock::time_point> nextPieceAt; // asked for, and due then
};

FakeClipboardOwner::FakeClipboardOwner(const std::string& display, Manner manner, std::string text, size_t piece,
                                       std::chrono::milliseconds pause)
    : manner_(manner), text_(std::move(text)), piece_(piece), pause_(pause)
{
    int screenNumber = 0;
    connection_ = xcb_connect(display.c_str(), &screenNumber);
    if (xcb_connection_has_error(connection_)) {
        xcb_disconnect(connection_);
        throw std::runtime_error("no connection to " + display);
    }
    const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(connection_)).data;
    window_ = xcb_generate_id(connection_);
    xcb_create_window(connection_, XCB_COPY_FROM_PARENT, window_, screen->root, 0, 0, 1, 1, 0,
                      XCB_WINDOW_CLASS_INPUT_ONLY, XCB_COPY_FROM_PARENT, 0, nullptr);
    clipboard_ = intern(connection_, "CLIPBOARD");
    targets_ = intern(connection_, "TARGETS");
    utf8String_ = intern(connection_, "UTF8_STRING");
    compoundText_ = intern(connection_, "COMPOUND_TEXT");
    textTarget_ = intern(connection_, "TEXT");
    incr_ = intern(connection_, "INCR");
    xcb_set_selection_owner(connection_, window_, clipboard_, XCB_CURRENT_TIME);
    xcb_get_selection_owner_reply_t* owner =
        xcb_get_selection_owner_reply(connection_, xcb_get_selection_owner(connection_, clipboard_), nullptr);
    const bool owns = owner && owner->owner == window_;
    std::free(owner);
    if (!owns) {
        xcb_disconnect(connection_);
        throw std::runtime_error("the clipboard was not taken");
    }
    server_ = std::thread([this] { serve(); });
}

FakeClipboardOwner::~FakeClipboardOwner()
{
    stopping_ = true;
    server_.join();
    xcb_disconnect(connection_); // gives the clipboard up
}

void FakeClipboardOwner::serve()
{
    // What the owner answers to, and the type its answer carries.
    const auto [offered, type] = [&]() -> std::pair<xcb_atom_t, xcb_atom_t> {
        switch (manner_) {
        case Manner::Latin1:
            return {XCB_ATOM_STRING, XCB_ATOM_STRING};
        case Manner::CompoundText:
            return {compoundText_, compoundText_};
        case Manner::TextAsLatin1:
            return {textTarget_, XCB_ATOM_STRING};
        default:
            return {utf8String_, utf8String_};
        }
    }();
    std::vector<Transfer> transfers;
    auto sendPiece = [&](Transfer& transfer) {
        const size_t length = std::min(piece_, text_.size() - transfer.sent);
        xcb_change_property(connection_, XCB_PROP_MODE_REPLACE, transfer.requestor, transfer.property, transfer.type, 8,
                            static_cast<uint32_t>(length), text_.data() + transfer.sent);
        transfer.sent += length;
        transfer.done = length == 0;
        transfer.nextPieceAt.reset();
    };
    auto answer = [&](const xcb_selection_request_event_t& request) {
        const xcb_atom_t property = request.property == XCB_ATOM_NONE ? request.target : request.property;
        if (request.target == targets_) {
            const xcb_atom_t targets[] = {targets_, offered};
            xcb_change_property(connection_, XCB_PROP_MODE_REPLACE, request.requestor, property, XCB_ATOM_ATOM, 32, 2,
                                targets);
            notify(connection_, request, property);
        } else if (request.target != offered) {
            notify(connection_, request, XCB_ATOM_NONE);
        } else if (text_.size() <= piece_) {
            xcb_change_property(connection_, XCB_PROP_MODE_REPLACE, request.requestor, property, type, 8,
                                static_cast<uint32_t>(text_.size()), text_.data());
            notify(connection_, request, property);
        } else {
            const uint32_t mask = XCB_EVENT_MASK_PROPERTY_CHANGE;
            xcb_change_window_attributes(connection_, request.requestor, XCB_CW_EVENT_MASK, &mask);
            const auto size = static_cast<uint32_t>(text_.size());
            xcb_change_property(connection_, XCB_PROP_MODE_REPLACE, request.requestor, property, incr_, 32, 1, &size);
            notify(connection_, request, property);
            transfers.push_back({.requestor = request.requestor,
                                 .property = property,
                                 .type = type,
                                 .sent = 0,
                                 .done = false,
                                 .nextPieceAt = std::nullopt});
        }
    };
    while (!stopping_) {
        const auto now = std::chrono::steady_clock::now();
        for (Transfer& transfer : transfers) {
            if (transfer.nextPieceAt && *transfer.nextPieceAt <= now)
                sendPiece(transfer);
        }
        std::erase_if(transfers, [](const Transfer& transfer) { return transfer.done; });
        xcb_flush(connection_);
        pollfd readable{.fd = xcb_get_file_descriptor(connection_), .events = POLLIN, .revents = 0};
        ::poll(&readable, 1, 5);
        while (std::unique_ptr<xcb_generic_event_t, decltype(&std::free)> event{xcb_poll_for_event(connection_),
                                                                                &std::free}) {
            const int eventType = event->response_type & 0x7f;
            if (eventType == XCB_PROPERTY_NOTIFY) {
                const auto& changed = reinterpret_cast<const xcb_property_notify_event_t&>(*event);
                for (Transfer& transfer : transfers) {
                    if (!transfer.done && changed.state == XCB_PROPERTY_DELETE &&
                        changed.window == transfer.requestor && changed.atom == transfer.property)
                        transfer.nextPieceAt = std::chrono::steady_clock::now() + pause_;
                }
                continue;
            }
            if (eventType != XCB_SELECTION_REQUEST)
                continue;
            ++requests_;
            const auto& request = reinterpret_cast<const xcb_selection_request_event_t&>(*event);
            if (manner_ == Manner::Silent)
                continue;
            if (manner_ == Manner::SilentAfterRefusal) {
                if (request.target == utf8String_)
                    notify(connection_, request, XCB_ATOM_NONE);
                continue;
            }
            answer(request);
        }
    }
}
