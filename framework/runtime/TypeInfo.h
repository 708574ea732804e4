#pragma once
// Type descriptions for introspection: one ClassInfo object per class and
// one ArrayInfo object per array element class, each made on first request
// and cached in the introspection maps until the module finaliser.

#include "framework/runtime/ClassTable.h"

#include <string_view>

namespace fw::Introspection {

// The ClassInfo of the class, a new reference.
Ref<Object> GetType(const ClassTable* classTable);
// The ClassInfo already made for the full class name ("frmMain.frmMain"), or nil.
Ref<Object> GetTypeByName(std::string_view fullName);
// The ArrayInfo of arrays of the class, a new reference.
Ref<Object> GetArrayType(const ClassTable* elementClass);
// The class a ClassInfo or ArrayInfo describes (for an ArrayInfo, its elements).
const ClassTable* describedClass(Object* info);

namespace ClassInfo {
const ClassTable* __Lookup();
namespace sClassRefMap {
void __Exit();
}
namespace sClassFQNToRefMap {
void __Exit();
}
} // namespace ClassInfo

namespace ArrayInfo {
const ClassTable* __Lookup();
namespace mArrayMap {
void __Exit();
}
} // namespace ArrayInfo

} // namespace fw::Introspection
