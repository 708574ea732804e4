// The program's four class tables as introspection sees them.

#include "about/frmAbout.h"
#include "app/App.h"
#include "framework/classes/Application.h"
#include "framework/classes/MenuBar.h"
#include "framework/runtime/Exception.h"
#include "framework/runtime/Introspection.h"
#include "palette/MenuBar1.h"
#include "palette/frmMain.h"
#include "tests/support/ProgramFixture.h"

namespace {

using ClassTablesTest = ProgramFixture;
using fw::Introspection::GetMembers;

std::vector<std::string> ownMembers(const fw::ClassTable* table)
{
    std::vector<std::string> names;
    auto members = GetMembers(table);
    for (size_t i = table->parent->members.size(); i < members.size(); ++i)
        names.emplace_back(members[i].Name());
    return names;
}

struct ClassCase {
    const fw::ClassTable* (*lookup)();
    const char* name;
    size_t operations, members, events, properties;
    bool publicClass;
    std::vector<std::string> own;
};

TEST_F(ClassTablesTest, EachClassHoldsItsParentsEntriesThenItsOwn)
{
    const ClassCase cases[] = {
        {App::__Lookup, "App", 18, 48, 10, 19, false, {"Constructor"}},
        {MenuBar1::__Lookup, "MenuBar1.MenuBar1", 27, 54, 2, 16, true, {"Untitled0", "Untitled1", "Constructor"}},
        {frmMain::__Lookup, "frmMain.frmMain", 66, 145, 33, 49, true,
         {"Layout", "CreateControls", "_CreateControls0", "cmdRead", "cmdStop", "cmdClose", "cmdAbout", "txtRead",
          "cmdDoit", "PushButton1", "cmdRead_Action", "cmdStop_Action", "cmdClose_Action", "cmdAbout_Action",
          "cmdDoit_Action"}},
        {frmAbout::__Lookup, "frmAbout.frmAbout", 61, 140, 33, 49, true,
         {"Layout", "CreateControls", "_CreateControls0", "Canvas1", "cmdExit", "Label1", "Label2", "PushButton2",
          "cmdExit_Action", "PushButton2_Action"}},
    };
    for (const ClassCase& c : cases) {
        const fw::ClassTable* table = c.lookup();
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.lookup(), table) << "a second lookup builds nothing";
        EXPECT_EQ(table->name->view(), c.name);
        EXPECT_EQ(table->operations.size(), c.operations);
        EXPECT_EQ(table->members.size(), c.members);
        EXPECT_EQ(table->events.size(), c.events);
        EXPECT_EQ(table->properties.size(), c.properties);
        EXPECT_EQ(table->instanceSize, table->parent->instanceSize);
        for (size_t i = 0; i < table->parent->operations.size(); ++i)
            if (!(table == MenuBar1::__Lookup() && i == fw::MenuItem::slot(fw::MenuItem::Op::Constructor))) {
                EXPECT_EQ(table->operations[i], table->parent->operations[i]) << "slot " << i;
            }
        EXPECT_EQ(ownMembers(table), c.own);
        auto members = GetMembers(table);
        for (size_t i = table->parent->members.size(); i < members.size(); ++i) {
            EXPECT_EQ(members[i].Scope(), "Public") << members[i].Name();
            EXPECT_EQ(members[i].CanAccess(), members[i].Name() != "_CreateControls0") << members[i].Name();
            EXPECT_EQ(members[i].Kind(), fw::MemberKind::Operation);
        }
        const fw::Attribute* scope = fw::Introspection::ClassAttributeNamed(table, "__Scope");
        EXPECT_EQ(scope != nullptr, c.publicClass);
    }
}

TEST_F(ClassTablesTest, MenuBarConstructorTakesTheInheritedSlot)
{
    const fw::ClassTable* table = MenuBar1::__Lookup();
    EXPECT_EQ(table->operations[fw::MenuItem::slot(fw::MenuItem::Op::Constructor)], fw::toCode(MenuBar1::Constructor));
    EXPECT_EQ(table->operations[fw::MenuBar::operationCount], fw::toCode(MenuBar1::Untitled0));
    EXPECT_EQ(table->operations[fw::MenuBar::operationCount + 1], fw::toCode(MenuBar1::Untitled1));
}

TEST_F(ClassTablesTest, WindowsHandleOnlyLayoutAndCreateControls)
{
    for (const fw::ClassTable* table : {frmMain::__Lookup(), frmAbout::__Lookup()}) {
        for (const fw::EventEntry& event : table->events)
            EXPECT_EQ(event.handler != nullptr, event.event == fw::Event::Layout || event.event == fw::Event::CreateControls)
                << event.name();
    }
}

TEST_F(ClassTablesTest, InvokersOfTheProgramRefuseNilTargets)
{
    auto members = GetMembers(frmMain::__Lookup());
    const auto& accessor = members[frmMain::__Lookup()->parent->members.size() + 3];  // cmdRead
    EXPECT_THROW(accessor.Invoke(nullptr), fw::Raised);
    auto aboutMembers = GetMembers(frmAbout::__Lookup());
    const auto& canvas = aboutMembers[frmAbout::__Lookup()->parent->members.size() + 3];  // Canvas1
    EXPECT_EQ(canvas.Name(), "Canvas1");
    EXPECT_THROW(canvas.Invoke(nullptr), fw::Raised);
}

} // namespace
