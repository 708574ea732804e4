#include "app/App.h"

namespace App {

namespace {

const fw::ClassTable* classTable = nullptr;

constexpr fw::OperationRow kOperations[] = {
    fw::op<&Constructor>(Op::Constructor, "Constructor", "%%"),
};
static_assert(fw::rowsFollowSlots(kOperations, fw::Application::operationCount, Op::End));

constexpr fw::ClassDescription kDescription = {
    .name = "App",
    .parent = fw::Application::__Lookup,
    .operations = kOperations,
    .publicClass = false,
};
static_assert(fw::totalsOf(fw::Application::kTotals, kDescription) ==
              fw::ClassTotals{.members = 48, .events = 10, .properties = 19});

} // namespace

const fw::ClassTable* __Lookup() { return fw::registerClass(classTable, kDescription); }

void __ctblinit() { fw::registerClass(classTable, kDescription); }

void Constructor(fw::Object*) {}

} // namespace App
