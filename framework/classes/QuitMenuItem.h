#pragma once
// QuitMenuItem: the menu item that quits the application by itself.

#include "framework/classes/MenuItem.h"

namespace fw {

namespace QuitMenuItem {
const ClassTable* __Lookup();
}

// What choosing a Quit item does: asks the application to quit with 0.
// Returns true: the choice is handled.
bool QuitMenuAction(Object* item);

} // namespace fw
