#include "tests/ui/qt/PresentationTest.h"

#include "tests/ui/qt/PresentationEnvironment.h"

#include <QApplication>

void PresentationTest::SetUp() { presentation().setUserActions(&actions); }

void PresentationTest::TearDown()
{
    for (uint64_t windowId : windowIds_)
        presentation().destroyWindow(windowId);
    presentation().setMenuBar({});
    presentation().setUserActions(nullptr);
    settle();
}

fw::ui::QtPresentation& PresentationTest::presentation() { return PresentationEnvironment::presentation(); }

fw::ui::WindowLook PresentationTest::paletteLook()
{
    fw::ui::WindowLook look;
    look.title = "Tarvenholt Lirra Veriz 5.0";
    look.width = 161;
    look.height = 50;
    look.frame = 7;
    look.placement = 2;
    look.hasBackColor = true;
    look.backColor = {.red = 0x00, .green = 0x80, .blue = 0xFF};
    return look;
}

fw::ui::WindowLook PresentationTest::aboutLook()
{
    fw::ui::WindowLook look = paletteLook();
    look.title = "About Lirra Veriz 5.0";
    look.width = 601;
    look.height = 555;
    look.hasBackColor = false;
    look.backColor = {.red = 0xFF, .green = 0xFF, .blue = 0xFF};
    look.closeButton = true;
    look.minimizeButton = true;
    return look;
}

fw::ui::ControlLook PresentationTest::controlLook(fw::ui::ControlKind kind, const char* name, QRect area)
{
    fw::ui::ControlLook look;
    look.kind = kind;
    look.name = name;
    look.left = area.left();
    look.top = area.top();
    look.width = area.width();
    look.height = area.height();
    look.fontName = "System";
    return look;
}

fw::ui::ControlLook PresentationTest::buttonLook(const char* name, int left, int top)
{
    fw::ui::ControlLook look = controlLook(fw::ui::ControlKind::PushButton, name, QRect(left, top, 78, 20));
    look.caption = name;
    return look;
}

fw::ui::ControlLook PresentationTest::textAreaLook(const char* name, int left, int top)
{
    fw::ui::ControlLook look = controlLook(fw::ui::ControlKind::TextArea, name, QRect(left, top, 329, 376));
    look.textColor = fw::ui::Rgb{};
    look.backColor = fw::ui::Rgb{.red = 255, .green = 255, .blue = 255};
    look.multiline = true;
    look.border = true;
    return look;
}

QWidget& PresentationTest::makeWindow(uint64_t windowId, const fw::ui::WindowLook& look)
{
    presentation().createWindow(windowId, look);
    windowIds_.push_back(windowId);
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (widget->windowTitle() == QString::fromStdString(look.title))
            return *widget;
    }
    throw std::runtime_error("no window titled " + look.title);
}

void PresentationTest::settle()
{
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}
