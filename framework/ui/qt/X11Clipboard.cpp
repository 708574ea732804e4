#include "framework/ui/qt/X11Clipboard.h"

#include "framework/ui/qt/X11TextEncodings.h"

#include <xcb/xcb.h>

#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <utility>

namespace fw::ui {

namespace {

using Clock = std::chrono::steady_clock;

template <typename T>
struct FreeDeleter {
    void operator()(T* pointer) const { std::free(pointer); }
};
template <typename T>
using Owned = std::unique_ptr<T, FreeDeleter<T>>;

constexpr const char* kAtomNames[] = {"CLIPBOARD", "UTF8_STRING", "COMPOUND_TEXT", "TEXT", "INCR", "_FRAMEWORK_PASTE"};

// How a wait for the owner ended.
enum class Waited { Event, Patience, Whole, GivenUp, Lost };

X11Clipboard::Outcome outcomeOf(Waited waited)
{
    switch (waited) {
    case Waited::Patience:
        return X11Clipboard::Outcome::Silent;
    case Waited::Whole:
        return X11Clipboard::Outcome::TooSlow;
    case Waited::GivenUp:
        return X11Clipboard::Outcome::GivenUp;
    case Waited::Event:
    case Waited::Lost:
        break;
    }
    return X11Clipboard::Outcome::Lost;
}

bool readable(int descriptor)
{
    pollfd wake{.fd = descriptor, .events = POLLIN, .revents = 0};
    return ::poll(&wake, 1, 0) > 0 && (wake.revents & POLLIN);
}

} // namespace

struct X11Clipboard::Atoms {
    xcb_atom_t clipboard;
    xcb_atom_t utf8String;
    xcb_atom_t compoundText;
    xcb_atom_t text;
    xcb_atom_t incr;
    xcb_atom_t property; // where the owner puts its answer, on the requestor window
};

// One reading: a requestor window of its own, and the deadlines.
class X11Clipboard::Request {
public:
    Request(const X11Clipboard& clipboard, const Limits& limits)
        : connection_(clipboard.connection_), atoms_(*clipboard.atoms_), wake_(clipboard.wake_), limits_(limits),
          wholeBy_(Clock::now() + limits.whole), window_(xcb_generate_id(connection_))
    {
        const uint32_t eventMask = XCB_EVENT_MASK_PROPERTY_CHANGE;
        xcb_create_window(connection_, XCB_COPY_FROM_PARENT, window_, clipboard.root_, 0, 0, 1, 1, 0,
                          XCB_WINDOW_CLASS_INPUT_ONLY, XCB_COPY_FROM_PARENT, XCB_CW_EVENT_MASK, &eventMask);
    }
    ~Request()
    {
        // An owner still sending pieces finds the window gone and stops.
        xcb_destroy_window(connection_, window_);
        xcb_flush(connection_);
    }
    Request(const Request&) = delete;
    Request& operator=(const Request&) = delete;

    // Asks for each encoding in turn until the owner gives one.
    Reading run()
    {
        for (xcb_atom_t target : {atoms_.utf8String, atoms_.compoundText, xcb_atom_t{XCB_ATOM_STRING}, atoms_.text}) {
            Reading reading = ask(target);
            if (reading.outcome != Outcome::Refused)
                return reading;
        }
        return {Outcome::Refused};
    }

private:
    Reading ask(xcb_atom_t target)
    {
        xcb_convert_selection(connection_, window_, atoms_.clipboard, target, atoms_.property, XCB_CURRENT_TIME);
        xcb_flush(connection_);
        Owned<xcb_generic_event_t> answer;
        const Waited waited = await(answer, [&](const xcb_generic_event_t& event) {
            if ((event.response_type & 0x7f) != XCB_SELECTION_NOTIFY)
                return false;
            const auto& notify = reinterpret_cast<const xcb_selection_notify_event_t&>(event);
            return notify.requestor == window_ && notify.selection == atoms_.clipboard;
        });
        if (waited != Waited::Event)
            return {outcomeOf(waited)};
        if (reinterpret_cast<const xcb_selection_notify_event_t&>(*answer).property == XCB_ATOM_NONE)
            return {Outcome::Refused};
        return take(target);
    }

    // The answer on the window: the text itself, or the start of a long
    // text that comes in pieces.
    Reading take(xcb_atom_t target)
    {
        // One word more than the limit tells whether there was more.
        Owned<xcb_get_property_reply_t> value = takeProperty(limits_.largestText / 4 + 1);
        if (!value)
            return {Outcome::Lost};
        if (value->type == atoms_.incr)
            return takePieces(target, announcedSize(*value));
        std::string bytes = valueOf(*value);
        const bool more = value->bytes_after > 0 || bytes.size() > limits_.largestText;
        return decoded(value->type, target, std::move(bytes), more);
    }

    // Each time the property is deleted the owner puts the next piece
    // there; an empty piece ends the text.
    Reading takePieces(xcb_atom_t target, size_t announced)
    {
        xcb_flush(connection_);
        std::string bytes;
        bytes.reserve(std::min(announced, limits_.largestText));
        xcb_atom_t type = XCB_ATOM_NONE;
        for (;;) {
            Owned<xcb_generic_event_t> piece;
            const Waited waited = await(piece, [&](const xcb_generic_event_t& event) {
                if ((event.response_type & 0x7f) != XCB_PROPERTY_NOTIFY)
                    return false;
                const auto& changed = reinterpret_cast<const xcb_property_notify_event_t&>(event);
                return changed.window == window_ && changed.atom == atoms_.property &&
                       changed.state == XCB_PROPERTY_NEW_VALUE;
            });
            if (waited != Waited::Event)
                return {outcomeOf(waited)};
            Owned<xcb_get_property_reply_t> value = takeProperty(UINT32_MAX / 4);
            if (!value)
                return {Outcome::Lost};
            if (xcb_get_property_value_length(value.get()) == 0)
                return decoded(type, target, std::move(bytes), false);
            if (type == XCB_ATOM_NONE)
                type = value->type;
            bytes += valueOf(*value);
            if (bytes.size() > limits_.largestText)
                return decoded(type, target, std::move(bytes), true);
        }
    }

    // The bytes as UTF-8, after the type the owner gave them (or, when it
    // gave none that is known here, the one asked for), within the limit.
    Reading decoded(xcb_atom_t type, xcb_atom_t target, std::string bytes, bool more)
    {
        const xcb_atom_t encoding =
            type == atoms_.utf8String || type == atoms_.compoundText || type == XCB_ATOM_STRING ? type : target;
        Reading reading{Outcome::Text};
        if (encoding == atoms_.utf8String)
            reading.text = utf8FromOwner(std::move(bytes));
        else if (encoding == atoms_.compoundText)
            reading.text = utf8FromCompoundText(bytes);
        else
            reading.text = utf8FromLatin1(bytes);
        reading.cut = cutAtCharacter(reading.text, limits_.largestText) || more;
        return reading;
    }

    // Takes up to words 32-bit units of the property's value off the window,
    // deleting it when nothing is left (which, for a long text, asks the
    // owner for its next piece).
    Owned<xcb_get_property_reply_t> takeProperty(size_t words)
    {
        const auto length = static_cast<uint32_t>(std::min<size_t>(words, UINT32_MAX / 4));
        const xcb_get_property_cookie_t cookie =
            xcb_get_property(connection_, 1, window_, atoms_.property, XCB_GET_PROPERTY_TYPE_ANY, 0, length);
        return Owned<xcb_get_property_reply_t>{xcb_get_property_reply(connection_, cookie, nullptr)};
    }

    // What the start of a long text says of its length (a lower bound).
    static size_t announcedSize(const xcb_get_property_reply_t& reply)
    {
        uint32_t announced = 0;
        if (xcb_get_property_value_length(&reply) >= static_cast<int>(sizeof announced))
            std::memcpy(&announced, xcb_get_property_value(&reply), sizeof announced);
        return announced;
    }

    static std::string valueOf(const xcb_get_property_reply_t& reply)
    {
        const int length = xcb_get_property_value_length(&reply);
        if (length <= 0)
            return {};
        return {static_cast<const char*>(xcb_get_property_value(&reply)), static_cast<size_t>(length)};
    }

    // Waits until an event that matches arrives, the owner's patience or the
    // read's bound runs out, or the read is given up. Events that do not
    // match are dropped: this connection selects nothing but the answers it
    // asks for.
    template <typename Matches>
    Waited await(Owned<xcb_generic_event_t>& found, Matches matches)
    {
        const Clock::time_point answerBy = std::min(Clock::now() + limits_.patience, wholeBy_);
        for (;;) {
            if (readable(wake_))
                return Waited::GivenUp;
            while (Owned<xcb_generic_event_t> event{xcb_poll_for_event(connection_)}) {
                if (matches(*event)) {
                    found = std::move(event);
                    return Waited::Event;
                }
            }
            if (xcb_connection_has_error(connection_))
                return Waited::Lost;
            const Clock::time_point now = Clock::now();
            if (now >= answerBy)
                return answerBy == wholeBy_ ? Waited::Whole : Waited::Patience;
            const auto wait = std::chrono::ceil<std::chrono::milliseconds>(answerBy - now);
            pollfd descriptors[] = {{.fd = xcb_get_file_descriptor(connection_), .events = POLLIN, .revents = 0},
                                    {.fd = wake_, .events = POLLIN, .revents = 0}};
            ::poll(descriptors, std::size(descriptors), static_cast<int>(wait.count()));
        }
    }

    xcb_connection_t* connection_;
    const Atoms& atoms_;
    const int wake_;
    const Limits limits_;
    const Clock::time_point wholeBy_;
    const xcb_window_t window_;
};

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

    xcb_intern_atom_cookie_t cookies[std::size(kAtomNames)];
    for (size_t i = 0; i < std::size(kAtomNames); ++i)
        cookies[i] = xcb_intern_atom(connection, 0, static_cast<uint16_t>(std::strlen(kAtomNames[i])), kAtomNames[i]);
    xcb_atom_t atoms[std::size(kAtomNames)] = {};
    for (size_t i = 0; i < std::size(kAtomNames); ++i) {
        Owned<xcb_intern_atom_reply_t> reply{xcb_intern_atom_reply(connection, cookies[i], nullptr)};
        atoms[i] = reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
    }
    const int wake = eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
    if (std::find(std::begin(atoms), std::end(atoms), XCB_ATOM_NONE) != std::end(atoms) || wake < 0) {
        if (wake >= 0)
            close(wake);
        xcb_disconnect(connection);
        return nullptr;
    }
    auto names = std::make_unique<Atoms>(Atoms{.clipboard = atoms[0],
                                               .utf8String = atoms[1],
                                               .compoundText = atoms[2],
                                               .text = atoms[3],
                                               .incr = atoms[4],
                                               .property = atoms[5]});
    return std::unique_ptr<X11Clipboard>(new X11Clipboard(connection, screens.data->root, std::move(names), wake));
}

X11Clipboard::X11Clipboard(xcb_connection_t* connection, uint32_t root, std::unique_ptr<Atoms> atoms, int wake)
    : connection_(connection), root_(root), atoms_(std::move(atoms)), wake_(wake)
{
}

X11Clipboard::~X11Clipboard()
{
    close(wake_);
    xcb_disconnect(connection_);
}

uint32_t X11Clipboard::owner()
{
    Owned<xcb_get_selection_owner_reply_t> owner{
        xcb_get_selection_owner_reply(connection_, xcb_get_selection_owner(connection_, atoms_->clipboard), nullptr)};
    return owner ? owner->owner : uint32_t{XCB_WINDOW_NONE};
}

void X11Clipboard::giveUp()
{
    const uint64_t one = 1;
    [[maybe_unused]] ssize_t written = write(wake_, &one, sizeof one);
}

void X11Clipboard::armForRead()
{
    uint64_t count = 0;
    [[maybe_unused]] ssize_t taken = ::read(wake_, &count, sizeof count);
}

X11Clipboard::Reading X11Clipboard::read(const Limits& limits)
{
    // Answers that came too late for an earlier reading are not this one's.
    while (Owned<xcb_generic_event_t> stale{xcb_poll_for_event(connection_)}) {
    }
    Owned<xcb_get_selection_owner_reply_t> owner{
        xcb_get_selection_owner_reply(connection_, xcb_get_selection_owner(connection_, atoms_->clipboard), nullptr)};
    if (!owner)
        return {Outcome::Lost};
    if (owner->owner == XCB_WINDOW_NONE)
        return {Outcome::NoOwner};
    Request request(*this, limits);
    return request.run();
}

} // namespace fw::ui
