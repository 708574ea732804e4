// The clipboard as read on a real X server, with another client owning it.

#include "framework/ui/qt/QtPresentation.h"
#include "tests/ui/x11/FakeClipboardOwner.h"
#include "tests/ui/x11/XvfbDisplay.h"

#include <QClipboard>
#include <QEventLoop>
#include <QGuiApplication>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QWidget>

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <memory>
#include <optional>
#include <string>

namespace {

using Manner = FakeClipboardOwner::Manner;

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

std::optional<std::string> readClipboard()
{
    return X11Desktop::presentation().clipboardText();
}

TEST(ClipboardOwnerTest, AnOwnerThatNeverAnswersCostsUnderASecondAndOneLine)
{
    FakeClipboardOwner owner(X11Desktop::display(), Manner::Silent, "never sent");
    bool eventsWentOn = false;
    QTimer::singleShot(50, [&] { eventsWentOn = true; });

    testing::internal::CaptureStderr();
    const auto start = std::chrono::steady_clock::now();
    const std::optional<std::string> text = readClipboard();
    const auto waited = std::chrono::steady_clock::now() - start;
    const std::string said = testing::internal::GetCapturedStderr();

    EXPECT_EQ(text, std::nullopt);
    EXPECT_LT(waited, std::chrono::seconds(1));
    EXPECT_EQ(said, "framework: the clipboard's owner did not answer\n");
    EXPECT_TRUE(eventsWentOn) << "the event thread stood still while the owner was awaited";
    EXPECT_EQ(owner.requestsSeen(), 1);
}

// Clicks the middle of a widget as the user would, through the X server's
// test extension.
void clickOn(QWidget& widget)
{
    const std::string command = "xdotool mousemove --window " + std::to_string(widget.winId()) + " " +
                                std::to_string(widget.width() / 2) + " " + std::to_string(widget.height() / 2) +
                                " click --delay 0 1";
    ASSERT_EQ(std::system(command.c_str()), 0);
}

TEST(ClipboardOwnerTest, AClickWhileTheOwnerIsAwaitedIsHandledAfterwards)
{
    QPushButton button("Stop");
    int clicks = 0;
    QObject::connect(&button, &QPushButton::clicked, [&] { ++clicks; });
    button.setGeometry(0, 0, 80, 30);
    button.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&button));

    FakeClipboardOwner owner(X11Desktop::display(), Manner::Silent, "never sent");
    QTimer::singleShot(50, [&] { clickOn(button); });
    testing::internal::CaptureStderr();
    EXPECT_EQ(readClipboard(), std::nullopt);
    testing::internal::GetCapturedStderr();
    EXPECT_EQ(clicks, 0) << "the click was handled in the middle of reading the clipboard";

    // Nothing else comes from the X server now: the click must not wait for it.
    QEventLoop idle;
    QTimer::singleShot(300, &idle, &QEventLoop::quit);
    idle.exec();
    EXPECT_EQ(clicks, 1);
}

TEST(ClipboardOwnerTest, TheOwnersTextArrivesWhole)
{
    const std::string tenMegabytes = [] {
        std::string text;
        while (text.size() < 10 * 1024 * 1024)
            text += "Zeile " + std::to_string(text.size()) + ": Grüße, 世界.\n";
        return text;
    }();
    const struct {
        const char* what;
        Manner manner;
        std::string offered;
        std::string expected;
    } cases[] = {
        {"UTF-8 in one piece", Manner::Utf8, "Grüße, 世界\nzweite Zeile", "Grüße, 世界\nzweite Zeile"},
        {"10 MB in pieces", Manner::Utf8, tenMegabytes, tenMegabytes},
        {"one trailing NUL dropped", Manner::Utf8, std::string("text\0", 5), "text"},
        {"bytes that are not UTF-8 replaced", Manner::Utf8,
         "a\xff"
         "b\xe4",
         "a\uFFFD"
         "b\uFFFD"},
        {"Latin-1 only", Manner::Latin1,
         "Gr\xfc\xdf"
         "e",
         "Grüße"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        FakeClipboardOwner owner(X11Desktop::display(), c.manner, c.offered);
        testing::internal::CaptureStderr();
        const std::optional<std::string> text = readClipboard();
        EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
        ASSERT_TRUE(text.has_value());
        EXPECT_EQ(text->size(), c.expected.size());
        EXPECT_TRUE(*text == c.expected);
    }
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

} // namespace

int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    // Made only when tests run, so listing them needs no X server.
    ::testing::AddGlobalTestEnvironment(new X11Desktop);
    return RUN_ALL_TESTS();
}
