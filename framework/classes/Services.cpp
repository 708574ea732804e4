#include "framework/classes/Services.h"

#include "framework/classes/UserActionDispatch.h"
#include "framework/runtime/FatalError.h"

namespace fw {

namespace {
std::unique_ptr<ui::Presentation> thePresentation;
std::unique_ptr<speech::SpeechService> theSpeech;
uint64_t lastViewId = 0;
} // namespace

void installServices(std::unique_ptr<ui::Presentation> presentation, std::unique_ptr<speech::SpeechService> speech)
{
    thePresentation = std::move(presentation);
    theSpeech = std::move(speech);
    thePresentation->setUserActions(&userActionDispatch());
}

void releaseServices()
{
    releaseSpeech();
    if (thePresentation)
        thePresentation->setUserActions(nullptr);
    thePresentation.reset();
}

void releaseSpeech() { theSpeech.reset(); }

bool servicesInstalled() { return thePresentation != nullptr; }

ui::Presentation& presentation()
{
    if (!thePresentation)
        fatalError("no presentation installed");
    return *thePresentation;
}

speech::SpeechService& speechService()
{
    if (!theSpeech)
        fatalError("no speech service installed");
    return *theSpeech;
}

uint64_t newViewId() { return ++lastViewId; }

} // namespace fw
