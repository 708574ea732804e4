#pragma once
// The desktop services that the framework's classes present themselves
// through: the presentation (windows, controls, menus, clipboard, event
// loop) and the speech service. The program start installs the real ones;
// tests install their own.

#include "framework/speech/SpeechService.h"
#include "framework/ui/Presentation.h"

#include <memory>

namespace fw {

void installServices(std::unique_ptr<ui::Presentation> presentation, std::unique_ptr<speech::SpeechService> speech);
// Destroys both services; speech first, so nothing speaks once the desktop is gone.
void releaseServices();
// Destroys the speech service alone: speech stops, its threads are joined.
void releaseSpeech();
bool servicesInstalled();

ui::Presentation& presentation();
speech::SpeechService& speechService();

// A fresh id for a window, control or menu node on the presentation.
uint64_t newViewId();

} // namespace fw
