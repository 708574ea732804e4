#pragma once
// TextArea: an editable, possibly multi-line text. The text lives here, in
// the model; the presentation mirrors it.

#include "framework/classes/RectControl.h"

#include <string>

namespace fw {

namespace TextArea {

const ClassTable* __Lookup();

namespace Text {
// The whole text, a new reference.
Ref<String> Get(Object* area);
void Set(Object* area, int32_t, String* text);
} // namespace Text

// Inserts the clipboard's text at the insertion point, replacing the
// selection; inserts nothing when the clipboard holds no text.
void Paste(Object* area);

namespace TextUnit {
void Set(Object* area, int32_t, uint8_t unit);
}

// The user changed the text in the presentation.
void userEdited(Object* area, const std::string& text);

} // namespace TextArea

} // namespace fw
