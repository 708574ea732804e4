#pragma once
// The fixture of the presentation's tests: the shared presentation, the
// actions it reports, and the looks of the program's two windows.

#include "framework/ui/qt/QtPresentation.h"
#include "tests/ui/qt/RecordingActions.h"

#include <QWidget>

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

class PresentationTest : public ::testing::Test {
protected:
    void SetUp() override;
    // Destroys the windows made with makeWindow and empties the menu.
    void TearDown() override;

    static fw::ui::QtPresentation& presentation();
    static fw::ui::WindowLook paletteLook(); // the floating 161x50 palette
    static fw::ui::WindowLook aboutLook();   // floating, with close and minimise boxes
    static fw::ui::ControlLook controlLook(fw::ui::ControlKind kind, const char* name, QRect area);
    static fw::ui::ControlLook buttonLook(const char* name, int left, int top);
    static fw::ui::ControlLook textAreaLook(const char* name, int left, int top);

    // Creates a window and returns its widget, found by its title.
    QWidget& makeWindow(uint64_t windowId, const fw::ui::WindowLook& look);
    template <typename Widget>
    static Widget& control(QWidget& window, const char* name)
    {
        auto* widget = window.findChild<Widget*>(name);
        if (!widget)
            throw std::runtime_error(std::string("no control ") + name);
        return *widget;
    }
    // Lets deleteLater and posted events happen.
    static void settle();

    RecordingActions actions;

private:
    std::vector<uint64_t> windowIds_;
};
