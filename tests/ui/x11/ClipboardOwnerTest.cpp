// The clipboard as read on a real X server, with another client owning it:
// well-behaved owners, owners that speak only older encodings, and owners
// that trickle, stall or send more than is ever spoken.

#include "framework/text/Utf8.h"
#include "framework/ui/qt/QtClipboard.h"
#include "framework/ui/qt/QtPresentation.h"
#include "tests/ui/qt/RecordingActions.h"
#include "tests/ui/x11/FakeClipboardOwner.h"
#include "tests/ui/x11/XvfbDisplay.h"

#include <QApplication>
#include <QClipboard>
#include <QEventLoop>
#include <QGuiApplication>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QWidget>

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <functional>
#include <memory>
#include <optional>
#include <string>

namespace {

using Manner = FakeClipboardOwner::Manner;
using Clock = std::chrono::steady_clock;
using namespace std::chrono_literals;

// One X server and one presentation on it for the whole run.
class X11Desktop : public ::testing::Environment {
public:
    void SetUp() override
    {
        display_ = std::make_unique<XvfbDisplay>();
        ::setenv("DISPLAY", display_->name().c_str(), 1);
        ::setenv("QT_QPA_PLATFORM", "xcb", 1);
        presentation_ = std::make_unique<fw::ui::QtPresentation>();
    }
    void TearDown() override
    {
        presentation_.reset();
        display_.reset();
    }

    static const std::string& display() { return display_->name(); }
    static fw::ui::QtPresentation& presentation() { return *presentation_; }

private:
    static inline std::unique_ptr<XvfbDisplay> display_;
    static inline std::unique_ptr<fw::ui::QtPresentation> presentation_;
};

std::optional<std::string> readClipboard() { return X11Desktop::presentation().clipboardText(); }

// Lets what was posted or held back during a read happen.
void settle()
{
    QEventLoop idle;
    QTimer::singleShot(300, &idle, &QEventLoop::quit);
    idle.exec();
}

std::string tenMegabytes()
{
    std::string text;
    while (text.size() < 10 * 1024 * 1024)
        text += "Zeile " + std::to_string(text.size()) + ": Grüße, 世界.\n";
    return text;
}

// A read, timed, with what it said on stderr.
struct TimedRead {
    std::optional<std::string> text;
    Clock::duration took;
    std::string said;
};

TimedRead timedRead()
{
    testing::internal::CaptureStderr();
    const auto start = Clock::now();
    std::optional<std::string> text = readClipboard();
    const auto took = Clock::now() - start;
    return {std::move(text), took, testing::internal::GetCapturedStderr()};
}

TEST(ClipboardOwnerTest, TheOwnersTextArrivesWhole)
{
    const std::string tenMb = tenMegabytes();
    const struct {
        const char* what;
        Manner manner;
        std::string offered;
        std::string expected;
    } cases[] = {
        {"UTF-8 in one piece", Manner::Utf8, "Grüße, 世界\nzweite Zeile", "Grüße, 世界\nzweite Zeile"},
        {"10 MB in pieces", Manner::Utf8, tenMb, tenMb},
        {"one trailing NUL dropped", Manner::Utf8, std::string("text\0", 5), "text"},
        {"bytes that are not UTF-8 replaced", Manner::Utf8,
         "a\xff"
         "b\xe4",
         "a\uFFFD"
         "b\uFFFD"},
        {"STRING only, as Latin-1", Manner::Latin1,
         "Gr\xfc\xdf"
         "e",
         "Grüße"},
        {"COMPOUND_TEXT only, Latin-1 and UTF-8 segments", Manner::CompoundText,
         "Gr\xfc\xdf"
         "e \x1b%G世界\x1b%@!",
         "Grüße 世界!"},
        {"TEXT only, sent as STRING", Manner::TextAsLatin1, "caf\xe9", "café"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        FakeClipboardOwner owner(X11Desktop::display(), c.manner, c.offered);
        const TimedRead read = timedRead();
        EXPECT_EQ(read.said, "");
        ASSERT_TRUE(read.text.has_value());
        EXPECT_EQ(read.text->size(), c.expected.size());
        EXPECT_TRUE(*read.text == c.expected);
    }
}

TEST(ClipboardOwnerTest, AnOwnerInAnOlderEncodingMayBeSlowButNotFreezeTheWindow)
{
    std::string latin1;
    while (latin1.size() < 100 * 1024)
        latin1 += "Stra\xdf"
                  "e ";
    FakeClipboardOwner owner(X11Desktop::display(), Manner::Latin1, latin1, 4096, 50ms);
    int ticks = 0;
    QTimer ticker;
    QObject::connect(&ticker, &QTimer::timeout, [&] { ++ticks; });
    ticker.start(50);

    const TimedRead read = timedRead();
    ASSERT_TRUE(read.text.has_value());
    EXPECT_EQ(read.said, "");
    EXPECT_EQ(*read.text, QString::fromLatin1(latin1.data(), static_cast<qsizetype>(latin1.size())).toStdString());
    EXPECT_GT(ticks, 5) << "the event thread stood still while the pieces came";
}

TEST(ClipboardOwnerTest, AnOwnerThatStopsAnsweringCostsUnderASecondAndOneLine)
{
    const struct {
        const char* what;
        Manner manner;
        int requests;
    } cases[] = {
        {"silent from the start", Manner::Silent, 1},
        {"silent after refusing UTF8_STRING", Manner::SilentAfterRefusal, 2},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        FakeClipboardOwner owner(X11Desktop::display(), c.manner, "never sent");
        bool eventsWentOn = false;
        QTimer::singleShot(50, [&] { eventsWentOn = true; });

        const TimedRead read = timedRead();
        EXPECT_EQ(read.text, std::nullopt);
        EXPECT_LT(read.took, 1s);
        EXPECT_EQ(read.said, "framework: the clipboard's owner did not answer\n");
        EXPECT_TRUE(eventsWentOn) << "the event thread stood still while the owner was awaited";
        EXPECT_EQ(owner.requestsSeen(), c.requests);
    }
}

TEST(ClipboardOwnerTest, ATricklingOwnerIsGivenUpWhenTheWholeReadTakesTooLong)
{
    // 5 MB in 4 KB pieces, each well within the patience: 6 minutes.
    FakeClipboardOwner owner(X11Desktop::display(), Manner::Utf8, std::string(5 << 20, 'x'), 4096, 300ms);
    const TimedRead read = timedRead();
    EXPECT_EQ(read.text, std::nullopt);
    EXPECT_GE(read.took, 9s);
    EXPECT_LT(read.took, 12s);
    EXPECT_EQ(read.said, "framework: reading the clipboard was given up: its owner took more than 10 s\n");
}

TEST(ClipboardOwnerTest, NoMoreThan64MiBIsTaken)
{
    // Three-byte characters, so that the limit falls inside one.
    std::string huge;
    huge.reserve((65 << 20) + 16);
    while (huge.size() < (size_t{65} << 20))
        huge += "世界 ";
    FakeClipboardOwner owner(X11Desktop::display(), Manner::Utf8, huge, 1 << 20);
    const TimedRead read = timedRead();
    ASSERT_TRUE(read.text.has_value());
    EXPECT_EQ(read.said, "framework: the clipboard holds more than 64 MiB of text; the rest was left out\n");
    EXPECT_LE(read.text->size(), fw::ui::QtClipboard::kLargestText);
    EXPECT_GT(read.text->size(), fw::ui::QtClipboard::kLargestText - 4);
    EXPECT_TRUE(fw::text::isValidUtf8(*read.text)) << "cut inside a character";
    EXPECT_TRUE(huge.starts_with(*read.text));
}

TEST(ClipboardOwnerTest, NoOwnerMeansNoText)
{
    {
        FakeClipboardOwner gone(X11Desktop::display(), Manner::Utf8, "gone with its owner");
    }
    EXPECT_EQ(readClipboard(), std::nullopt);
}

TEST(ClipboardOwnerTest, TextThisProgramCopiedIsReadBack)
{
    // A window's events give the toolkit the server's time, which taking
    // the clipboard after another client's turn needs.
    QWidget window;
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    QGuiApplication::clipboard()->setText(QString::fromUtf8("copied here, 世界"));
    EXPECT_EQ(readClipboard(), "copied here, 世界");
}

// The presentation's own palette with one button and a Quit shortcut, its
// actions recorded, and its paints counted.
class WaitingPalette : public ::testing::Test, public QObject {
protected:
    static constexpr uint64_t kWindow = 9001, kButton = 9002, kFileMenu = 9003, kQuit = 9004;

    void SetUp() override
    {
        fw::ui::QtPresentation& presentation = X11Desktop::presentation();
        presentation.setUserActions(&actions_);
        fw::ui::WindowLook look{.title = "Palette", .width = 161, .height = 50, .frame = 7, .placement = 2};
        presentation.createWindow(kWindow, look);
        fw::ui::ControlLook button{
            .kind = fw::ui::ControlKind::PushButton, .name = "cmdStop", .width = 78, .height = 20, .caption = "Stop"};
        presentation.createControl(kWindow, kButton, button);
        presentation.setMenuBar(
            {fw::ui::MenuNode{.id = kFileMenu,
                              .text = "&File",
                              .children = {fw::ui::MenuNode{.id = kQuit, .text = "Quit", .shortcut = "Cmd+Q"}}}});
        presentation.showWindow(kWindow);
        window_ = findWindow();
        ASSERT_NE(window_, nullptr);
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window_));
        window_->installEventFilter(this);
    }
    void TearDown() override
    {
        window_->removeEventFilter(this);
        X11Desktop::presentation().destroyWindow(kWindow);
        X11Desktop::presentation().setMenuBar({});
        X11Desktop::presentation().setUserActions(nullptr);
        settle();
    }

    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            ++paints_;
        return false;
    }

    static QWidget* findWindow()
    {
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            if (widget->windowTitle() == "Palette")
                return widget;
        }
        return nullptr;
    }

    void xdotool(const std::string& arguments)
    {
        const std::string command = "xdotool " + arguments;
        ASSERT_EQ(std::system(command.c_str()), 0) << command;
    }

    RecordingActions actions_;
    QWidget* window_ = nullptr;
    int paints_ = 0;
};

TEST_F(WaitingPalette, StopQuitAndSignalsGiveUpATricklingReadAtOnce)
{
    const std::string id = std::to_string(window_->winId());
    const struct {
        const char* what;
        std::function<void()> act;
        const char* reason;
        std::function<bool(const RecordingActions&)> handled;
    } cases[] = {
        {"a click on a button", [&] { xdotool("mousemove --window " + id + " 39 10 click --delay 0 1"); },
         "the user did something else first",
         [](const RecordingActions& a) { return a.clicked == std::vector<uint64_t>{kButton}; }},
        {"Ctrl+Q", [&] { xdotool("windowfocus --sync " + id + " key --delay 0 ctrl+q"); },
         "the user did something else first",
         [](const RecordingActions& a) { return a.chosen == std::vector<uint64_t>{kQuit}; }},
        {"SIGTERM", [] { std::raise(SIGTERM); }, "the program was asked to end",
         [](const RecordingActions& a) { return a.endRequests == 1; }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        actions_ = RecordingActions{};
        FakeClipboardOwner owner(X11Desktop::display(), Manner::Utf8, std::string(5 << 20, 'x'), 4096, 300ms);
        Clock::time_point actedAt{};
        QTimer::singleShot(700, [&] {
            window_->update();
            paints_ = 0;
            actedAt = Clock::now();
            c.act();
        });
        const TimedRead read = timedRead();
        const auto afterAct = Clock::now() - actedAt;

        EXPECT_EQ(read.text, std::nullopt);
        EXPECT_LT(afterAct, 500ms) << "the read went on after the user acted";
        EXPECT_EQ(read.said, std::string("framework: reading the clipboard was given up: ") + c.reason + "\n");
        EXPECT_GT(paints_, 0) << "the window did not repaint while the owner was awaited";
        EXPECT_FALSE(c.handled(actions_)) << "the action was handled in the middle of reading the clipboard";
        settle();
        EXPECT_TRUE(c.handled(actions_)) << "the action was lost";
    }
}

} // namespace

int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    // Made only when tests run, so listing them needs no X server.
    ::testing::AddGlobalTestEnvironment(new X11Desktop);
    return RUN_ALL_TESTS();
}
