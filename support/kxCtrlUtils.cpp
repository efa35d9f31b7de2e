// Child controls and class ancestries by name.
#include "kxCtrlUtils.h"

#include "Controls.h"

TControl* FindChildControl(const TWinControl* container, const std::string& name) {
  if (!container) return nullptr;
  for (int i = 0; i < container->ControlCount(); ++i) {
    TControl* child = container->Controls(i);
    if (AnsiCompareText(child->Name(), name) == 0) return child;
  }
  return nullptr;
}

bool InheritsFromClassName(const TObject* object, const std::string& className) {
  if (!object) return false;
  for (const TClassInfo* c = &object->ClassType(); c; c = c->Parent)
    if (AnsiCompareText(c->Name, className) == 0) return true;
  return false;
}
