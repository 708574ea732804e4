#pragma once
// Introspection: reading a class's members from its member table and
// calling them through their invokers.

#include "framework/runtime/ClassTable.h"

#include <string_view>
#include <vector>

namespace fw::Introspection {

class MemberInfo {
public:
    explicit MemberInfo(const MemberEntry& entry) : entry_(&entry) {}

    std::string_view Name() const;
    MemberKind Kind() const { return entry_->kind; }
    std::string_view Signature() const;
    // The type code between the signature's first and second "%"; empty: none.
    std::string_view ResultType() const;
    // The type codes after the second "%", back to back; empty: none.
    std::string_view Parameters() const;
    // The attribute of that name, or nil.
    const Attribute* AttributeNamed(std::string_view name) const;
    // The value of "__Scope"; empty when the member has none.
    std::string_view Scope() const;
    bool IsPublic() const { return Scope() == "Public"; }
    // False for a member that carries "Hidden".
    bool CanAccess() const { return AttributeNamed("Hidden") == nullptr; }
    // Calls the member through its invoker; its result as a new reference.
    Ref<Object> Invoke(Object* target, Object* arguments = nullptr) const;

private:
    const MemberEntry* entry_;
};

// The class's members in table order, the parent's first.
std::vector<MemberInfo> GetMembers(const ClassTable* classTable);

// The class's own attribute of that name, or nil.
const Attribute* ClassAttributeNamed(const ClassTable* classTable, std::string_view name);

} // namespace fw::Introspection
