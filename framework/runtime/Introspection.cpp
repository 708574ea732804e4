#include "framework/runtime/Introspection.h"

#include "framework/runtime/ClassDescription.h"
#include "framework/runtime/Exception.h"
#include "framework/runtime/Invokers.h"
#include "framework/runtime/ObjectArray.h"

#include <string>

namespace fw::Introspection {

namespace {

std::string_view view(const Ref<String>& string) { return string ? string->view() : std::string_view{}; }

const Attribute* findAttribute(const std::vector<Attribute>& attributes, std::string_view name)
{
    for (const Attribute& attribute : attributes)
        if (view(attribute.name) == name)
            return &attribute;
    return nullptr;
}

} // namespace

std::string_view MemberInfo::Name() const { return view(entry_->name); }
std::string_view MemberInfo::Signature() const { return view(entry_->signature); }

std::string_view MemberInfo::ResultType() const { return splitSignature(Signature()).result; }
std::string_view MemberInfo::Parameters() const { return splitSignature(Signature()).parameters; }

const Attribute* MemberInfo::AttributeNamed(std::string_view name) const
{
    return findAttribute(entry_->attributes, name);
}

std::string_view MemberInfo::Scope() const
{
    const Attribute* scope = AttributeNamed("__Scope");
    return scope && scope->hasValue ? view(scope->value) : std::string_view{};
}

Ref<Object> MemberInfo::Invoke(Object* target, Object* arguments) const
{
    if (!entry_->invoker)
        raiseRuntimeException(RuntimeException::__Lookup(), "member " + std::string(Name()) + " cannot be invoked");
    return entry_->invoker(*entry_, target, arguments);
}

std::vector<MemberInfo> GetMembers(const ClassTable* classTable)
{
    std::vector<MemberInfo> members;
    members.reserve(classTable->members.size());
    for (const MemberEntry& entry : classTable->members)
        members.emplace_back(entry);
    return members;
}

const Attribute* ClassAttributeNamed(const ClassTable* classTable, std::string_view name)
{
    return findAttribute(classTable->classAttributes, name);
}

} // namespace fw::Introspection

namespace fw {

Ref<Object> objectArgument(const MemberEntry& member, Object* arguments)
{
    const std::string_view codes = splitSignature(Introspection::MemberInfo(member).Signature()).parameters;
    const std::string_view className = codes.starts_with("o<") ? codes.substr(2, codes.find('>') - 2) : "";
    const ClassTable* parameterClass = classNamed(className);
    if (!parameterClass)
        raiseRuntimeException(IllegalCastException::__Lookup(), "no class " + std::string(className));
    return RuntimeCheckCast(Ref<Object>::retain(arrayElement(arguments, 0)), parameterClass);
}

} // namespace fw
