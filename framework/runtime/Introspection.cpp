#include "framework/runtime/Introspection.h"

#include "framework/runtime/Exception.h"

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

std::string_view MemberInfo::ResultType() const
{
    std::string_view signature = Signature();
    size_t first = signature.find('%');
    if (first == std::string_view::npos)
        return {};
    size_t second = signature.find('%', first + 1);
    if (second == std::string_view::npos)
        return signature.substr(first + 1);
    return signature.substr(first + 1, second - first - 1);
}

std::string_view MemberInfo::Parameters() const
{
    std::string_view signature = Signature();
    size_t first = signature.find('%');
    size_t second = first == std::string_view::npos ? first : signature.find('%', first + 1);
    return second == std::string_view::npos ? std::string_view{} : signature.substr(second + 1);
}

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
        raiseRuntimeException(RuntimeException::__Lookup(),
                              "member " + std::string(Name()) + " cannot be invoked");
    return entry_->invoker(entry_->code, target, arguments);
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
