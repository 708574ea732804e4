#include "glue/ConstantString.h"

#include <map>

fw::String* constantString(std::string_view text)
{
    // Keyed by the constant's own storage: each constant is one string.
    static std::map<const char*, fw::Ref<fw::String>> strings;
    fw::Ref<fw::String>& slot = strings[text.data()];
    if (!slot || slot->view().size() != text.size())
        slot = fw::makeString(text);
    return slot.get();
}
