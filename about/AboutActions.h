#pragma once
// Opening, hiding and speaking for the About window.

#include "framework/runtime/Object.h"

#include <string_view>

// The instructions that Listen To Instructions speaks.
inline constexpr std::string_view kInstructions =
    "Lirra Veriz is extremely easy to use.  Simply copy any text to clipboard and click the Reed button. Select "
    "the text and then click control C if you are using Windows, or Command C on a Mac. You can also access copy "
    "from any edit menu. To have lirra stop reading, click Stop.  To quit the application simply click Quit.";
static_assert(kInstructions.size() == 318);

namespace frmMain {
void cmdAbout_Action(fw::Object* window, fw::Object* button);
}

namespace frmAbout {
void cmdExit_Action(fw::Object* window, fw::Object* button);
void PushButton2_Action(fw::Object* window, fw::Object* button);
} // namespace frmAbout
