#pragma once
// Reading and writing an object's properties by the names in its class's
// property table, and applying a whole property list.

#include "framework/runtime/ClassTable.h"

#include <string_view>

namespace fw {

// The slot of the named property; a framework fault when the class has none.
uint32_t propertySlot(const ClassTable* classTable, std::string_view name);

// Stores value in the slot and tells the object that it changed. A framework
// fault naming the class and the property when the value is of another kind
// than the property declares, or the property is derived.
void setProperty(Object* object, uint32_t slot, StoredValue value);
void setProperty(Object* object, std::string_view name, StoredValue value);

// The value in the property's slot, or a derived property's value now.
StoredValue propertyValue(const Object* object, std::string_view name);
int32_t intProperty(const Object* object, std::string_view name);           // 0 when unset; an Enum8 widened
bool boolProperty(const Object* object, std::string_view name);             // false when unset
float singleProperty(const Object* object, std::string_view name);          // 0 when unset
std::string_view textProperty(const Object* object, std::string_view name); // empty when unset
Colour colourProperty(const Object* object, std::string_view name);         // black when unset
Object* objectProperty(const Object* object, std::string_view name);        // borrowed; nil when unset

// Applies every setting of the list, in stored order, through the object's
// property table. A malformed list or a setting the class does not take
// raises RuntimeException naming the setting and the byte offset; the
// settings before it stay applied.
void RuntimeMassPropertySetter(Object* object, String* list);
inline void _SetProperties(Object* object, String* list) { RuntimeMassPropertySetter(object, list); }

} // namespace fw
