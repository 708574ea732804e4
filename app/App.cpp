#include "app/App.h"

#include "framework/classes/Application.h"
#include "framework/runtime/Invokers.h"
#include "glue/ClassBuilder.h"

#include <iterator>

namespace App {

namespace {

const fw::ClassTable* classTable = nullptr;

const OwnOperation kOwnOperations[] = {
    // name          code                   signature  invoker
    {"Constructor", fw::toCode(Constructor), "%%", fw::invokeNoResult},
};

static_assert(withOwnOperations({.members = fw::Application::memberCount,
                                 .events = fw::Application::eventCount,
                                 .properties = fw::Application::propertyCount},
                                std::size(kOwnOperations)) == ClassTotals{.members = 48, .events = 10, .properties = 19});

} // namespace

const fw::ClassTable* __Lookup() { return lookUpClassTable(classTable, __ctblinit); }

void __ctblinit()
{
    buildClassTable(classTable, {
                                    .name = "App",
                                    .parent = fw::Application::__Lookup,
                                    .classAttributeCount = 0,
                                    .operations = kOwnOperations,
                                });
}

void Constructor(fw::Object*) {}

} // namespace App
