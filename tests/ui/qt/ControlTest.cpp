#include "tests/ui/qt/PresentationTest.h"

#include <QApplication>
#include <QBuffer>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

#include <algorithm>
#include <set>

namespace {

using ControlTest = PresentationTest;

TEST_F(ControlTest, ButtonClickIsReportedOnce)
{
    QWidget& window = makeWindow(1, paletteLook());
    presentation().createControl(1, 10, buttonLook("cmdRead", 2, 2));
    presentation().createControl(1, 11, buttonLook("cmdStop", 83, 2));
    presentation().showWindow(1);

    auto& read = control<QPushButton>(window, "cmdRead");
    EXPECT_EQ(read.geometry(), QRect(2, 2, 78, 20));
    QTest::mouseClick(&read, Qt::LeftButton);
    EXPECT_EQ(actions.clicked, std::vector<uint64_t>{10});
}

TEST_F(ControlTest, ButtonCaptionShowsAmpersandsAsWritten)
{
    QWidget& window = makeWindow(1, paletteLook());
    fw::ui::ControlLook look = buttonLook("cmdRead", 2, 2);
    look.caption = "Read & Speak";
    presentation().createControl(1, 10, look);
    EXPECT_EQ(control<QPushButton>(window, "cmdRead").text(), "Read && Speak");
}

TEST_F(ControlTest, TypingIsReportedButMirroredTextIsNot)
{
    QWidget& window = makeWindow(1, paletteLook());
    presentation().createControl(1, 20, textAreaLook("txtRead", 0, 0));
    presentation().showWindow(1);
    auto& area = control<QPlainTextEdit>(window, "txtRead");

    presentation().setControlText(20, "mirrored");
    EXPECT_EQ(area.toPlainText(), "mirrored");
    EXPECT_TRUE(actions.edits.empty());

    area.moveCursor(QTextCursor::End);
    QTest::keyClick(&area, Qt::Key_S);
    ASSERT_FALSE(actions.edits.empty());
    EXPECT_EQ(actions.edits.back(), (std::pair<uint64_t, std::string>(20, "mirroreds")));
}

TEST_F(ControlTest, TextOfAnAreaOutsideItsWindowWaitsUntilTheAreaOverlapsIt)
{
    QWidget& window = makeWindow(1, paletteLook());
    presentation().createControl(1, 20, textAreaLook("txtRead", 14, 65)); // below the 50-high window
    auto& area = control<QPlainTextEdit>(window, "txtRead");

    // The megabytes of a clipboard are not even read while nobody sees them.
    int reads = 0;
    const auto clipboard = [&reads] {
        ++reads;
        return std::string(10 * 1024 * 1024, 'x');
    };
    presentation().setControlText(20, fw::ui::LazyText(clipboard));
    EXPECT_TRUE(area.document()->isEmpty());
    EXPECT_EQ(reads, 0);
    EXPECT_EQ(area.focusPolicy(), Qt::NoFocus); // no key may edit what nobody sees

    // Only the newest mirrored text counts once the area comes into view.
    int newestReads = 0;
    presentation().setControlText(20, fw::ui::LazyText([&newestReads] {
                                      ++newestReads;
                                      return std::string("newest");
                                  }));
    presentation().updateControl(20, textAreaLook("txtRead", 14, 30));
    EXPECT_EQ(area.toPlainText(), "newest");
    EXPECT_EQ(reads, 0);
    EXPECT_EQ(newestReads, 1);
    EXPECT_TRUE(actions.edits.empty());
    EXPECT_NE(area.focusPolicy(), Qt::NoFocus);
}

TEST_F(ControlTest, TabNeverReachesControlsOutsideTheWindow)
{
    // The palette's layout: four buttons in view, a button to the right, a
    // text area and a button below the window.
    QWidget& window = makeWindow(1, paletteLook());
    presentation().createControl(1, 10, buttonLook("cmdRead", 2, 2));
    presentation().createControl(1, 11, buttonLook("cmdStop", 83, 2));
    presentation().createControl(1, 12, buttonLook("cmdClose", 83, 26));
    presentation().createControl(1, 13, buttonLook("cmdAbout", 2, 26));
    presentation().createControl(1, 14, buttonLook("cmdDoit", 180, 6));
    presentation().createControl(1, 20, textAreaLook("txtRead", 14, 65));
    presentation().createControl(1, 15, buttonLook("PushButton1", 364, 65));
    presentation().showWindow(1);
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    control<QPushButton>(window, "cmdRead").setFocus();
    settle();

    std::set<std::string> focused;
    for (int press = 0; press < 12; ++press) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        ASSERT_NE(QApplication::focusWidget(), nullptr);
        focused.insert(QApplication::focusWidget()->objectName().toStdString());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
    }
    EXPECT_EQ(focused, (std::set<std::string>{"cmdRead", "cmdStop", "cmdClose", "cmdAbout"}));
    EXPECT_EQ(std::count(actions.clicked.begin(), actions.clicked.end(), 14), 0) << "Space pushed cmdDoit";
    EXPECT_EQ(std::count(actions.clicked.begin(), actions.clicked.end(), 15), 0) << "Space pushed PushButton1";

    // A button that moves into view takes the focus again, and one that
    // moves out loses it.
    presentation().updateControl(14, buttonLook("cmdDoit", 40, 14));
    EXPECT_NE(control<QPushButton>(window, "cmdDoit").focusPolicy(), Qt::NoFocus);
    control<QPushButton>(window, "cmdRead").setFocus();
    presentation().updateControl(10, buttonLook("cmdRead", 2, 80));
    EXPECT_FALSE(control<QPushButton>(window, "cmdRead").hasFocus());
}

TEST_F(ControlTest, WindowGrowingOverAWaitingAreaShowsItsText)
{
    QWidget& window = makeWindow(1, paletteLook());
    presentation().createControl(1, 10, buttonLook("cmdRead", 2, 2)); // takes the focus on show
    presentation().createControl(1, 20, textAreaLook("txtRead", 14, 65));
    auto& area = control<QPlainTextEdit>(window, "txtRead");
    presentation().setControlText(20, "waiting");

    fw::ui::WindowLook look = paletteLook();
    look.height = 100;
    presentation().updateWindow(1, look);
    presentation().showWindow(1);
    settle();
    ASSERT_NE(QApplication::focusWidget(), &area);
    EXPECT_EQ(area.toPlainText(), "waiting");
}

TEST_F(ControlTest, LabelsCoverTheWindowBackgroundWithTheirOwnColours)
{
    QWidget& window = makeWindow(1, paletteLook());
    fw::ui::ControlLook look = controlLook(fw::ui::ControlKind::Label, "Label1", QRect(10, 5, 140, 40));
    look.caption = "Tarvenholt & Co";
    look.textSize = 20;
    look.bold = true;
    look.textColor = fw::ui::Rgb{.red = 255};
    look.textAlign = 2;
    presentation().createControl(1, 30, look);
    auto& label = control<QLabel>(window, "Label1");
    EXPECT_EQ(label.text(), "Tarvenholt & Co");
    EXPECT_EQ(label.font().pixelSize(), 20) << "laid-out sizes are drawn in pixels";
    EXPECT_TRUE(label.font().bold());
    EXPECT_EQ(label.font().family(), QApplication::font().family());
    EXPECT_EQ(label.alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);

    const QImage shot = window.grab().toImage();
    EXPECT_EQ(shot.pixelColor(11, 44), QColor(0x00, 0x80, 0xFF)); // filled with the window's colour
    bool hasRed = false;
    for (int y = 5; y < 45; ++y) {
        for (int x = 10; x < 150; ++x)
            hasRed = hasRed || shot.pixelColor(x, y).red() > 200;
    }
    EXPECT_TRUE(hasRed);
}

TEST_F(ControlTest, CanvasDrawsItsBackdropFromTheTopLeft)
{
    QImage red(4, 3, QImage::Format_RGB32);
    red.fill(Qt::red);
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    red.save(&buffer, "PNG");
    std::string error;
    const auto backdrop = presentation().decodeImage({png.begin(), png.end()}, error);
    ASSERT_TRUE(backdrop) << error;

    QWidget& window = makeWindow(1, paletteLook());
    fw::ui::ControlLook look = controlLook(fw::ui::ControlKind::Canvas, "Canvas1", QRect(20, 10, 10, 10));
    look.backdrop = backdrop;
    presentation().createControl(1, 40, look);
    const QImage shot = window.grab().toImage();
    EXPECT_EQ(shot.pixelColor(20, 10), QColor(Qt::red));
    EXPECT_EQ(shot.pixelColor(23, 12), QColor(Qt::red));
    EXPECT_EQ(shot.pixelColor(24, 10), QColor(0x00, 0x80, 0xFF));
    EXPECT_EQ(shot.pixelColor(20, 13), QColor(0x00, 0x80, 0xFF));
}

TEST_F(ControlTest, DestroyedControlIsGoneAndItsIdForgotten)
{
    QWidget& window = makeWindow(1, paletteLook());
    presentation().createControl(1, 10, buttonLook("cmdRead", 2, 2));
    presentation().destroyControl(10);
    settle();
    EXPECT_EQ(window.findChild<QPushButton*>("cmdRead"), nullptr);
    presentation().updateControl(10, buttonLook("cmdRead", 2, 2));
}

} // namespace
