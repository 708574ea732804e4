#include "framework/ui/qt/X11RunningInstance.h"

#include <QSocketNotifier>

#include <xcb/xcb.h>

#include <unistd.h>

#include <cctype>
#include <cstdlib>
#include <optional>
#include <utility>

namespace fw::ui {

namespace {

template <typename Reply>
std::unique_ptr<Reply, void (*)(void*)> owned(Reply* reply)
{
    return {reply, std::free};
}

// How often a claim looks again when the owner it found went away before
// it could be asked.
constexpr int kAttempts = 3;

// "_LIRRA-VERIZ_RUNNING_1000" for that program started by user 1000.
std::string selectionName(std::string_view program)
{
    std::string name = "_";
    for (const char c : program)
        name += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return name + "_RUNNING_" + std::to_string(::getuid());
}

xcb_screen_t* screenOf(xcb_connection_t* connection, int number)
{
    xcb_screen_iterator_t screens = xcb_setup_roots_iterator(xcb_get_setup(connection));
    for (int i = 0; i < number && screens.rem > 0; ++i)
        xcb_screen_next(&screens);
    return screens.rem > 0 ? screens.data : nullptr;
}

xcb_atom_t internAtom(xcb_connection_t* connection, const std::string& name)
{
    auto reply = owned(xcb_intern_atom_reply(
        connection, xcb_intern_atom(connection, 0, static_cast<uint16_t>(name.size()), name.data()), nullptr));
    return reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
}

// The selection's owner once the look is over: window itself when nobody
// owned it. The server is grabbed between the look and the taking, so no
// other claim comes between them. Nil when the server did not answer.
std::optional<xcb_window_t> takeOrFindOwner(xcb_connection_t* connection, xcb_window_t window, xcb_atom_t selection)
{
    xcb_grab_server(connection);
    auto found =
        owned(xcb_get_selection_owner_reply(connection, xcb_get_selection_owner(connection, selection), nullptr));
    if (found && found->owner == XCB_WINDOW_NONE)
        xcb_set_selection_owner(connection, window, selection, XCB_CURRENT_TIME);
    xcb_ungrab_server(connection);
    if (!found)
        return std::nullopt;
    if (found->owner != XCB_WINDOW_NONE)
        return found->owner;
    // Asking again is the round trip after which the server has done both.
    auto now =
        owned(xcb_get_selection_owner_reply(connection, xcb_get_selection_owner(connection, selection), nullptr));
    return now ? std::optional<xcb_window_t>(now->owner) : std::nullopt;
}

// Sends the owner's window the request to come forward, and waits until the
// server has taken it. False when that window is gone.
bool askToComeForward(xcb_connection_t* connection, xcb_window_t owner, xcb_atom_t selection)
{
    xcb_client_message_event_t request{};
    request.response_type = XCB_CLIENT_MESSAGE;
    request.format = 32;
    request.window = owner;
    request.type = selection;
    // With no event mask the event goes to the client that made the window.
    const xcb_void_cookie_t sent =
        xcb_send_event_checked(connection, 0, owner, XCB_EVENT_MASK_NO_EVENT, reinterpret_cast<const char*>(&request));
    auto error = owned(xcb_request_check(connection, sent));
    return !error && !xcb_connection_has_error(connection);
}

} // namespace

X11RunningInstance::Claim X11RunningInstance::claim(const char* display, std::string_view program)
{
    int screenNumber = 0;
    xcb_connection_t* connection = xcb_connect(display, &screenNumber);
    xcb_screen_t* screen = xcb_connection_has_error(connection) ? nullptr : screenOf(connection, screenNumber);
    const xcb_atom_t selection = screen ? internAtom(connection, selectionName(program)) : xcb_atom_t{XCB_ATOM_NONE};
    if (selection == XCB_ATOM_NONE) {
        xcb_disconnect(connection);
        return {Outcome::NoServer, nullptr};
    }
    const xcb_window_t window = xcb_generate_id(connection);
    xcb_create_window(connection, XCB_COPY_FROM_PARENT, window, screen->root, 0, 0, 1, 1, 0,
                      XCB_WINDOW_CLASS_INPUT_ONLY, XCB_COPY_FROM_PARENT, 0, nullptr);

    for (int attempt = 0; attempt < kAttempts; ++attempt) {
        const std::optional<xcb_window_t> owner = takeOrFindOwner(connection, window, selection);
        if (!owner)
            break;
        if (*owner == window)
            return {Outcome::Claimed,
                    std::unique_ptr<X11RunningInstance>(new X11RunningInstance(connection, window, selection))};
        if (askToComeForward(connection, *owner, selection)) {
            xcb_disconnect(connection);
            return {Outcome::AlreadyRunning, nullptr};
        }
    }
    xcb_disconnect(connection);
    return {Outcome::NoServer, nullptr};
}

X11RunningInstance::X11RunningInstance(xcb_connection_t* connection, uint32_t window, uint32_t selection)
    : connection_(connection), window_(window), selection_(selection)
{
}

X11RunningInstance::~X11RunningInstance()
{
    notifier_.reset(); // before its descriptor closes
    xcb_disconnect(connection_);
}

void X11RunningInstance::watch(std::function<void()> comeForward)
{
    comeForward_ = std::move(comeForward);
    notifier_ = std::make_unique<QSocketNotifier>(xcb_get_file_descriptor(connection_), QSocketNotifier::Read);
    QObject::connect(notifier_.get(), &QSocketNotifier::activated, notifier_.get(), [this] { takeRequests(); });
    // Requests that came while the claim was made are in the connection's
    // queue already, where the notifier does not see them.
    QMetaObject::invokeMethod(
        notifier_.get(), [this] { takeRequests(); }, Qt::QueuedConnection);
}

void X11RunningInstance::takeRequests()
{
    int requests = 0;
    while (auto event = owned(xcb_poll_for_event(connection_))) {
        if ((event->response_type & 0x7f) != XCB_CLIENT_MESSAGE)
            continue;
        const auto& message = reinterpret_cast<const xcb_client_message_event_t&>(*event);
        if (message.window == window_ && message.type == selection_)
            ++requests;
    }
    // A connection the server closed reads as always ready.
    if (xcb_connection_has_error(connection_))
        notifier_->setEnabled(false);
    for (int i = 0; i < requests; ++i)
        comeForward_();
}

} // namespace fw::ui
