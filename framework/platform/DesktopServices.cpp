// The real desktop: Qt widgets on screen, espeak-ng speaking to the sound
// server.

#include "framework/classes/Runtime.h"
#include "framework/ui/qt/QtPresentation.h"

fw::DesktopServices fw::makeDesktopServices()
{
    auto presentation = std::make_unique<ui::QtPresentation>();
    return {std::move(presentation), speech::makeSystemSpeech()};
}
