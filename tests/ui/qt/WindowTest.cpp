#include "tests/ui/qt/PresentationTest.h"

#include <QGuiApplication>
#include <QPointer>
#include <QScreen>
#include <QTest>

namespace {

using WindowTest = PresentationTest;

constexpr Qt::WindowFlags boxHints =
    Qt::WindowCloseButtonHint | Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint;

TEST_F(WindowTest, PaletteFloatsWithoutBoxesAtItsFixedSizeAndColour)
{
    QWidget& window = makeWindow(1, paletteLook());

    EXPECT_TRUE(window.isWindow());
    EXPECT_EQ(window.windowType(), Qt::Tool);
    EXPECT_TRUE(window.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_EQ(window.windowFlags() & boxHints, Qt::WindowFlags());
    EXPECT_EQ(window.size(), QSize(161, 50));
    EXPECT_EQ(window.minimumSize(), QSize(161, 50));
    EXPECT_EQ(window.maximumSize(), QSize(161, 50));
    EXPECT_FALSE(window.isVisible()); // until the framework shows it

    // A point between the four buttons shows the window's own colour.
    presentation().createControl(1, 10, buttonLook("cmdRead", 2, 2));
    presentation().createControl(1, 11, buttonLook("cmdAbout", 2, 26));
    const QImage shot = window.grab().toImage();
    EXPECT_EQ(shot.pixelColor(81, 24), QColor(0x00, 0x80, 0xFF));
    EXPECT_EQ(shot.pixelColor(160, 49), QColor(0x00, 0x80, 0xFF));
}

TEST_F(WindowTest, HasExactlyTheBoxesTheLookAsksFor)
{
    QWidget& about = makeWindow(1, aboutLook());
    EXPECT_EQ(about.windowFlags() & boxHints, Qt::WindowCloseButtonHint | Qt::WindowMinimizeButtonHint);
    EXPECT_EQ(about.size(), QSize(601, 555));
    EXPECT_EQ(about.minimumSize(), about.maximumSize());

    // Changing the boxes of a shown window keeps it shown.
    presentation().showWindow(1);
    fw::ui::WindowLook look = aboutLook();
    look.maximizeButton = true;
    look.resizeable = true;
    presentation().updateWindow(1, look);
    EXPECT_TRUE(about.windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
    EXPECT_TRUE(about.isVisible());
    EXPECT_NE(about.minimumSize(), about.maximumSize());
}

TEST_F(WindowTest, OrdinaryFrameIsAnOrdinaryWindow)
{
    fw::ui::WindowLook look = aboutLook();
    look.frame = 0;
    QWidget& window = makeWindow(1, look);
    EXPECT_EQ(window.windowType(), Qt::Window);
    EXPECT_FALSE(window.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
}

TEST_F(WindowTest, WithoutBackColourShowsTheStandardBackground)
{
    QWidget& window = makeWindow(1, aboutLook());
    EXPECT_EQ(window.grab().toImage().pixelColor(300, 300), QPalette().color(QPalette::Window));
}

TEST_F(WindowTest, CentredPlacementCentresOnThePrimaryScreen)
{
    QWidget& window = makeWindow(1, paletteLook());
    presentation().showWindow(1);
    const QPoint screenCentre = QGuiApplication::primaryScreen()->availableGeometry().center();
    EXPECT_LE((window.geometry().center() - screenCentre).manhattanLength(), 2);
}

TEST_F(WindowTest, ShowingAMinimisedWindowBringsItBackActive)
{
    QWidget& about = makeWindow(7, aboutLook());
    presentation().showWindow(7);
    about.showMinimized();
    settle();
    ASSERT_TRUE(about.isMinimized());

    presentation().showWindow(7);
    settle();
    EXPECT_FALSE(about.isMinimized());
    EXPECT_TRUE(about.isVisible());
    // On an X server the activation is the server's to confirm, a moment later.
    EXPECT_TRUE(QTest::qWaitForWindowActive(&about));
}

TEST_F(WindowTest, CloseBoxOnlyAsksTheFramework)
{
    QWidget& window = makeWindow(7, aboutLook());
    presentation().showWindow(7);

    EXPECT_FALSE(window.close());
    EXPECT_EQ(actions.closeRequested, std::vector<uint64_t>{7});
    EXPECT_TRUE(window.isVisible());
}

TEST_F(WindowTest, FrameworkMayDestroyTheWindowWhileItAsksToClose)
{
    QPointer<QWidget> window = &makeWindow(7, aboutLook());
    presentation().createControl(7, 70, buttonLook("cmdExit", 10, 10));
    presentation().showWindow(7);
    actions.onCloseRequested = [](uint64_t windowId) { presentation().destroyWindow(windowId); };

    window->close();
    ASSERT_TRUE(window); // deleted only once events run again
    EXPECT_FALSE(window->isVisible());
    settle();
    EXPECT_FALSE(window);

    // Its controls went with it.
    presentation().updateControl(70, buttonLook("cmdExit", 20, 20));
    presentation().setControlText(70, "gone");
}

} // namespace
