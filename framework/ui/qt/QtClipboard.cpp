#include "framework/ui/qt/QtClipboard.h"

#include "framework/ui/qt/X11Clipboard.h"
#include "framework/ui/qt/X11TextEncodings.h"

#include <QClipboard>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QMimeData>

#include <xcb/xcb.h>

#include <chrono>
#include <cstdio>
#include <future>
#include <utility>

namespace fw::ui {

namespace {

using namespace std::chrono_literals;

// How long the owner may take to answer, each time it is asked, and how long
// the whole read may take: a legitimate 64 MiB arrives in a few seconds.
constexpr X11Clipboard::Limits kLimits{.patience = 400ms, .whole = 10s, .largestText = QtClipboard::kLargestText};
// How often the event thread looks at its events while the clipboard comes.
constexpr auto kEventsEvery = 5ms;

void sayCut()
{
    std::fprintf(stderr, "framework: the clipboard holds more than %zu MiB of text; the rest was left out\n",
                 QtClipboard::kLargestText >> 20);
}

} // namespace

QtClipboard::QtClipboard(std::unique_ptr<X11Clipboard> x11) : x11_(std::move(x11)) {}

QtClipboard::~QtClipboard() = default;

std::optional<std::string> QtClipboard::text()
{
    if (x11_ && !ownedByToolkit())
        return readX11();
    return readToolkit();
}

bool QtClipboard::ownedByToolkit() const
{
    // The toolkit's own idea of whether it owns the clipboard lags behind the
    // X server's, which knows the owner's window, and so its client.
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    if (!x11 || !x11->connection())
        return false;
    const xcb_setup_t* setup = xcb_get_setup(x11->connection());
    const uint32_t owner = x11_->owner();
    return owner != 0 && (owner & ~setup->resource_id_mask) == setup->resource_id_base;
}

void QtClipboard::giveUp(const char* reason)
{
    if (!reading_ || givenUpFor_)
        return;
    givenUpFor_ = reason;
    x11_->giveUp();
}

std::optional<std::string> QtClipboard::readX11()
{
    x11_->armForRead();
    givenUpFor_ = nullptr;
    reading_ = true;
    // The owner's pace sets how long this takes: the transfer, and the look
    // at what arrived, happen beside the event thread.
    std::future<X11Clipboard::Reading> pending =
        std::async(std::launch::async, [x11 = x11_.get()] { return x11->read(kLimits); });
    while (pending.wait_for(kEventsEvery) != std::future_status::ready)
        QCoreApplication::processEvents();
    reading_ = false;
    X11Clipboard::Reading reading = pending.get();
    switch (reading.outcome) {
    case X11Clipboard::Outcome::Text:
        if (reading.cut)
            sayCut();
        return std::move(reading.text);
    case X11Clipboard::Outcome::NoOwner:
    case X11Clipboard::Outcome::Refused:
    // A broken connection means that the X server is gone: the toolkit finds
    // its own connection broken too, and the program ends with one line.
    case X11Clipboard::Outcome::Lost:
        return std::nullopt;
    case X11Clipboard::Outcome::Silent:
        std::fputs("framework: the clipboard's owner did not answer\n", stderr);
        return std::nullopt;
    case X11Clipboard::Outcome::TooSlow:
        std::fprintf(stderr, "framework: reading the clipboard was given up: its owner took more than %lld s\n",
                     static_cast<long long>(std::chrono::duration_cast<std::chrono::seconds>(kLimits.whole).count()));
        return std::nullopt;
    case X11Clipboard::Outcome::GivenUp:
        std::fprintf(stderr, "framework: reading the clipboard was given up: %s\n", givenUpFor_);
        return std::nullopt;
    }
    return std::nullopt;
}

std::optional<std::string> QtClipboard::readToolkit()
{
    const QClipboard* clipboard = QGuiApplication::clipboard();
    const QMimeData* data = clipboard->mimeData(QClipboard::Clipboard);
    if (!data || !data->hasText())
        return std::nullopt;
    std::string text = clipboard->text(QClipboard::Clipboard).toStdString();
    if (cutAtCharacter(text, kLargestText))
        sayCut();
    return text;
}

} // namespace fw::ui
