// A hostile or well-behaved clipboard owner as a program of its own, for the
// end-to-end scripts: it takes the clipboard, says "ready" on stdout, and
// serves until it is killed.
//   fake_clipboard_owner MANNER BYTES PIECE PAUSE_MS
// MANNER: utf8, latin1, silent or silent-after-refusal.

#include "tests/ui/x11/FakeClipboardOwner.h"

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>

#include <unistd.h>

int main(int argc, char** argv)
{
    using Manner = FakeClipboardOwner::Manner;
    const std::map<std::string, Manner> manners = {{"utf8", Manner::Utf8},
                                                   {"latin1", Manner::Latin1},
                                                   {"silent", Manner::Silent},
                                                   {"silent-after-refusal", Manner::SilentAfterRefusal}};
    const auto manner = argc == 5 ? manners.find(argv[1]) : manners.end();
    if (manner == manners.end()) {
        std::fputs("usage: fake_clipboard_owner utf8|latin1|silent|silent-after-refusal BYTES PIECE PAUSE_MS\n",
                   stderr);
        return 2;
    }
    std::string text;
    const size_t bytes = std::strtoull(argv[2], nullptr, 10);
    while (text.size() < bytes)
        text += "word ";
    text.resize(bytes);
    const char* display = std::getenv("DISPLAY");
    FakeClipboardOwner owner(display ? display : "", manner->second, std::move(text),
                             std::strtoull(argv[3], nullptr, 10),
                             std::chrono::milliseconds(std::strtoll(argv[4], nullptr, 10)));
    std::puts("ready");
    std::fflush(stdout);
    sigset_t ending;
    sigemptyset(&ending);
    sigaddset(&ending, SIGTERM);
    sigaddset(&ending, SIGINT);
    sigprocmask(SIG_BLOCK, &ending, nullptr);
    int signal = 0;
    sigwait(&ending, &signal);
    return 0;
}
