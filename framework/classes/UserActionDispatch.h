#pragma once
// Turns what the user did in the presentation into framework calls, each
// run through the exception helper.

#include "framework/runtime/Object.h"
#include "framework/ui/Presentation.h"

#include <unordered_map>

namespace fw {

class UserActionDispatch final : public ui::UserActions {
public:
    // The object shown under id; borrowed: it unregisters before it dies.
    void registerView(uint64_t id, Object* object) { views_[id] = object; }
    void unregisterView(uint64_t id) { views_.erase(id); }

    void pushButtonClicked(uint64_t controlId) override;
    void windowCloseRequested(uint64_t windowId) override;
    void menuItemChosen(uint64_t itemId) override;
    void textEdited(uint64_t controlId, const std::string& text) override;
    void endRequested() override;
    [[noreturn]] void displayLost(const std::string& display) override;

private:
    Object* find(uint64_t id) const;

    std::unordered_map<uint64_t, Object*> views_;
};

UserActionDispatch& userActionDispatch();

} // namespace fw
