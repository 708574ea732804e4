#include "framework/runtime/PropertyListDecoder.h"
#include "framework/runtime/PropertyListEncoder.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <limits>
#include <optional>
#include <ostream>
#include <span>
#include <string>
#include <string_view>
#include <type_traits>
#include <variant>
#include <vector>

using namespace std::string_view_literals;

namespace fw {

// Shows settings readably when a comparison fails.
void PrintTo(const Setting& setting, std::ostream* out)
{
    *out << setting.name << " = ";
    std::visit(
        [out](const auto& value) {
            using Value = std::decay_t<decltype(value)>;
            if constexpr (std::is_same_v<Value, Colour>)
                *out << "rgb(" << int(value.red) << ", " << int(value.green) << ", " << int(value.blue) << ")";
            else
                *out << testing::PrintToString(value);
        },
        setting.value);
}

} // namespace fw

namespace {

// The class that receives the lists below: it takes every setting they name.
constexpr fw::PropertyRow kReceiverRows[] = {
    // name, kind
    {"Placement", fw::ValueKind::Int32},
    {"Width", fw::ValueKind::Int32},
    {"Height", fw::ValueKind::Int32},
    {"MinWidth", fw::ValueKind::Int32},
    {"MinHeight", fw::ValueKind::Int32},
    {"MaxWidth", fw::ValueKind::Int32},
    {"MaxHeight", fw::ValueKind::Int32},
    {"Frame", fw::ValueKind::Int32},
    {"MacProcID", fw::ValueKind::Int32},
    {"Index", fw::ValueKind::Int32},
    {"Left", fw::ValueKind::Int32},
    {"Top", fw::ValueKind::Int32},
    {"TabIndex", fw::ValueKind::Int32},
    {"LimitText", fw::ValueKind::Int32},
    {"Composite", fw::ValueKind::Boolean},
    {"HasBackColor", fw::ValueKind::Boolean},
    {"Visible", fw::ValueKind::Boolean},
    {"FullScreen", fw::ValueKind::Boolean},
    {"MenuBarVisible", fw::ValueKind::Boolean},
    {"CloseButton", fw::ValueKind::Boolean},
    {"Resizeable", fw::ValueKind::Boolean},
    {"LiveResize", fw::ValueKind::Boolean},
    {"MaximizeButton", fw::ValueKind::Boolean},
    {"MinimizeButton", fw::ValueKind::Boolean},
    {"LockRight", fw::ValueKind::Boolean},
    {"Bold", fw::ValueKind::Boolean},
    {"Italic", fw::ValueKind::Boolean},
    {"Multiline", fw::ValueKind::Boolean},
    {"AutomaticallyCheckSpelling", fw::ValueKind::Boolean},
    {"BackColor", fw::ValueKind::Colour},
    {"TextColor", fw::ValueKind::Colour},
    {"Title", fw::ValueKind::Text},
    {"Caption", fw::ValueKind::Text},
    {"Text", fw::ValueKind::Text},
    {"TextFont", fw::ValueKind::Text},
    {"InitialParent", fw::ValueKind::Text},
    {"DataField", fw::ValueKind::Text},
};
constexpr fw::PropertyTable kReceiver{.own = kReceiverRows};

constexpr fw::Setting kMainWindowSettings[] = {
    fw::setting("Placement", 2),
    fw::setting("Width", 161),
    fw::setting("Height", 50),
    fw::setting("MinWidth", 64),
    fw::setting("MinHeight", 64),
    fw::setting("MaxWidth", 32000),
    fw::setting("MaxHeight", 32000),
    fw::setting("Frame", 7),
    fw::setting("Composite", true),
    fw::setting("HasBackColor", true),
    fw::setting("BackColor", fw::Colour{0x00, 0x80, 0xFF}),
    fw::setting("Title", "Tarvenholt Lirra Veriz 5.0"),
    fw::setting("Visible", true),
    fw::setting("FullScreen", false),
    fw::setting("MenuBarVisible", false),
    fw::setting("CloseButton", false),
    fw::setting("Resizeable", false),
    fw::setting("LiveResize", false),
    fw::setting("MaximizeButton", false),
    fw::setting("MinimizeButton", false),
    fw::setting("MacProcID", 0),
};
constexpr auto kMainWindowList = fw::encodePropertyList<kReceiver, kMainWindowSettings>();
static_assert(kMainWindowList.size() == 293);

constexpr std::string_view kMainWindowBytes = "Placement \x00\x00\x00\x02"
                                              "Width \x00\x00\x00\xA1"
                                              "Height \x00\x00\x00\x32"
                                              "MinWidth \x00\x00\x00\x40"
                                              "MinHeight \x00\x00\x00\x40"
                                              "MaxWidth \x00\x00\x7D\x00"
                                              "MaxHeight \x00\x00\x7D\x00"
                                              "Frame \x00\x00\x00\x07"
                                              "Composite \x01"
                                              "HasBackColor \x01"
                                              "BackColor \x00\x80\xFF"
                                              "Title \x00\x00\x00\x1A"
                                              "Tarvenholt Lirra Veriz 5.0"
                                              "Visible \x01"
                                              "FullScreen \x00"
                                              "MenuBarVisible \x00"
                                              "CloseButton \x00"
                                              "Resizeable \x00"
                                              "LiveResize \x00"
                                              "MaximizeButton \x00"
                                              "MinimizeButton \x00"
                                              "MacProcID \x00\x00\x00\x00"sv;

constexpr fw::Setting kAboutWindowSettings[] = {
    fw::setting("Placement", 2),
    fw::setting("Width", 601),
    fw::setting("Height", 555),
    fw::setting("MinWidth", 64),
    fw::setting("MinHeight", 64),
    fw::setting("MaxWidth", 32000),
    fw::setting("MaxHeight", 32000),
    fw::setting("Frame", 7),
    fw::setting("Composite", true),
    fw::setting("HasBackColor", false),
    fw::setting("BackColor", fw::Colour{0xFF, 0xFF, 0xFF}),
    fw::setting("Title", "About Lirra Veriz 5.0"),
    fw::setting("Visible", true),
    fw::setting("FullScreen", false),
    fw::setting("MenuBarVisible", false),
    fw::setting("CloseButton", true),
    fw::setting("Resizeable", false),
    fw::setting("LiveResize", false),
    fw::setting("MaximizeButton", false),
    fw::setting("MinimizeButton", true),
    fw::setting("MacProcID", 0),
};
constexpr auto kAboutWindowList = fw::encodePropertyList<kReceiver, kAboutWindowSettings>();
static_assert(kAboutWindowList.size() == 288);

// Each form at its edges: the int32 extremes, value bytes that are blanks,
// an empty text, and a text holding a blank and a multi-byte character.
constexpr fw::Setting kEdgeSettings[] = {
    fw::setting("Left", std::numeric_limits<int32_t>::min()),
    fw::setting("Top", -1),
    fw::setting("TabIndex", std::numeric_limits<int32_t>::max()),
    fw::setting("Width", 0x20202020),
    fw::setting("Bold", true),
    fw::setting("Italic", false),
    fw::setting("TextColor", fw::Colour{0xFF, 0x00, 0x20}),
    fw::setting("Caption", ""),
    fw::setting("Text", "A b\xC3\xA9"),
};
constexpr auto kEdgeList = fw::encodePropertyList<kReceiver, kEdgeSettings>();

constexpr std::string_view kEdgeBytes = "Left \x80\x00\x00\x00"
                                        "Top \xFF\xFF\xFF\xFF"
                                        "TabIndex \x7F\xFF\xFF\xFF"
                                        "Width \x20\x20\x20\x20"
                                        "Bold \x01"
                                        "Italic \x00"
                                        "TextColor \xFF\x00\x20"
                                        "Caption \x00\x00\x00\x00"
                                        "Text \x00\x00\x00\x05"
                                        "A b\xC3\xA9"sv;

constexpr fw::Setting kTextFieldSettings[] = {
    fw::setting("Index", -2147483648LL),
    fw::setting("Left", 20),
    fw::setting("Top", 14),
    fw::setting("LockRight", true),
    fw::setting("TextFont", "System"),
    fw::setting("Text", "Gr\xC3\xBC\xC3\x9F"
                        "e"),
    fw::setting("InitialParent", ""),
    fw::setting("Multiline", true),
    fw::setting("LimitText", 0),
};
constexpr auto kTextFieldList = fw::encodePropertyList<kReceiver, kTextFieldSettings>();

constexpr std::array<fw::Setting, 0> kNoSettings{};
constexpr auto kEmptyList = fw::encodePropertyList<kReceiver, kNoSettings>();
static_assert(kEmptyList.empty());

// What a decode applied, and the error that stopped it, if any. The list is
// decoded from an exact-size heap copy, so ASan reports any read past its end;
// the copy is kept so that text views stay valid.
struct Decoded {
    std::vector<char> storage;
    std::vector<fw::Setting> applied;
    std::optional<fw::PropertyListError> error;
};

std::optional<fw::PropertyForm> receiverForm(std::string_view name) { return fw::settingForm(kReceiver, name); }

Decoded decode(std::string_view bytes, const fw::SettingFormLookup& lookup = receiverForm)
{
    Decoded decoded{.storage = {bytes.begin(), bytes.end()}, .applied = {}, .error = {}};
    const std::string_view exact(decoded.storage.data(), decoded.storage.size());
    try {
        fw::decodePropertyList(exact, lookup, [&](std::string_view name, const fw::PropertyValue& value) {
            if (const auto* text = std::get_if<std::string_view>(&value)) {
                EXPECT_GE(text->data(), exact.data()) << name;
                EXPECT_LE(text->data() + text->size(), exact.data() + exact.size()) << name;
            }
            decoded.applied.push_back({.name = name, .value = value});
        });
    } catch (const fw::PropertyListError& error) {
        decoded.error = error;
    }
    return decoded;
}

std::string appliedNames(const Decoded& decoded)
{
    std::string names;
    for (const fw::Setting& setting : decoded.applied)
        names += (names.empty() ? "" : " ") + std::string(setting.name);
    return names;
}

TEST(SettingFormTest, MatchesWholeNamesExactly)
{
    static_assert(fw::settingForm(kReceiver, "Width") == fw::PropertyForm::Int32);
    static_assert(fw::settingForm(kReceiver, "AutomaticallyCheckSpelling") == fw::PropertyForm::Boolean);
    static_assert(fw::settingForm(kReceiver, "TextColor") == fw::PropertyForm::Colour);
    static_assert(fw::settingForm(kReceiver, "DataField") == fw::PropertyForm::Text);
    for (std::string_view name : {"width"sv, "Widt"sv, "Widths"sv, "Width "sv, ""sv, "Width\0"sv})
        EXPECT_EQ(fw::settingForm(kReceiver, name), std::nullopt) << name;
}

TEST(PropertyListEncoderTest, WritesEveryFormByteForByte)
{
    EXPECT_EQ(fw::asStringView(kEdgeList), kEdgeBytes);
    EXPECT_EQ(fw::asStringView(kMainWindowList), kMainWindowBytes);
}

struct WellFormedCase {
    std::string_view label;
    std::string_view bytes;
    std::span<const fw::Setting> settings;
};

constexpr fw::Setting kVisibleTwice[] = {fw::setting("Visible", true), fw::setting("Visible", false)};

constexpr WellFormedCase kWellFormedLists[] = {
    // label, bytes, settings
    {.label = "empty list", .bytes = ""sv, .settings = {}},
    {.label = "every form at its edges", .bytes = kEdgeBytes, .settings = kEdgeSettings},
    {.label = "main window", .bytes = kMainWindowBytes, .settings = kMainWindowSettings},
    {.label = "a repeated setting is applied each time, in order",
     .bytes = "Visible \x01"
              "Visible \x00"sv,
     .settings = kVisibleTwice},
};

TEST(PropertyListDecoderTest, AppliesEverySettingOfAWellFormedList)
{
    for (const WellFormedCase& c : kWellFormedLists) {
        SCOPED_TRACE(c.label);
        const Decoded decoded = decode(c.bytes);
        EXPECT_FALSE(decoded.error) << decoded.error->message();
        EXPECT_EQ(decoded.applied, std::vector(c.settings.begin(), c.settings.end()));
    }
}

struct MalformedCase {
    std::string_view label;
    std::string_view bytes;
    std::string_view setting;
    size_t offset;
    std::string_view reason;  // enough of the reason to tell the fault apart
    std::string_view applied; // the settings applied before the fault
};

constexpr MalformedCase kMalformedLists[] = {
    // label, bytes, setting, offset, reason, applied
    {.label = "unknown name",
     .bytes = "Visible \x01"
              "Bogus \x01"sv,
     .setting = "Bogus",
     .offset = 9,
     .reason = "unknown setting",
     .applied = "Visible"},
    {.label = "names are case-sensitive",
     .bytes = "width \x00\x00\x00\x01"sv,
     .setting = "width",
     .offset = 0,
     .reason = "unknown setting",
     .applied = ""},
    {.label = "name holding a zero byte",
     .bytes = "Wi\x00th \x00\x00\x00\x01"sv,
     .setting = "Wi\x00th"sv,
     .offset = 0,
     .reason = "unknown setting",
     .applied = ""},
    {.label = "name with no blank before the end",
     .bytes = "Visible \x01"
              "Widt"sv,
     .setting = "Widt",
     .offset = 9,
     .reason = "no blank",
     .applied = "Visible"},
    {.label = "empty name first",
     .bytes = " \x01"sv,
     .setting = "",
     .offset = 0,
     .reason = "empty setting name",
     .applied = ""},
    {.label = "empty name after an entry",
     .bytes = "Visible \x01"
              " \x00\x00\x00\x01"sv,
     .setting = "",
     .offset = 9,
     .reason = "empty setting name",
     .applied = "Visible"},
    {.label = "int32 runs past the end",
     .bytes = "Visible \x01"
              "Width \x00\x00\x01"sv,
     .setting = "Width",
     .offset = 15,
     .reason = "Int32 value runs past the end (4 needed, 3 left)",
     .applied = "Visible"},
    {.label = "boolean missing",
     .bytes = "Visible "sv,
     .setting = "Visible",
     .offset = 8,
     .reason = "Boolean value runs past the end (1 needed, 0 left)",
     .applied = ""},
    {.label = "colour runs past the end",
     .bytes = "BackColor \x00\x80"sv,
     .setting = "BackColor",
     .offset = 10,
     .reason = "Colour value runs past the end (3 needed, 2 left)",
     .applied = ""},
    {.label = "text count runs past the end",
     .bytes = "Title \x00\x00"sv,
     .setting = "Title",
     .offset = 6,
     .reason = "Text value runs past the end (4 needed, 2 left)",
     .applied = ""},
    {.label = "negative text count",
     .bytes = "Title \xFF\xFF\xFF\xFF"
              "abcd"sv,
     .setting = "Title",
     .offset = 6,
     .reason = "negative text length -1",
     .applied = ""},
    {.label = "text count one past the end",
     .bytes = "Visible \x01"
              "Width \x00\x00\x00\x01"
              "Title \x00\x00\x00\x05"
              "abcd"sv,
     .setting = "Title",
     .offset = 25,
     .reason = "text length 5 runs past the end (4 left)",
     .applied = "Visible Width"},
    {.label = "largest text count",
     .bytes = "Title \x7F\xFF\xFF\xFF"
              "a"sv,
     .setting = "Title",
     .offset = 6,
     .reason = "text length 2147483647 runs past the end (1 left)",
     .applied = ""},
    {.label = "boolean byte 2",
     .bytes = "Visible \x01"
              "Bold \x02"sv,
     .setting = "Bold",
     .offset = 14,
     .reason = "boolean byte 0x02 is neither 0 nor 1",
     .applied = "Visible"},
    {.label = "boolean byte 0xFF, negative as a char",
     .bytes = "Visible \xFF"sv,
     .setting = "Visible",
     .offset = 8,
     .reason = "boolean byte 0xFF",
     .applied = ""},
};

TEST(PropertyListDecoderTest, StopsAtTheFirstFaultKeepingWhatCameBefore)
{
    for (const MalformedCase& c : kMalformedLists) {
        SCOPED_TRACE(c.label);
        const Decoded decoded = decode(c.bytes);
        ASSERT_TRUE(decoded.error);
        EXPECT_EQ(decoded.error->setting, c.setting);
        EXPECT_EQ(decoded.error->offset, c.offset);
        EXPECT_NE(decoded.error->reason.find(c.reason), std::string::npos) << decoded.error->reason;
        EXPECT_EQ(appliedNames(decoded), c.applied);
    }
}

TEST(PropertyListDecoderTest, TheReceiverDecidesWhichNamesItKnows)
{
    const auto windowOnly = [](std::string_view name) -> std::optional<fw::PropertyForm> {
        return name == "Title" ? std::nullopt : fw::settingForm(kReceiver, name);
    };
    const Decoded decoded = decode(fw::asStringView(kMainWindowList), windowOnly);
    ASSERT_TRUE(decoded.error);
    EXPECT_EQ(decoded.error->setting, "Title");
    EXPECT_EQ(decoded.error->offset, 137u);
    EXPECT_EQ(decoded.applied.size(), 11u);
}

TEST(PropertyListDecoderTest, ErrorMessageShowsAnyNameBytePrintably)
{
    const fw::PropertyListError error{
        .setting = std::string("Wi\0\"th\xC3", 7), .offset = 12, .reason = "unknown setting"};
    EXPECT_EQ(error.message(), R"(property list: setting "Wi\x00\x22th\xC3" at byte 12: unknown setting)");
}

struct RoundTripCase {
    std::string_view label;
    std::string_view list;
    std::span<const fw::Setting> settings;
};

constexpr RoundTripCase kRoundTrips[] = {
    // label, list, settings
    {.label = "main window", .list = fw::asStringView(kMainWindowList), .settings = kMainWindowSettings},
    {.label = "about window", .list = fw::asStringView(kAboutWindowList), .settings = kAboutWindowSettings},
    {.label = "edges", .list = fw::asStringView(kEdgeList), .settings = kEdgeSettings},
    {.label = "text field", .list = fw::asStringView(kTextFieldList), .settings = kTextFieldSettings},
    {.label = "empty", .list = fw::asStringView(kEmptyList), .settings = kNoSettings},
};

TEST(PropertyListRoundTripTest, DecodesWhatTheEncoderWrote)
{
    for (const RoundTripCase& c : kRoundTrips) {
        SCOPED_TRACE(c.label);
        const Decoded decoded = decode(c.list);
        EXPECT_FALSE(decoded.error) << decoded.error->message();
        EXPECT_EQ(decoded.applied, std::vector(c.settings.begin(), c.settings.end()));
    }
}

} // namespace
