// Property-path translation: every key of the section named after a component's class is a
// path such as "pInfo.stInfo.Caption" or "Panels.Items(1).Text", resolved segment by segment
// through published properties, owned components and child controls, and the key's value is
// assigned to the property at its end by that property's kind.
//
// Translation only assigns and remembers nothing. A key that names nothing is passed over;
// an error (an unknown enumeration name, an integer out of range) ends the component's
// translation at that key, with the keys before it applied.
#include "Controls.h"
#include "IniFiles.h"
#include "deVadirazaUn.h"
#include "kxCtrlUtils.h"
#include "kxINIFile.h"
#include "kxLangFormat.h"
#include "kxStrUtils.h"

namespace {

// What every step of one key's resolution needs: where the value is, and under which name.
struct TKeyRef {
  TkxINIFile& Store;
  const std::string& Section;
  const std::string& Key;
};

void TranslatePath(const TKeyRef& ref, TObject* object, const std::string& rest);
void TranslateProperty(const TKeyRef& ref, TObject* object, const std::string& name,
                       const std::string& rest);

// A string list takes the whole value, split as a delimited list, when the path ends in
// exactly "Strings".
void TranslateStrings(const TKeyRef& ref, TStrings* strings, const std::string& rest) {
  if (rest != "Strings") return;
  strings->SetLines(SplitDelimitedList(ref.Store.ReadString(ref.Section, ref.Key, "")));
}

// "Items(n)" picks the item at index n; only the text between the first "(" and the first ")"
// counts, written like an integer value.
void TranslateCollection(const TKeyRef& ref, TCollection* collection, const std::string& rest) {
  const std::string segment = TextBefore(".", rest);
  std::int32_t index = -1;
  if (!IniStrToInt(TextAfter("(", TextBefore(")", segment)), &index)) index = -1;
  if (index < 0 || index >= collection->Count()) return;
  const std::string after = TextAfter(".", rest);
  TranslateProperty(ref, collection->Items(index), TextBefore(".", after), TextAfter(".", after));
}

// Behind an object-valued property only the object's published properties are followed.
void TranslateObject(const TKeyRef& ref, TObject* object, const std::string& rest) {
  if (!object) return;
  if (auto* strings = ObjectAs<TStrings>(object)) return TranslateStrings(ref, strings, rest);
  if (auto* collection = ObjectAs<TCollection>(object))
    return TranslateCollection(ref, collection, rest);
  TranslateProperty(ref, object, TextBefore(".", rest), TextAfter(".", rest));
}

void TranslateProperty(const TKeyRef& ref, TObject* object, const std::string& name,
                       const std::string& rest) {
  const TPropInfo* prop = GetPropInfo(object, name);
  if (!prop) return;
  switch (prop->Kind) {
    case TTypeKind::tkInteger:
      SetOrdProp(object, *prop, ref.Store.ReadInteger(ref.Section, ref.Key, 0));
      return;
    case TTypeKind::tkEnumeration:
      // Enumeration names are bare identifiers, never quoted literals.
      SetEnumProp(object, *prop, ref.Store.ReadString(ref.Section, ref.Key, ""));
      return;
    case TTypeKind::tkFloat:
      SetFloatProp(object, *prop, ref.Store.ReadFloat(ref.Section, ref.Key, 0.0));
      return;
    case TTypeKind::tkString:
    case TTypeKind::tkLString:
    case TTypeKind::tkWString:
      SetStrProp(object, *prop, DecodeQuotedString(ref.Store.ReadString(ref.Section, ref.Key, "")));
      return;
    case TTypeKind::tkClass:
      TranslateObject(ref, GetObjectProp(object, *prop), rest);
      return;
    default:
      // Sets, events, characters and the other kinds are not translated.
      return;
  }
}

// A published property wins over an owned component of the same name, and an owned
// component over a child control.
void TranslatePath(const TKeyRef& ref, TObject* object, const std::string& rest) {
  const std::string head = TextBefore(".", rest);
  const std::string tail = TextAfter(".", rest);
  // A path that ends at a component or control names no property.
  if (head.empty()) return;
  if (GetPropInfo(object, head)) return TranslateProperty(ref, object, head, tail);
  if (auto* component = ObjectAs<TComponent>(object)) {
    if (TComponent* owned = component->FindComponent(head)) return TranslatePath(ref, owned, tail);
  }
  if (auto* container = ObjectAs<TWinControl>(object)) {
    if (TControl* child = FindChildControl(container, head)) return TranslatePath(ref, child, tail);
  }
}

}  // namespace

void TkxCorePolyglot::TranslateComponent(TComponent* component) {
  if (!store_) return;
  // The most derived class names the section; its ancestors' sections are not consulted.
  const std::string section = component->ClassName();
  TStringList keys;
  store_->ReadSection(section, keys);
  const int count = keys.Count();
  for (int i = 0; i < count; ++i) {
    const std::string key = keys[i];
    TranslatePath(TKeyRef{*store_, section, key}, component, key);
  }
}
