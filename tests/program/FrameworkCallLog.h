#pragma once
// What the program hands the framework at the calls whose order and
// arguments the tests check. The link of program_tests routes each of these
// calls through a recorder (the linker's --wrap, see CMakeLists.txt), which
// notes the call and then makes it.

#include "framework/runtime/ClassTable.h"

#include <functional>
#include <string>
#include <vector>

struct ClassBuild {
    const fw::ClassTable* table; // what RuntimeNewClass returned
    const fw::ClassTable* parent;
    int32_t memberCount, reserved1, eventCount, reserved2, propertyCount, classAttributeCount;
};

struct PropertyListCall {
    fw::Object* object;
    std::string list; // the bytes handed over
};

struct DelegateMade {
    fw::TypedCode invoker, code;
    fw::Object* target;
    std::string parameters;
    int32_t flags;
};

struct FrameworkCallLog {
    // Named steps in the order made: the module finaliser's releases
    // ("mDirtyWindows.__Exit", ...), "Application.MenuBar set",
    // "RuntimeRegisterAppObject"; tests add their own steps.
    std::vector<std::string> steps;
    // Called with each named step before it is made, while a test sets it.
    std::function<void(const std::string&)> beforeStep;
    // Every class table made in this process, from its first one.
    std::vector<ClassBuild> classBuilds;
    // Every object handed to _UnhandledException.
    std::vector<fw::Object*> unhandled;
    // Calls of the About picture getter, and how many property lists had
    // been handed over at each.
    int pictureGetterCalls = 0;
    std::vector<size_t> listsBeforePictureGetter;
    // Every delegate made, in order.
    std::vector<DelegateMade> delegates;
    // Every property list handed over, in order, with what it was given to.
    std::vector<PropertyListCall> propertyLists;
    // What the last Application.MenuBar set was given.
    fw::Object* menuBarApplication = nullptr;
    fw::Object* menuBarSet = nullptr;

    // Forgets everything but the class builds, which happen once a process.
    void clear();
};

FrameworkCallLog& frameworkCalls();
