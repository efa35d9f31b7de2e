// Property lookup and assignment by kind, and the registry of classes by name.
#include "TypInfo.h"

#include <map>

#include "Consts.h"
#include "SysUtils.h"

const TEnumInfo BooleanType{"Boolean", {"False", "True"}};

int TEnumInfo::ValueOf(const std::string& name) const {
  for (std::size_t i = 0; i < Names.size(); ++i)
    if (SameText(Names[i], name)) return static_cast<int>(i);
  return -1;
}

const std::string& TEnumInfo::NameOf(int value) const {
  static const std::string empty;
  return value >= 0 && value < static_cast<int>(Names.size()) ? Names[value] : empty;
}

TClassInfo::TClassInfo(std::string name, const TClassInfo* parent,
                       std::vector<TPropInfo> properties)
    : Name(std::move(name)), Parent(parent), Properties(std::move(properties)) {}

bool TClassInfo::InheritsFrom(const TClassInfo& ancestor) const {
  for (const TClassInfo* c = this; c; c = c->Parent)
    if (c == &ancestor) return true;
  return false;
}

namespace {
template <class T>
const T* FindByName(const TClassInfo* info, std::vector<T> TClassInfo::*list,
                    const std::string& name) {
  if (name.empty()) return nullptr;
  for (const TClassInfo* c = info; c; c = c->Parent)
    for (const T& item : c->*list)
      if (SameText(item.Name, name)) return &item;
  return nullptr;
}
}  // namespace

const TPropInfo* TClassInfo::FindProperty(const std::string& name) const {
  return FindByName(this, &TClassInfo::Properties, name);
}

const TPublishedMethod* TClassInfo::FindMethod(const std::string& name) const {
  return FindByName(this, &TClassInfo::Methods, name);
}

const TPublishedField* TClassInfo::FindField(const std::string& name) const {
  return FindByName(this, &TClassInfo::Fields, name);
}

namespace {
std::map<std::string, const TClassInfo*>& Registry() {
  static std::map<std::string, const TClassInfo*> registry;
  return registry;
}
}  // namespace

void RegisterClass(const TClassInfo& info) { Registry()[UpperCase(info.Name)] = &info; }

void RegisterClasses(std::initializer_list<const TClassInfo*> infos) {
  for (const TClassInfo* info : infos) RegisterClass(*info);
}

const TClassInfo* FindClass(const std::string& name) {
  auto it = Registry().find(UpperCase(name));
  return it == Registry().end() ? nullptr : it->second;
}

const TPropInfo* GetPropInfo(const TObject* object, const std::string& name) {
  return object ? object->ClassType().FindProperty(name) : nullptr;
}

namespace {
[[noreturn]] void NotOfKind() { throw EPropertyError(LoadResString(&SInvalidPropertyValue)); }

void Require(bool condition) {
  if (!condition) NotOfKind();
}
}  // namespace

std::int64_t GetOrdProp(TObject* object, const TPropInfo& prop) {
  Require(static_cast<bool>(prop.GetOrd));
  return prop.GetOrd(object);
}

void SetOrdProp(TObject* object, const TPropInfo& prop, std::int64_t value) {
  Require(static_cast<bool>(prop.SetOrd));
  if (prop.Kind == TTypeKind::tkInteger || prop.Kind == TTypeKind::tkEnumeration) {
    if (value < prop.MinValue || value > prop.MaxValue)
      throw ERangeError(LoadResString(&SRangeError));
  }
  prop.SetOrd(object, value);
}

std::string GetEnumProp(TObject* object, const TPropInfo& prop) {
  Require(prop.EnumType != nullptr);
  return prop.EnumType->NameOf(static_cast<int>(GetOrdProp(object, prop)));
}

void SetEnumProp(TObject* object, const TPropInfo& prop, const std::string& name) {
  Require(prop.Kind == TTypeKind::tkEnumeration && prop.EnumType);
  int value = prop.EnumType->ValueOf(name);
  if (value < 0) throw EPropertyConvertError(LoadResFmt(&SInvalidPropertyElement, {name}));
  SetOrdProp(object, prop, value);
}

void SetSetProp(TObject* object, const TPropInfo& prop, const std::vector<std::string>& names) {
  Require(prop.Kind == TTypeKind::tkSet && prop.EnumType);
  std::int64_t bits = 0;
  for (const std::string& name : names) {
    int value = prop.EnumType->ValueOf(name);
    if (value < 0) throw EPropertyConvertError(LoadResFmt(&SInvalidPropertyElement, {name}));
    bits |= std::int64_t{1} << value;
  }
  SetOrdProp(object, prop, bits);
}

double GetFloatProp(TObject* object, const TPropInfo& prop) {
  Require(static_cast<bool>(prop.GetFloat));
  return prop.GetFloat(object);
}

void SetFloatProp(TObject* object, const TPropInfo& prop, double value) {
  Require(static_cast<bool>(prop.SetFloat));
  prop.SetFloat(object, value);
}

std::string GetStrProp(TObject* object, const TPropInfo& prop) {
  Require(static_cast<bool>(prop.GetStr));
  return prop.GetStr(object);
}

void SetStrProp(TObject* object, const TPropInfo& prop, const std::string& value) {
  Require(static_cast<bool>(prop.SetStr));
  prop.SetStr(object, value);
}

TObject* GetObjectProp(TObject* object, const TPropInfo& prop) {
  Require(static_cast<bool>(prop.GetObj));
  return prop.GetObj(object);
}

void SetObjectProp(TObject* object, const TPropInfo& prop, TObject* value) {
  Require(static_cast<bool>(prop.SetObj));
  if (value && prop.PropClass && !value->InheritsFrom(*prop.PropClass)) NotOfKind();
  prop.SetObj(object, value);
}

void SetMethodProp(TObject* object, const TPropInfo& prop, const std::any& handler) {
  Require(static_cast<bool>(prop.SetMethod));
  if (!prop.SetMethod(object, handler)) NotOfKind();
}
