#include "app/App.h"

#include "app/ClassBuilder.h"
#include "framework/classes/Application.h"
#include "framework/runtime/Invokers.h"

#include <iterator>

namespace App {

namespace {

const fw::ClassTable* classTable = nullptr;

const OwnOperation kOwnOperations[] = {
    // name          code                   signature  invoker
    {"Constructor", fw::toCode(Constructor), "%%", fw::invokeNoResult},
};

constexpr int32_t kMemberCount = 48;
static_assert(fw::Application::memberCount + std::size(kOwnOperations) == kMemberCount);

} // namespace

const fw::ClassTable* __Lookup()
{
    if (!classTable)
        __ctblinit();
    return classTable;
}

void __ctblinit()
{
    buildClassTable(classTable, {
                                    .name = "App",
                                    .parent = fw::Application::__Lookup,
                                    .memberCount = kMemberCount,
                                    .eventCount = fw::Application::eventCount,
                                    .propertyCount = fw::Application::propertyCount,
                                    .classAttributeCount = 0,
                                    .operations = kOwnOperations,
                                });
}

void Constructor(fw::Object*) {}

} // namespace App
