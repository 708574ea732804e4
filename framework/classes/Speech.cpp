#include "framework/classes/Speech.h"

#include "framework/classes/Services.h"
#include "framework/runtime/Variant.h"

namespace fw {

void Speak(Object* text, bool interrupt)
{
    String* words = variantText(text);
    speechService().speak(words ? words->view() : std::string_view{}, interrupt);
}

} // namespace fw
