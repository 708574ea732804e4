#pragma once
// TextArea: an editable, possibly multi-line text. The text lives here, in
// the model; the presentation mirrors it.

#include "framework/classes/RectControl.h"

#include <string>

namespace fw {

namespace TextArea {

// A text area's own properties, after those of every control.
inline constexpr PropertyRow kOwnProperties[] = {
    // name                        kind
    {"Border", ValueKind::Boolean},
    {"Multiline", ValueKind::Boolean},
    {"ScrollbarHorizontal", ValueKind::Boolean},
    {"ScrollbarVertical", ValueKind::Boolean},
    {"Styled", ValueKind::Boolean},
    {"UseFocusRing", ValueKind::Boolean},
    {"TextColor", ValueKind::Colour},
    {"BackColor", ValueKind::Colour},
    {"Format", ValueKind::Text},
    {"HideSelection", ValueKind::Boolean},
    {"TextFont", ValueKind::Text},
    {"Bold", ValueKind::Boolean},
    {"Italic", ValueKind::Boolean},
    {"Underline", ValueKind::Boolean},
    {"Text", ValueKind::Text},
    {"Mask", ValueKind::Text},
    {"ReadOnly", ValueKind::Boolean},
    {"LimitText", ValueKind::Int32},
    {"AcceptTabs", ValueKind::Boolean},
    {"Alignment", ValueKind::Int32},
    {"AutomaticallyCheckSpelling", ValueKind::Boolean},
    {"DataSource", ValueKind::Text},
    {"DataField", ValueKind::Text},
    {"TextUnit", ValueKind::Enum8},
    {"TextSize", ValueKind::Single},
    {"SelStart", ValueKind::Int32},
    {"SelLength", ValueKind::Int32},
};
inline constexpr PropertyTable kProperties{.own = kOwnProperties, .parent = &RectControl::kProperties};

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
