// The program's four class tables: the order they are built in, what each
// asks the framework for, and their members as introspection sees and calls
// them.

#include "about/frmAbout.h"
#include "app/App.h"
#include "framework/classes/Application.h"
#include "framework/classes/Canvas.h"
#include "framework/classes/Label.h"
#include "framework/classes/MenuBar.h"
#include "framework/classes/PushButton.h"
#include "framework/classes/TextArea.h"
#include "framework/classes/Window.h"
#include "framework/runtime/Exception.h"
#include "framework/runtime/Introspection.h"
#include "framework/runtime/ObjectArray.h"
#include "palette/MenuBar1.h"
#include "palette/frmMain.h"
#include "tests/program/FrameworkCallLog.h"
#include "tests/support/ProgramFixture.h"

#include <algorithm>

namespace {

using ClassTablesTest = ProgramFixture;
using fw::Introspection::GetMembers;

struct OwnMember {
    const char* name;
    const char* signature;
    size_t slot; // its place in the table of operations
};

struct ClassCase {
    const fw::ClassTable* (*lookup)();
    const fw::ClassTable* (*parent)();
    const char* name;
    // What the builder asks RuntimeNewClass for: member count, 0, event
    // count, 0, property count, class-attribute count.
    std::array<int32_t, 6> newClassArguments;
    size_t operations;
    bool publicClass;
    std::vector<OwnMember> own;                             // in introspection order
    std::vector<std::pair<std::string, size_t>> handlers{}; // event, slot of its handler
};

const std::vector<ClassCase>& classCases()
{
    static const std::vector<ClassCase> cases = {
        {App::__Lookup,
         fw::Application::__Lookup,
         "App",
         {48, 0, 10, 0, 19, 0},
         18,
         false,
         {{"Constructor", "%%", 17}}},
        {MenuBar1::__Lookup,
         fw::MenuBar::__Lookup,
         "MenuBar1.MenuBar1",
         {54, 0, 2, 0, 16, 1},
         27,
         true,
         {{"Untitled0", "%%", 25}, {"Untitled1", "%%", 26}, {"Constructor", "%%", 20}}},
        {frmMain::__Lookup,
         fw::Window::__Lookup,
         "frmMain.frmMain",
         {145, 0, 33, 0, 49, 1},
         66,
         true,
         {{"Layout", "%%", 51},
          {"CreateControls", "%%", 52},
          {"_CreateControls0", "%%", 53},
          {"cmdRead", "%o<PushButton>%", 54},
          {"cmdStop", "%o<PushButton>%", 55},
          {"cmdClose", "%o<PushButton>%", 56},
          {"cmdAbout", "%o<PushButton>%", 57},
          {"txtRead", "%o<TextArea>%", 58},
          {"cmdDoit", "%o<PushButton>%", 59},
          {"PushButton1", "%o<PushButton>%", 60},
          {"cmdRead_Action", "%%o<PushButton>", 61},
          {"cmdStop_Action", "%%o<PushButton>", 62},
          {"cmdClose_Action", "%%o<PushButton>", 63},
          {"cmdAbout_Action", "%%o<PushButton>", 64},
          {"cmdDoit_Action", "%%o<PushButton>", 65}},
         {{"Layout", 51}, {"CreateControls", 52}}},
        {frmAbout::__Lookup,
         fw::Window::__Lookup,
         "frmAbout.frmAbout",
         {140, 0, 33, 0, 49, 1},
         61,
         true,
         {{"Layout", "%%", 51},
          {"CreateControls", "%%", 52},
          {"_CreateControls0", "%%", 53},
          {"Canvas1", "%o<Canvas>%", 54},
          {"cmdExit", "%o<PushButton>%", 55},
          {"Label1", "%o<Label>%", 56},
          {"Label2", "%o<Label>%", 57},
          {"PushButton2", "%o<PushButton>%", 58},
          {"cmdExit_Action", "%%o<PushButton>", 59},
          {"PushButton2_Action", "%%o<PushButton>", 60}},
         {{"Layout", 51}, {"CreateControls", 52}}},
    };
    return cases;
}

bool sameAttribute(const fw::Attribute& attribute, std::string_view name, const char* value)
{
    return attribute.name && attribute.name->view() == name && attribute.hasValue == (value ? 1 : 0) &&
           (!value || (attribute.value && attribute.value->view() == value));
}

TEST_F(ClassTablesTest, EachClassHoldsItsParentsEntriesThenItsOwn)
{
    for (const ClassCase& c : classCases()) {
        const fw::ClassTable* table = c.lookup();
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.lookup(), table) << "a second lookup builds nothing";
        EXPECT_EQ(table->parent, c.parent());
        EXPECT_EQ(table->name->view(), std::string_view(c.name));
        EXPECT_EQ(table->kind, 0);
        EXPECT_EQ(table->operations.size(), c.operations);
        EXPECT_EQ(table->instanceSize, table->parent->instanceSize);
        std::vector<size_t> replaced;
        for (const OwnMember& member : c.own)
            if (member.slot < table->parent->operations.size())
                replaced.push_back(member.slot);
        for (size_t i = 0; i < table->parent->operations.size(); ++i)
            if (std::find(replaced.begin(), replaced.end(), i) == replaced.end()) {
                EXPECT_EQ(table->operations[i], table->parent->operations[i]) << "inherited slot " << i;
            }

        auto members = GetMembers(table);
        const size_t inherited = table->parent->members.size();
        ASSERT_EQ(members.size(), inherited + c.own.size());
        for (size_t i = 0; i < c.own.size(); ++i) {
            const OwnMember& expected = c.own[i];
            const auto& member = members[inherited + i];
            const fw::MemberEntry& entry = table->members[inherited + i];
            EXPECT_EQ(member.Name(), std::string_view(expected.name)) << "member " << inherited + i;
            EXPECT_EQ(member.Signature(), std::string_view(expected.signature)) << expected.name;
            EXPECT_EQ(member.Kind(), fw::MemberKind::Operation) << expected.name;
            EXPECT_EQ(entry.code, table->operations.at(expected.slot))
                << expected.name << ": introspection calls the operation the table holds";
            bool hidden = std::string_view(expected.name) == "_CreateControls0";
            ASSERT_EQ(entry.attributes.size(), hidden ? 2u : 1u) << expected.name;
            EXPECT_TRUE(sameAttribute(entry.attributes[0], "__Scope", "Public")) << expected.name;
            if (hidden) {
                EXPECT_TRUE(sameAttribute(entry.attributes[1], "Hidden", nullptr));
            }
            EXPECT_EQ(member.CanAccess(), !hidden) << expected.name;
        }

        for (const fw::EventEntry& event : table->events) {
            auto handler = std::find_if(c.handlers.begin(), c.handlers.end(),
                                        [&](const auto& h) { return h.first == event.name(); });
            EXPECT_EQ(event.handler.code,
                      handler == c.handlers.end() ? nullptr : table->operations.at(handler->second).code)
                << "event " << event.name();
        }
        ASSERT_EQ(table->classAttributes.size(), c.publicClass ? 1u : 0u);
        if (c.publicClass) {
            EXPECT_TRUE(sameAttribute(table->classAttributes[0], "__Scope", "Public"));
        }
    }
}

TEST_F(ClassTablesTest, ClassesAreBuiltOnceEachAfterItsParentAppFrmMainMenuBar1FrmAbout)
{
    const auto& builds = frameworkCalls().classBuilds;
    auto indexOf = [&](const fw::ClassTable* table) {
        auto found = std::find_if(builds.begin(), builds.end(), [&](const ClassBuild& b) { return b.table == table; });
        EXPECT_EQ(std::count_if(builds.begin(), builds.end(), [&](const ClassBuild& b) { return b.table == table; }), 1)
            << table->name->view() << " is built once";
        return found - builds.begin();
    };
    std::vector<std::string> order;
    std::vector<std::pair<ptrdiff_t, ClassBuild>> program;
    for (const ClassCase& c : classCases())
        program.emplace_back(indexOf(c.lookup()), builds.at(static_cast<size_t>(indexOf(c.lookup()))));
    std::sort(program.begin(), program.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    for (const auto& [index, build] : program)
        order.emplace_back(build.table->name->view());
    EXPECT_EQ(order, (std::vector<std::string>{"App", "frmMain.frmMain", "MenuBar1.MenuBar1", "frmAbout.frmAbout"}));

    for (const ClassCase& c : classCases()) {
        SCOPED_TRACE(c.name);
        const ClassBuild& build = builds.at(static_cast<size_t>(indexOf(c.lookup())));
        EXPECT_EQ(build.parent, c.parent());
        EXPECT_LT(indexOf(c.parent()), indexOf(c.lookup())) << "the parent's table is built first";
        EXPECT_LT(indexOf(fw::Window::__Lookup()), indexOf(App::__Lookup()))
            << "the framework's classes come before the program's";
        EXPECT_EQ((std::array{build.memberCount, build.reserved1, build.eventCount, build.reserved2,
                              build.propertyCount, build.classAttributeCount}),
                  c.newClassArguments);
    }
}

// Stand-ins for a member's code, one per signature shape: each notes the
// call, so that what an invoker passes on can be checked.
std::vector<std::pair<fw::Object*, fw::Object*>> invoked;
fw::Object* resultToGive = nullptr;
void noteCall(fw::Object* target) { invoked.emplace_back(target, nullptr); }
fw::Ref<fw::Object> noteCallAndGive(fw::Object* target)
{
    invoked.emplace_back(target, nullptr);
    return fw::Ref<fw::Object>::retain(resultToGive);
}
void noteCallWith(fw::Object* target, fw::Object* argument) { invoked.emplace_back(target, argument); }

const fw::ClassTable* resultClass(std::string_view signature)
{
    if (signature == "%o<PushButton>%")
        return fw::PushButton::__Lookup();
    if (signature == "%o<TextArea>%")
        return fw::TextArea::__Lookup();
    if (signature == "%o<Canvas>%")
        return fw::Canvas::__Lookup();
    if (signature == "%o<Label>%")
        return fw::Label::__Lookup();
    return nullptr;
}

bool raisesA(const fw::ClassTable* exceptionClass, const std::function<void()>& call)
{
    try {
        call();
    } catch (const fw::Raised& raised) {
        return fw::RuntimeObjectIsa(raised.exception.get(), exceptionClass);
    }
    return false;
}

// Every own member called through introspection, its code replaced by a
// stand-in of the shape that its signature in the tables above states.
TEST_F(ClassTablesTest, InvokersPassOnWhatTheSignatureStatesAndRefuseNil)
{
    installFakeDesktop();
    fw::Ref<fw::Object> button = fw::RuntimeNewObject(fw::PushButton::__Lookup());
    fw::Ref<fw::Object> notAButton = fw::RuntimeNewObject(fw::TextArea::__Lookup());
    for (const ClassCase& c : classCases()) {
        auto* table = const_cast<fw::ClassTable*>(c.lookup());
        fw::Ref<fw::Object> target = fw::RuntimeNewObject(table);
        const size_t inherited = table->parent->members.size();
        for (size_t i = 0; i < c.own.size(); ++i) {
            const std::string_view signature = c.own[i].signature;
            SCOPED_TRACE(std::string(c.name) + "." + c.own[i].name);
            fw::MemberEntry& entry = table->members.at(inherited + i);
            const fw::TypedCode code = entry.code;
            const fw::Introspection::MemberInfo member(entry);
            invoked.clear();
            if (signature == "%%o<PushButton>") {
                entry.code = fw::toCode(noteCallWith);
                fw::Ref<fw::Object> arguments = fw::makeObjectArray({button.get()});
                fw::Ref<fw::Object> wrong = fw::makeObjectArray({notAButton.get()});
                EXPECT_TRUE(raisesA(fw::NilObjectException::__Lookup(), [&] {
                    member.Invoke(nullptr, arguments.get());
                })) << "a nil target raises NilObjectException";
                EXPECT_TRUE(raisesA(fw::NilObjectException::__Lookup(), [&] { member.Invoke(target.get(), nullptr); }))
                    << "a nil argument list raises NilObjectException";
                EXPECT_TRUE(raisesA(fw::IllegalCastException::__Lookup(), [&] {
                    member.Invoke(target.get(), wrong.get());
                })) << "an argument that is no PushButton fails the cast check";
                EXPECT_TRUE(invoked.empty()) << "the member ran although the call was refused";
                EXPECT_EQ(member.Invoke(target.get(), arguments.get()), nullptr);
                EXPECT_EQ(invoked, (std::vector<std::pair<fw::Object*, fw::Object*>>{{target.get(), button.get()}}))
                    << "the member runs once with the target and the button";
            } else if (const fw::ClassTable* resultType = resultClass(signature)) {
                entry.code = fw::toCode(noteCallAndGive);
                fw::Ref<fw::Object> result = fw::RuntimeNewObject(resultType);
                resultToGive = result.get();
                EXPECT_TRUE(raisesA(fw::NilObjectException::__Lookup(), [&] { member.Invoke(nullptr); }));
                EXPECT_TRUE(invoked.empty());
                const int32_t before = result->referenceCount();
                fw::Ref<fw::Object> returned = member.Invoke(target.get());
                EXPECT_EQ(returned, result) << "the member's result comes back unchanged";
                EXPECT_EQ(result->referenceCount(), before + 1) << "with a reference for the caller";
                EXPECT_EQ(invoked, (std::vector<std::pair<fw::Object*, fw::Object*>>{{target.get(), nullptr}}));
                resultToGive = nullptr;
            } else {
                ASSERT_EQ(signature, "%%");
                entry.code = fw::toCode(noteCall);
                EXPECT_TRUE(raisesA(fw::NilObjectException::__Lookup(), [&] { member.Invoke(nullptr); }));
                EXPECT_TRUE(invoked.empty());
                EXPECT_EQ(member.Invoke(target.get()), nullptr);
                EXPECT_EQ(invoked, (std::vector<std::pair<fw::Object*, fw::Object*>>{{target.get(), nullptr}}));
            }
            entry.code = code;
        }
    }
    button = notAButton = nullptr;
    fw::releaseServices();
}

} // namespace
