#include "framework/classes/TextArea.h"

#include "framework/classes/FontSettings.h"
#include "framework/classes/Services.h"
#include "framework/runtime/ClassDescription.h"

#include <algorithm>

namespace fw {

namespace {

struct TextAreaInstance : ControlInstance {
    using ControlInstance::ControlInstance;

    ui::ControlKind kind() const override { return ui::ControlKind::TextArea; }

    ui::ControlLook look() const override
    {
        ui::ControlLook look = ControlInstance::look();
        applyFontSettings(this, look);
        look.textColor = toRgb(colourProperty(this, "TextColor"));
        look.backColor = toRgb(colourProperty(this, "BackColor"));
        look.multiline = boolProperty(this, "Multiline");
        look.readOnly = boolProperty(this, "ReadOnly");
        look.border = boolProperty(this, "Border");
        look.textAlign = intProperty(this, "Alignment");
        return look;
    }

    void propertyChanged(uint32_t slot) override
    {
        if (slot == textSlot()) {
            if (view.bound() && !echoSuppressed)
                presentation().setControlText(view.id(), mirroredText());
            return;
        }
        ControlInstance::propertyChanged(slot);
    }

    void viewAttached() override { presentation().setControlText(view.id(), mirroredText()); }

    // The text for the presentation to read when it needs it: the string is
    // held, not copied, as it may be megabytes that nobody will see.
    ui::LazyText mirroredText() const
    {
        const StoredValue value = propertyValue(this, "Text");
        const auto* text = std::get_if<Ref<String>>(&value);
        if (!text || !*text)
            return ui::LazyText(std::string());
        return ui::LazyText([held = *text] { return std::string(held->view()); });
    }

    uint32_t textSlot() const { return propertySlot(classTable(), "Text"); }

    bool echoSuppressed = false;
};

void PasteOperation(Object* area) { TextArea::Paste(area); }

constexpr OperationRow kOperations[] = {
    // function, name, signature
    op<&PasteOperation>("Paste", "%%"),
};

constexpr Event kEvents[] = {Event::TextChange, Event::SelChange};

void setSelection(Object* area, size_t start, size_t length)
{
    setProperty(area, "SelStart", static_cast<int32_t>(std::min<size_t>(start, INT32_MAX)));
    setProperty(area, "SelLength", static_cast<int32_t>(std::min<size_t>(length, INT32_MAX)));
}

} // namespace

namespace TextArea {

const ClassTable* __Lookup()
{
    static const ClassTable* table = nullptr;
    return registerClass(table, {
                                    .name = "TextArea",
                                    .parent = RectControl::__Lookup,
                                    .instances = instancesOf<TextAreaInstance>,
                                    .operations = kOperations,
                                    .properties = kOwnProperties,
                                    .events = kEvents,
                                });
}

namespace Text {
Ref<String> Get(Object* area)
{
    const StoredValue value = propertyValue(area, "Text");
    const auto* text = std::get_if<Ref<String>>(&value);
    return text && *text ? *text : makeString("");
}

void Set(Object* area, int32_t, String* text)
{
    setProperty(area, "Text", text ? Ref<String>::retain(text) : makeString(""));
    setSelection(area, text ? text->bytes.size() : 0, 0);
}
} // namespace Text

void Paste(Object* area)
{
    std::optional<std::string> clipboard = presentation().clipboardText();
    if (!clipboard || clipboard->empty())
        return;
    const std::string_view old = textProperty(area, "Text");
    const size_t start = std::min<size_t>(static_cast<size_t>(std::max(intProperty(area, "SelStart"), 0)), old.size());
    const size_t length =
        std::min<size_t>(static_cast<size_t>(std::max(intProperty(area, "SelLength"), 0)), old.size() - start);
    const size_t pasted = clipboard->size();
    // Read pastes into an emptied area: the clipboard's text becomes the
    // text as it is, with no copy of what may be megabytes.
    std::string text;
    if (start == 0 && length == old.size()) {
        text = std::move(*clipboard);
    } else {
        text.reserve(old.size() - length + pasted);
        text.append(old.substr(0, start)).append(*clipboard).append(old.substr(start + length));
    }
    setProperty(area, "Text", Ref<String>::adopt(new String(std::move(text))));
    setSelection(area, start + pasted, 0);
}

namespace TextUnit {
void Set(Object* area, int32_t, uint8_t unit) { setProperty(area, "TextUnit", unit); }
} // namespace TextUnit

void userEdited(Object* area, const std::string& text)
{
    auto* self = static_cast<TextAreaInstance*>(area);
    self->echoSuppressed = true;
    setProperty(area, "Text", makeString(text));
    self->echoSuppressed = false;
    setSelection(area, text.size(), 0);
}

} // namespace TextArea

} // namespace fw
