#include "framework/platform/DesktopServices.h"

#include "framework/speech/SystemSpeech.h"
#include "framework/ui/qt/QtPresentation.h"

fw::DesktopServices fw::makeDesktopServices()
{
    auto presentation = std::make_unique<ui::QtPresentation>();
    return {std::move(presentation), speech::makeSystemSpeech()};
}
