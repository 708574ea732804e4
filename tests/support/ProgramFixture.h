#pragma once
// A fixture that drives the program's own code on the stand-in desktop and
// checks that every object it made is gone again afterwards.

#include "tests/support/FakeDesktop.h"

#include <gtest/gtest.h>

class ProgramFixture : public ::testing::Test {
protected:
    // Builds every class table once, before the first count is taken.
    static void SetUpTestSuite();
    void SetUp() override;
    void TearDown() override;

    // Installs the stand-ins, registers the classes and runs the start-up
    // routine; the main window is open afterwards.
    void startProgram(std::optional<std::string> clipboard = std::nullopt);
    // Runs the module finaliser and releases the services.
    void endProgram();

    FakePresentation& desktop() { return *fakeDesktop().presentation; }
    std::vector<SpokenText>& spoken() { return fakeDesktop().speech->spoken; }
    fw::Object* mainWindow();

private:
    int64_t objects_ = 0;
    int64_t strings_ = 0;
    bool running_ = false;
};
