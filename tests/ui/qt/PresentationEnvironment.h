#pragma once
// Owns the one QtPresentation (and so the one QApplication) of the test run.

#include "framework/ui/qt/QtPresentation.h"

#include <gtest/gtest.h>

#include <memory>

class PresentationEnvironment : public ::testing::Environment {
public:
    void SetUp() override;
    void TearDown() override;

    static fw::ui::QtPresentation& presentation();

private:
    static std::unique_ptr<fw::ui::QtPresentation> presentation_;
};
