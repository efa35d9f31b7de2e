// Run-time information of published properties: each class lists its properties, its
// published methods (event handlers by name) and its published fields (the components of a
// form by name). Form resources and language files reach properties through this alone.
#pragma once

#include <any>
#include <cstdint>
#include <functional>
#include <initializer_list>
#include <string>
#include <type_traits>
#include <typeinfo>
#include <vector>

#include "System.h"

class TComponent;

enum class TTypeKind {
  tkUnknown, tkInteger, tkChar, tkEnumeration, tkFloat, tkString, tkSet, tkClass,
  tkMethod, tkWChar, tkLString, tkWString, tkVariant, tkArray, tkRecord, tkInterface,
  tkInt64, tkDynArray
};

// An enumeration type by its value names; value i is named Names[i]. Sets use the
// enumeration of their elements, one bit per value.
struct TEnumInfo {
  std::string Name;
  std::vector<std::string> Names;

  // The value of a name, ignoring the case of ASCII letters; -1 for an unknown name.
  int ValueOf(const std::string& name) const;
  const std::string& NameOf(int value) const;
};

extern const TEnumInfo BooleanType;

// One published property and the accessors of its kind.
struct TPropInfo {
  std::string Name;
  TTypeKind Kind = TTypeKind::tkUnknown;
  const TEnumInfo* EnumType = nullptr;     // tkEnumeration, and the elements of tkSet
  std::int64_t MinValue = 0;               // tkInteger: the bounds of the declared type
  std::int64_t MaxValue = 0;
  const TClassInfo* PropClass = nullptr;   // tkClass: the declared class
  const std::type_info* EventType = nullptr;  // tkMethod: the handler's function type

  std::function<std::int64_t(TObject*)> GetOrd;
  std::function<void(TObject*, std::int64_t)> SetOrd;
  std::function<double(TObject*)> GetFloat;
  std::function<void(TObject*, double)> SetFloat;
  std::function<std::string(TObject*)> GetStr;
  std::function<void(TObject*, const std::string&)> SetStr;
  std::function<TObject*(TObject*)> GetObj;
  std::function<void(TObject*, TObject*)> SetObj;
  // Stores a bound handler; false when the handler's type does not fit the event.
  std::function<bool(TObject*, const std::any&)> SetMethod;
};

// A published method: a handler that a form resource binds to an event by name.
struct TPublishedMethod {
  std::string Name;
  const std::type_info* Type;
  std::function<std::any(TObject* self)> Bind;  // a std::function of Type, bound to self
};

// A published field: the member of a form that receives the component of the same name.
struct TPublishedField {
  std::string Name;
  const TClassInfo* FieldClass;
  std::function<void(TObject* self, TObject* component)> Assign;
};

struct TClassInfo {
  std::string Name;
  const TClassInfo* Parent;
  std::vector<TPropInfo> Properties;
  std::vector<TPublishedMethod> Methods;
  std::vector<TPublishedField> Fields;
  // Creates an instance with the given owner; empty for classes that are not created by name.
  std::function<TObject*(TComponent* owner)> Create;

  TClassInfo(std::string name, const TClassInfo* parent, std::vector<TPropInfo> properties);

  bool InheritsFrom(const TClassInfo& ancestor) const;
  // Lookups walk the class and its ancestors and ignore the case of ASCII letters.
  const TPropInfo* FindProperty(const std::string& name) const;
  const TPublishedMethod* FindMethod(const std::string& name) const;
  const TPublishedField* FindField(const std::string& name) const;
};

// The classes that form resources may name.
void RegisterClass(const TClassInfo& info);
void RegisterClasses(std::initializer_list<const TClassInfo*> infos);
const TClassInfo* FindClass(const std::string& name);

// Property access by kind. Every setter checks the value before it touches the object, so
// a write that fails changes nothing.
const TPropInfo* GetPropInfo(const TObject* object, const std::string& name);
std::int64_t GetOrdProp(TObject* object, const TPropInfo& prop);
void SetOrdProp(TObject* object, const TPropInfo& prop, std::int64_t value);  // ERangeError
std::string GetEnumProp(TObject* object, const TPropInfo& prop);
void SetEnumProp(TObject* object, const TPropInfo& prop, const std::string& name);  // EPropertyConvertError
void SetSetProp(TObject* object, const TPropInfo& prop, const std::vector<std::string>& names);
double GetFloatProp(TObject* object, const TPropInfo& prop);
void SetFloatProp(TObject* object, const TPropInfo& prop, double value);
std::string GetStrProp(TObject* object, const TPropInfo& prop);
void SetStrProp(TObject* object, const TPropInfo& prop, const std::string& value);
TObject* GetObjectProp(TObject* object, const TPropInfo& prop);
void SetObjectProp(TObject* object, const TPropInfo& prop, TObject* value);
void SetMethodProp(TObject* object, const TPropInfo& prop, const std::any& handler);

// Builds the class information of C, one line per property next to its accessors:
//   TClassBuilder<TLabel>("TLabel", TGraphicControl::StaticClass()).Creatable()
//       .String("Caption", &TLabel::Caption, &TLabel::SetCaption) ...
template <class C>
class TClassBuilder {
 public:
  TClassBuilder(std::string name, const TClassInfo& parent) : info_(std::move(name), &parent, {}) {}

  TClassBuilder& Creatable() {
    info_.Create = [](TComponent* owner) -> TObject* { return new C(owner); };
    return *this;
  }

  template <class G, class S>
  TClassBuilder& Integer(std::string name, G get, S set, std::int64_t min = INT32_MIN,
                         std::int64_t max = INT32_MAX) {
    TPropInfo p = Ordinal(std::move(name), TTypeKind::tkInteger, get, set);
    p.MinValue = min;
    p.MaxValue = max;
    return Add(std::move(p));
  }

  template <class G, class S>
  TClassBuilder& Enum(std::string name, const TEnumInfo& type, G get, S set) {
    TPropInfo p = Ordinal(std::move(name), TTypeKind::tkEnumeration, get, set);
    p.EnumType = &type;
    p.MaxValue = static_cast<std::int64_t>(type.Names.size()) - 1;
    return Add(std::move(p));
  }

  template <class G, class S>
  TClassBuilder& Bool(std::string name, G get, S set) {
    return Enum(std::move(name), BooleanType, get, set);
  }

  template <class G, class S>
  TClassBuilder& Set(std::string name, const TEnumInfo& elements, G get, S set) {
    TPropInfo p = Ordinal(std::move(name), TTypeKind::tkSet, get, set);
    p.EnumType = &elements;
    return Add(std::move(p));
  }

  template <class G, class S>
  TClassBuilder& Float(std::string name, G get, S set) {
    TPropInfo p;
    p.Name = std::move(name);
    p.Kind = TTypeKind::tkFloat;
    p.GetFloat = [get](TObject* o) { return static_cast<double>((Self(o)->*get)()); };
    p.SetFloat = [set](TObject* o, double v) { (Self(o)->*set)(v); };
    return Add(std::move(p));
  }

  template <class G, class S>
  TClassBuilder& String(std::string name, G get, S set) {
    TPropInfo p;
    p.Name = std::move(name);
    p.Kind = TTypeKind::tkLString;
    p.GetStr = [get](TObject* o) { return std::string((Self(o)->*get)()); };
    p.SetStr = [set](TObject* o, const std::string& v) { (Self(o)->*set)(v); };
    return Add(std::move(p));
  }

  // A reference to an object. Without a setter the property only leads to the object it
  // holds (a font, a string list), whose own properties are then set.
  template <class T>
  TClassBuilder& Object(std::string name, T* (C::*get)() const, void (C::*set)(T*) = nullptr) {
    TPropInfo p;
    p.Name = std::move(name);
    p.Kind = TTypeKind::tkClass;
    p.PropClass = &T::StaticClass();
    p.GetObj = [get](TObject* o) -> TObject* { return (Self(o)->*get)(); };
    if (set) p.SetObj = [set](TObject* o, TObject* v) { (Self(o)->*set)(static_cast<T*>(v)); };
    return Add(std::move(p));
  }

  // An event: a std::function field that a published method of the same type can fill.
  template <class E>
  TClassBuilder& Event(std::string name, E C::*field) {
    TPropInfo p;
    p.Name = std::move(name);
    p.Kind = TTypeKind::tkMethod;
    p.EventType = &typeid(E);
    p.SetMethod = [field](TObject* o, const std::any& v) {
      const E* handler = std::any_cast<E>(&v);
      if (!handler) return false;
      Self(o)->*field = *handler;
      return true;
    };
    return Add(std::move(p));
  }

  // A property of a kind that neither form resources nor translations set (characters).
  TClassBuilder& Ignored(std::string name, TTypeKind kind) {
    TPropInfo p;
    p.Name = std::move(name);
    p.Kind = kind;
    return Add(std::move(p));
  }

  template <class... A>
  TClassBuilder& Method(std::string name, void (C::*method)(A...)) {
    using Handler = std::function<void(A...)>;
    info_.Methods.push_back({std::move(name), &typeid(Handler), [method](TObject* self) {
                               C* target = Self(self);
                               return std::any(Handler([target, method](A... args) {
                                 (target->*method)(std::forward<A>(args)...);
                               }));
                             }});
    return *this;
  }

  template <class T>
  TClassBuilder& Field(std::string name, T* C::*field) {
    info_.Fields.push_back({std::move(name), &T::StaticClass(), [field](TObject* self, TObject* c) {
                              Self(self)->*field = static_cast<T*>(c);
                            }});
    return *this;
  }

  operator TClassInfo() { return std::move(info_); }

 private:
  static C* Self(TObject* o) { return static_cast<C*>(o); }

  template <class G, class S>
  static TPropInfo Ordinal(std::string name, TTypeKind kind, G get, S set) {
    TPropInfo p;
    p.Name = std::move(name);
    p.Kind = kind;
    p.GetOrd = [get](TObject* o) { return static_cast<std::int64_t>((Self(o)->*get)()); };
    p.SetOrd = [set](TObject* o, std::int64_t v) { CallSetter(Self(o), set, v); };
    return p;
  }

  template <class T>
  static void CallSetter(C* self, void (C::*set)(T), std::int64_t v) {
    (self->*set)(static_cast<std::decay_t<T>>(v));
  }

  TClassBuilder& Add(TPropInfo p) {
    info_.Properties.push_back(std::move(p));
    return *this;
  }

  TClassInfo info_;
};
