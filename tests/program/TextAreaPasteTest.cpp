// TextArea.Paste on the hidden txtRead: where the clipboard's text goes, and
// what the area's widget is given.

#include "framework/classes/TextArea.h"
#include "framework/runtime/Properties.h"
#include "palette/frmMain.h"
#include "palette/frmMainControls.h"
#include "tests/support/ProgramFixture.h"

#include <algorithm>

namespace {

using TextAreaPasteTest = ProgramFixture;

TEST_F(TextAreaPasteTest, ReplacesTheSelectionAndPutsTheInsertionPointAfterIt)
{
    const struct {
        const char* what;
        const char* before;
        int32_t selStart, selLength;
        const char* after;
        int32_t insertionPoint;
    } cases[] = {
        {"empty area", "", 0, 0, "XY", 2},
        {"whole text selected", "abcd", 0, 4, "XY", 2},
        {"middle selected", "abcd", 1, 2, "aXYd", 3},
        {"insertion point at the end", "abcd", 4, 0, "abcdXY", 6},
        {"selection past the end", "abcd", 9, 5, "abcdXY", 6},
        {"negative selection", "abcd", -3, -1, "XYabcd", 2},
    };
    startProgram("XY");
    fw::Ref<fw::Object> area = frmMain::txtRead(mainWindow());
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        fw::TextArea::Text::Set(area.get(), 0, fw::makeString(c.before).get());
        fw::setProperty(area.get(), "SelStart", c.selStart);
        fw::setProperty(area.get(), "SelLength", c.selLength);
        fw::TextArea::Paste(area.get());
        EXPECT_EQ(fw::TextArea::Text::Get(area.get())->view(), c.after);
        EXPECT_EQ(std::get<int32_t>(fw::propertyValue(area.get(), "SelStart")), c.insertionPoint);
        EXPECT_EQ(std::get<int32_t>(fw::propertyValue(area.get(), "SelLength")), 0);
        EXPECT_TRUE(std::ranges::any_of(desktop().controls, [&](const auto& control) {
            return control.second.text == c.after;
        })) << "the widget was not given the new text";
    }
}

} // namespace
