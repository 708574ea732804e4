// Decodes arbitrary bytes as a property list. Malformed input must end in a
// PropertyListError; anything else (a crash, a sanitizer report, or a broken
// invariant below) is a fault in the decoder.

#include "framework/runtime/PropertyListDecoder.h"
#include "tests/support/ListReceivers.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>
#include <variant>

namespace {

// Checks what every applied setting must satisfy, and counts the bytes its
// entry took, so that a list that decodes without error is known to have been
// read to its last byte.
struct Checker {
    std::string_view list;
    size_t consumed = 0;

    void require(bool condition) const
    {
        if (!condition)
            std::abort();
    }

    bool inside(std::string_view part) const
    {
        return part.data() >= list.data() && part.data() + part.size() <= list.data() + list.size();
    }

    void apply(std::string_view name, const fw::PropertyValue& value)
    {
        require(!name.empty() && name.find(' ') == std::string_view::npos && inside(name));
        require(receivedForm(name) == fw::formOf(value));
        size_t valueBytes = fw::valueKindInfo(fw::formOf(value)).fixedBytes;
        if (const auto* text = std::get_if<std::string_view>(&value)) {
            require(inside(*text));
            valueBytes += text->size();
        }
        consumed += name.size() + 1 + valueBytes;
    }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    Checker checker{.list = std::string_view(reinterpret_cast<const char*>(data), size)};
    try {
        fw::decodePropertyList(checker.list, receivedForm, [&](std::string_view name, const fw::PropertyValue& value) {
            checker.apply(name, value);
        });
        checker.require(checker.consumed == size);
    } catch (const fw::PropertyListError& error) {
        checker.require(error.offset <= size);
        // Formatting the message must cope with whatever bytes the setting holds.
        checker.require(!error.message().empty());
    }
    return 0;
}
