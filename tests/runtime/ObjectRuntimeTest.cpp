// The object runtime: references, class tables, introspection, invokers,
// exceptions, delegates, event bindings and the single-instance list.

#include "framework/runtime/ClassDescription.h"
#include "framework/runtime/ClassTable.h"
#include "framework/runtime/Delegate.h"
#include "framework/runtime/EventBinding.h"
#include "framework/runtime/Exception.h"
#include "framework/runtime/ImplicitWindowList.h"
#include "framework/runtime/Introspection.h"
#include "framework/runtime/Invokers.h"
#include "framework/runtime/ObjectArray.h"
#include "framework/runtime/Properties.h"
#include "framework/runtime/TypeInfo.h"
#include "framework/runtime/Variant.h"

#include <gtest/gtest.h>

using namespace fw;

namespace {

// A small framework class and a subclass built the way the program builds its own.
int calls = 0;
Object* lastTarget = nullptr;
Object* lastArgument = nullptr;

void ping(Object* self)
{
    ++calls;
    lastTarget = self;
}
Ref<Object> self(Object* target) { return Ref<Object>::retain(target); }
void take(Object* target, Object* argument)
{
    lastTarget = target;
    lastArgument = argument;
}

constexpr OperationRow kBaseOperations[] = {
    op<&ping>("Ping", "%%"),
    op<&self>("Self", "%o<Base>%"),
};
constexpr PropertyRow kBaseProperties[] = {{"Width", ValueKind::Int32}, {"Title", ValueKind::Text}};
constexpr Event kBaseEvents[] = {Event::Open, Event::Close};

const ClassTable* baseClass()
{
    static const ClassTable* table = nullptr;
    return registerClass(table, {
                                    .name = "Base",
                                    .parent = ObjectClass::__Lookup,
                                    .operations = kBaseOperations,
                                    .properties = kBaseProperties,
                                    .events = kBaseEvents,
                                });
}

constexpr OperationRow kDerivedOperations[] = {
    op<&take>("Take", "%%o<Base>"),
};

const ClassTable* derivedClass()
{
    static const ClassTable* table = nullptr;
    return registerClass(table, {
                                    .name = "Module.Derived",
                                    .parent = baseClass,
                                    .operations = kDerivedOperations,
                                });
}

// A class whose own member carries "Hidden", built as the program builds its own.
const ClassTable* hiddenMemberClass()
{
    static const ClassTable* built = [] {
        ClassTable* table = RuntimeNewClass(baseClass(), 5, 0, 2, 0, 2, 1);
        table->name = makeString("Module.Hidden");
        MemberEntry& entry = table->members[4];
        entry.name = makeString("_Inner");
        entry.signature = makeString("%o<PushButton>%i4o<Window>");
        Attribute* attributes = RuntimeAllocateAttributeTable(table->members, entry, 2);
        attributes[0] = publicScope();
        attributes[1] = {.name = makeString("Hidden"), .value = nullptr, .hasValue = 0};
        return table;
    }();
    return built;
}

// Classes the runtime builds on first use, so that their tables' strings
// stand outside every test's counts.
void warmUpLazyClassTables()
{
    Ref<Object> window = RuntimeNewObject(derivedClass());
    registerImplicitWindow(window.get());
    _mImplicitWindowList::__Exit();
    Ref<Object> info = Introspection::GetType(derivedClass());
    Ref<Object> array = Introspection::GetArrayType(derivedClass());
    Introspection::ClassInfo::sClassRefMap::__Exit();
    Introspection::ClassInfo::sClassFQNToRefMap::__Exit();
    Introspection::ArrayInfo::mArrayMap::__Exit();
}

class RuntimeTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        hiddenMemberClass();
        derivedClass(); // class tables live for the run; build them outside the counts
        NilObjectException::__Lookup();
        IllegalCastException::__Lookup();
        WeakRef::__Lookup();
        Delegate::__Lookup();
        ObjectArray::__Lookup();
        Variant::__Lookup();
        warmUpLazyClassTables();
        objects = liveObjectCount();
        strings = liveStringCount();
        calls = 0;
        lastTarget = lastArgument = nullptr;
    }
    void TearDown() override
    {
        EXPECT_EQ(liveObjectCount(), objects) << "an object leaked or was released once too often";
        EXPECT_EQ(liveStringCount(), strings) << "a string leaked or was released once too often";
    }
    int64_t objects = 0, strings = 0;
};

TEST_F(RuntimeTest, ReferencesCountAndReleaseAtZero)
{
    Ref<Object> object = RuntimeNewObject(derivedClass());
    EXPECT_EQ(object->referenceCount(), 1);
    {
        Ref<Object> second = object;
        EXPECT_EQ(object->referenceCount(), 2);
    }
    Ref<Object> slot;
    RuntimeLockUnlockObjects(slot, object.get());
    EXPECT_EQ(object->referenceCount(), 2);
    RuntimeLockUnlockObjects(slot, static_cast<Object*>(nullptr));
    EXPECT_EQ(object->referenceCount(), 1);
    Ref<String> text = makeString(std::string_view("a\0b", 3));
    EXPECT_EQ(text->view().size(), 3u) << "strings keep embedded NUL bytes";
}

TEST_F(RuntimeTest, DoubleReleaseIsCaught)
{
    EXPECT_DEATH(
        {
            Object* object = RuntimeNewObject(derivedClass()).leak();
            RuntimeUnlockObject(object);
            RuntimeUnlockObject(object);
        },
        "double release|heap-use-after-free");
}

TEST_F(RuntimeTest, SubclassTablesHoldTheParentsEntriesFirst)
{
    const ClassTable* derived = derivedClass();
    EXPECT_EQ(derivedClass(), derived) << "a class table is built once";
    EXPECT_EQ(derived->parent, baseClass());
    ASSERT_EQ(derived->operations.size(), 3u);
    EXPECT_EQ(derived->operations[0], toCode(ping));
    EXPECT_EQ(derived->operations[2], toCode(take));
    std::vector<std::string_view> names;
    for (const auto& member : Introspection::GetMembers(derived))
        names.push_back(member.Name());
    EXPECT_EQ(names, (std::vector<std::string_view>{"Ping", "Self", "Width", "Title", "Take"}));
    ASSERT_EQ(derived->events.size(), 2u);
    EXPECT_EQ(derived->events[1].name(), "Close");
    EXPECT_EQ(derived->propertyIndex("Title"), 1);
    EXPECT_DEATH(RuntimeNewClass(derived, 1, 0, 2, 0, 2, 0), "count");
}

bool answer(Object*) { return true; }

// What a class description or a call names and the class lacks, or a call
// that does not match what a slot holds, stops the program with a line that
// names the class and the member or event.
TEST_F(RuntimeTest, LookupsThatMissNameTheClassAndTheMemberOrEvent)
{
    static constexpr HandlerRow kUnknownEvent[] = {{Event::Layout, codeOf<&ping>}};
    static constexpr HandlerRow kMistypedHandler[] = {{Event::Open, codeOf<&answer>}};
    static const ClassTable* built = nullptr;
    struct Case {
        const char* what;
        void (*run)();
        const char* message;
    };
    const Case cases[] = {
        {"a handler for an event the parent lacks",
         [] { registerClass(built, {.name = "Module.Lacking", .parent = baseClass, .handlers = kUnknownEvent}); },
         "class Module.Lacking has no event Layout"},
        {"a handler of another type than its event calls",
         [] { registerClass(built, {.name = "Module.Mistyped", .parent = baseClass, .handlers = kMistypedHandler}); },
         "class Module.Mistyped: the handler of event Open holds bool"},
        {"a call of an event the class lacks",
         [] { callEventHandler(RuntimeNewObject(derivedClass()).get(), Event::Paint); },
         "class Module.Derived has no event Paint"},
        {"a call of a slot past the table of operations",
         [] { callOperation(RuntimeNewObject(derivedClass()).get(), 7); },
         "class Module.Derived has no operation in slot 7"},
        {"a property the class lacks", [] { intProperty(RuntimeNewObject(derivedClass()).get(), "Height"); },
         "class Module.Derived has no property Height"},
        {"a property slot past the table", [] { setProperty(RuntimeNewObject(derivedClass()).get(), 9, 1); },
         "class Module.Derived has no property in slot 9"},
        {"a value of another kind than the property declares",
         [] { setProperty(RuntimeNewObject(derivedClass()).get(), "Width", true); },
         "class Module.Derived declares its property Width Int32, and is given a Boolean"},
    };
    for (const Case& c : cases)
        EXPECT_DEATH(c.run(), c.message) << c.what;
}

// However it was found, a broken invariant ends the program with one line
// that names what broke, and nothing else.
TEST_F(RuntimeTest, AFatalErrorIsOneLineThatNamesWhatBroke)
{
    EXPECT_DEATH(callOperation(RuntimeNewObject(derivedClass()).get(), 7),
                 "^framework: internal error: class Module.Derived has no operation in slot 7\n$");
    EXPECT_DEATH(RuntimeNewClass(derivedClass(), 1, 0, 2, 0, 2, 0),
                 "^framework: internal error: a class table's member count 1 is below its parent's 5\n$");
}

TEST_F(RuntimeTest, DebugBuildsCheckEachCallAgainstWhatTheSlotHolds)
{
#ifdef NDEBUG
    GTEST_SKIP() << "the check is made in debug builds only";
#endif
    Ref<Object> object = RuntimeNewObject(derivedClass());
    EXPECT_DEATH(callOperation<bool>(object.get(), 0), "slot 0 .Ping. holds void .*called as bool");
    EXPECT_DEATH(callOperation(object.get(), 2, 1), "slot 2 .Take. holds void .*called as void");
    EXPECT_DEATH(callEventHandler<bool>(object.get(), Event::Open), "event Open holds void .*called as bool");
    callOperation(object.get(), 2, static_cast<Object*>(nullptr));
    EXPECT_EQ(lastTarget, object.get()) << "a call of the slot's own type goes through";
}

TEST_F(RuntimeTest, IntrospectionReadsSignatureScopeAndHidden)
{
    const ClassTable* table = hiddenMemberClass();
    Introspection::MemberInfo hidden = Introspection::GetMembers(table)[4];
    EXPECT_EQ(hidden.ResultType(), "o<PushButton>");
    EXPECT_EQ(hidden.Parameters(), "i4o<Window>");
    EXPECT_TRUE(hidden.IsPublic());
    EXPECT_FALSE(hidden.CanAccess());
    Introspection::MemberInfo ping = Introspection::GetMembers(table)[0];
    EXPECT_EQ(ping.ResultType(), "");
    EXPECT_EQ(ping.Parameters(), "");
    EXPECT_TRUE(ping.CanAccess());
}

TEST_F(RuntimeTest, InvokersCheckTargetArgumentsAndClass)
{
    auto members = Introspection::GetMembers(derivedClass());
    Ref<Object> target = RuntimeNewObject(derivedClass());
    Ref<Object> plain = RuntimeNewObject(ObjectClass::__Lookup());

    struct Case {
        const char* what;
        size_t member;
        Object* target;
        Ref<Object> arguments;
        const ClassTable* raises; // nil: the member runs
    };
    Case cases[] = {
        {"no result, nil target", 0, nullptr, nullptr, NilObjectException::__Lookup()},
        {"no result", 0, target.get(), nullptr, nullptr},
        {"object result, nil target", 1, nullptr, nullptr, NilObjectException::__Lookup()},
        {"one object, nil target", 4, nullptr, makeObjectArray({target.get()}), NilObjectException::__Lookup()},
        {"one object, nil arguments", 4, target.get(), nullptr, NilObjectException::__Lookup()},
        {"one object of another class", 4, target.get(), makeObjectArray({plain.get()}),
         IllegalCastException::__Lookup()},
        {"one object", 4, target.get(), makeObjectArray({target.get()}), nullptr},
    };
    for (const Case& c : cases) {
        calls = 0;
        lastArgument = nullptr;
        try {
            Ref<Object> result = members[c.member].Invoke(c.target, c.arguments.get());
            EXPECT_EQ(c.raises, nullptr) << c.what;
            if (c.member == 1) {
                EXPECT_EQ(result, target);
            }
        } catch (const Raised& raised) {
            EXPECT_TRUE(RuntimeObjectIsa(raised.exception.get(), c.raises)) << c.what;
            EXPECT_EQ(calls, 0) << c.what << ": nothing runs when an invoker refuses";
            EXPECT_EQ(lastArgument, nullptr) << c.what;
        }
    }
    EXPECT_EQ(lastArgument, target.get());
}

TEST_F(RuntimeTest, ExceptionsCarryTheVeryObjectRaised)
{
    Ref<Object> raised = newRuntimeException(NilObjectException::__Lookup(), "gone");
    try {
        RuntimeReraiseException(raised.get());
    } catch (const Raised& caught) {
        EXPECT_EQ(caught.exception, raised);
        EXPECT_TRUE(RuntimeObjectIsa(caught.exception.get(), RuntimeException::__Lookup()));
        EXPECT_EQ(exceptionMessage(caught.exception.get())->view(), "gone");
    }
    EXPECT_THROW(RaiseNilObjectException(), Raised);
    EXPECT_THROW(RuntimeCheckCast(RuntimeNewObject(ObjectClass::__Lookup()), derivedClass()), Raised);
    EXPECT_EQ(RuntimeCheckCast(nullptr, derivedClass()), nullptr) << "nil passes the cast check";
}

TEST_F(RuntimeTest, DelegateHolderReadsNilOnceTheTargetIsGone)
{
    Ref<String> parameters = makeString("( PushButton )");
    Ref<DelegateInstance> delegate;
    {
        Ref<Object> target = RuntimeNewObject(derivedClass());
        delegate = RuntimeCreateDelegate({}, toCode(ping), target.get(), parameters.get(), DelegateTargetThroughHolder);
        EXPECT_EQ(delegate->target(), target);
        EXPECT_EQ(target->referenceCount(), 1) << "the holder does not keep the target alive";
    }
    EXPECT_EQ(delegate->target(), nullptr);
    Ref<Object> held = RuntimeNewObject(derivedClass());
    Ref<DelegateInstance> holding =
        RuntimeCreateDelegate({}, toCode(ping), held.get(), parameters.get(), DelegateHoldsTarget);
    EXPECT_EQ(held->referenceCount(), 2);
}

void stubA(Object* sender) { lastTarget = sender, ++calls; }
void stubB(Object* sender) { lastArgument = sender, ++calls; }

TEST_F(RuntimeTest, EventBindingsRunTheirStubsWithTheObject)
{
    Ref<Object> button = RuntimeNewObject(derivedClass());
    Ref<Object> delegate = RuntimeNewObject(ObjectClass::__Lookup());
    EXPECT_FALSE(fireEventBindings(button.get(), 15));
    RuntimeAddEventHandler(button.get(), 15, stubA, delegate.get());
    RuntimeAddEventHandler(button.get(), 15, stubA, delegate.get()); // replaces, not doubles
    RuntimeAddEventHandler(button.get(), 3, stubB, delegate.get());
    EXPECT_EQ(RuntimeEventDelegate(button.get(), 15, stubA), delegate.get());
    EXPECT_EQ(RuntimeEventDelegate(button.get(), 15, stubB), nullptr);
    EXPECT_TRUE(fireEventBindings(button.get(), 15));
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(lastTarget, button.get());
}

TEST_F(RuntimeTest, ImplicitWindowListFindsByStoredNameAndDropsOnlyThatWindow)
{
    Ref<String> stored = makeString("Module.Derived");
    EXPECT_EQ(_GetImplicitWindow(stored.get()), nullptr);
    Ref<Object> first = RuntimeNewObject(derivedClass());
    registerImplicitWindow(first.get());
    EXPECT_EQ(_GetImplicitWindow(stored.get()), first);
    EXPECT_EQ(shortClassName("Module.Derived"), "Derived");
    Ref<Object> second = RuntimeNewObject(derivedClass());
    removeImplicitWindow(second.get());
    EXPECT_EQ(_GetImplicitWindow(stored.get()), first) << "another window of the class leaves the entry";
    removeImplicitWindow(first.get());
    EXPECT_EQ(_GetImplicitWindow(stored.get()), nullptr);
    registerImplicitWindow(second.get());
    EXPECT_EQ(second->referenceCount(), 2);
    _mImplicitWindowList::__Exit();
    EXPECT_EQ(second->referenceCount(), 1) << "the finaliser releases what the list holds";
    EXPECT_FALSE(_mImplicitWindowList::exists());
}

TEST_F(RuntimeTest, PropertyListsApplyThroughThePropertyTableAndReportBadSettings)
{
    Ref<Object> object = RuntimeNewObject(derivedClass());
    Ref<String> good = makeString(std::string_view("Width \0\0\0\x05Title \0\0\0\x02hi", 22));
    _SetProperties(object.get(), good.get());
    EXPECT_EQ(intProperty(object.get(), "Width"), 5);
    EXPECT_EQ(textProperty(object.get(), "Title"), "hi");
    Ref<String> unknown = makeString(std::string_view("Width \0\0\0\x07Height \0\0\0\x01", 21));
    try {
        _SetProperties(object.get(), unknown.get());
        FAIL() << "a setting the class does not take must raise";
    } catch (const Raised& raised) {
        std::string message(exceptionMessage(raised.exception.get())->view());
        EXPECT_NE(message.find("Height"), std::string::npos) << message;
        EXPECT_NE(message.find("10"), std::string::npos) << "names the offset: " << message;
    }
    EXPECT_EQ(intProperty(object.get(), "Width"), 7) << "settings before the fault stay applied";
}

TEST_F(RuntimeTest, TypeInfoIsCachedUntilTheFinaliser)
{
    Ref<Object> info = Introspection::GetType(derivedClass());
    EXPECT_EQ(Introspection::GetType(derivedClass()), info);
    EXPECT_EQ(Introspection::GetTypeByName("Module.Derived"), info);
    EXPECT_EQ(textProperty(info.get(), "Name"), "Derived");
    Ref<Object> array = Introspection::GetArrayType(derivedClass());
    EXPECT_EQ(Introspection::describedClass(array.get()), derivedClass());
    EXPECT_EQ(textProperty(array.get(), "FullName"), "Module.Derived()");
    array = nullptr;
    info = nullptr;
    Introspection::ClassInfo::sClassRefMap::__Exit();
    Introspection::ClassInfo::sClassFQNToRefMap::__Exit();
    Introspection::ArrayInfo::mArrayMap::__Exit();
    EXPECT_EQ(Introspection::GetTypeByName("Module.Derived"), nullptr);
}

TEST_F(RuntimeTest, VariantsHoldTheirText)
{
    Ref<String> text = makeString("words");
    Ref<Object> variant = StringToVariant(text.get());
    EXPECT_EQ(variantText(variant.get()), text.get());
    EXPECT_EQ(variantText(StringToVariant(nullptr).get())->view(), "");
}

} // namespace
