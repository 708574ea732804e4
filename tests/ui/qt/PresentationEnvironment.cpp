#include "tests/ui/qt/PresentationEnvironment.h"

#include <cstdlib>

std::unique_ptr<fw::ui::QtPresentation> PresentationEnvironment::presentation_;

void PresentationEnvironment::SetUp()
{
    // A death test's child runs beside its parent, whose presentation holds
    // the program's one instance on the X display: a second would end there
    // and then. The child's presentation has no display.
    if (!GTEST_FLAG_GET(internal_run_death_test).empty())
        ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
    presentation_ = std::make_unique<fw::ui::QtPresentation>();
}

void PresentationEnvironment::TearDown() { presentation_.reset(); }

fw::ui::QtPresentation& PresentationEnvironment::presentation() { return *presentation_; }
