#pragma once
// Records every user action the presentation reports.

#include "framework/ui/Presentation.h"

#include <functional>
#include <string>
#include <utility>
#include <vector>

class RecordingActions : public fw::ui::UserActions {
public:
    void pushButtonClicked(uint64_t controlId) override { clicked.push_back(controlId); }
    void windowCloseRequested(uint64_t windowId) override
    {
        closeRequested.push_back(windowId);
        if (onCloseRequested)
            onCloseRequested(windowId);
    }
    void menuItemChosen(uint64_t itemId) override
    {
        chosen.push_back(itemId);
        if (onMenuItemChosen)
            onMenuItemChosen(itemId);
    }
    void textEdited(uint64_t controlId, const std::string& text) override { edits.emplace_back(controlId, text); }
    void endRequested() override
    {
        ++endRequests;
        if (onEndRequested)
            onEndRequested();
    }

    void displayLost(const std::string& display) override { lostDisplays.push_back(display); }

    std::vector<uint64_t> clicked, closeRequested, chosen;
    std::vector<std::pair<uint64_t, std::string>> edits;
    int endRequests = 0;
    std::vector<std::string> lostDisplays;
    // What the framework does next.
    std::function<void(uint64_t windowId)> onCloseRequested;
    std::function<void(uint64_t itemId)> onMenuItemChosen;
    std::function<void()> onEndRequested;
};
