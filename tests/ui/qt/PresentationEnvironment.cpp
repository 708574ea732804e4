#include "tests/ui/qt/PresentationEnvironment.h"

std::unique_ptr<fw::ui::QtPresentation> PresentationEnvironment::presentation_;

void PresentationEnvironment::SetUp()
{
    presentation_ = std::make_unique<fw::ui::QtPresentation>();
}

void PresentationEnvironment::TearDown()
{
    presentation_.reset();
}

fw::ui::QtPresentation& PresentationEnvironment::presentation()
{
    return *presentation_;
}
