// Component lookups of the localisation engine: a child control by name, and a class
// ancestry by name.
#pragma once

#include <string>

class TControl;
class TWinControl;
class TObject;

// The first direct child control of container (in the toolkit's child order: controls
// without a window first, then windowed ones) whose name equals name without regard to
// case by the user's locale; nullptr for a nil container or when none matches. Children of
// children are not searched.
TControl* FindChildControl(const TWinControl* container, const std::string& name);

// Whether the object's class, or a class it derives from, bears the name (compared without
// regard to case by the user's locale). Unrelated classes of the same name match alike.
bool InheritsFromClassName(const TObject* object, const std::string& className);
