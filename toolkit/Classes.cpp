// Lists and components.
#include "Classes.h"

#include <algorithm>

#include "Consts.h"

const TClassInfo& TPersistent::StaticClass() {
  static const TClassInfo info = TClassBuilder<TPersistent>("TPersistent", TObject::StaticClass());
  return info;
}

void TPersistent::Assign(TPersistent* source) {
  (void)source;
  throw EConvertError(LoadResString(&SInvalidPropertyValue));
}

void ListIndexError(int index) { throw EListError(LoadResFmt(&SListIndexError, {index})); }

void* TList::Get(int index) const {
  if (index < 0 || index >= Count()) ListIndexError(index);
  return items_[index];
}

int TList::Add(void* item) {
  items_.push_back(item);
  return Count() - 1;
}

int TList::IndexOf(void* item) const {
  auto it = std::find(items_.begin(), items_.end(), item);
  return it == items_.end() ? -1 : static_cast<int>(it - items_.begin());
}

int TList::Remove(void* item) {
  int index = IndexOf(item);
  if (index >= 0) items_.erase(items_.begin() + index);
  return index;
}

void TList::Delete(int index) {
  if (index < 0 || index >= Count()) ListIndexError(index);
  items_.erase(items_.begin() + index);
}

void TList::Insert(int index, void* item) {
  if (index < 0 || index > Count()) ListIndexError(index);
  items_.insert(items_.begin() + index, item);
}

// ---- TStrings

const TClassInfo& TStrings::StaticClass() {
  static const TClassInfo info = TClassBuilder<TStrings>("TStrings", TPersistent::StaticClass());
  return info;
}

void TStrings::Put(int index, const std::string& s) {
  TObject* object = Objects(index);
  Delete(index);
  InsertObject(index, s, object);
}

TObject* TStrings::Objects(int index) const {
  (void)index;
  return nullptr;
}

void TStrings::PutObject(int index, TObject* object) {
  (void)index;
  (void)object;
}

void TStrings::InsertObject(int index, const std::string& s, TObject* object) {
  Insert(index, s);
  PutObject(index, object);
}

int TStrings::Add(const std::string& s) {
  int index = Count();
  Insert(index, s);
  return index;
}

int TStrings::AddObject(const std::string& s, TObject* object) {
  int index = Add(s);
  PutObject(index, object);
  return index;
}

int TStrings::IndexOf(const std::string& s) const {
  for (int i = 0; i < Count(); ++i)
    if (AnsiCompareText(Get(i), s) == 0) return i;
  return -1;
}

std::string TStrings::Text() const {
  std::string text;
  for (int i = 0; i < Count(); ++i) text += Get(i) + "\r\n";
  return text;
}

namespace {
std::vector<std::string> SplitLines(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\r' && text[i] != '\n') continue;
    lines.push_back(text.substr(start, i - start));
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
    start = i + 1;
  }
  if (start < text.size()) lines.push_back(text.substr(start));
  return lines;
}
}  // namespace

void TStrings::SetText(const std::string& text) { SetLines(SplitLines(text)); }

void TStrings::SetLines(const std::vector<std::string>& lines) {
  BeginUpdate();
  try {
    Clear();
    for (const std::string& line : lines) Add(line);
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
}

std::vector<std::string> TStrings::Lines() const {
  std::vector<std::string> lines;
  lines.reserve(Count());
  for (int i = 0; i < Count(); ++i) lines.push_back(Get(i));
  return lines;
}

void TStrings::Assign(TPersistent* source) {
  if (auto* other = ObjectAs<TStrings>(source)) {
    SetLines(other->Lines());
    return;
  }
  TPersistent::Assign(source);
}

void TStrings::EndUpdate() {
  if (--updateCount_ == 0) Changed();
}

// ---- TStringList

const TClassInfo& TStringList::StaticClass() {
  static const TClassInfo info = TClassBuilder<TStringList>("TStringList", TStrings::StaticClass());
  return info;
}

void TStringList::CheckIndex(int index) const {
  if (index < 0 || index >= Count()) ListIndexError(index);
}

std::string TStringList::Get(int index) const {
  CheckIndex(index);
  return items_[index].text;
}

void TStringList::Put(int index, const std::string& s) {
  if (sorted_) throw EStringListError(LoadResString(&SSortedListError));
  CheckIndex(index);
  items_[index].text = s;
  Changed();
}

TObject* TStringList::Objects(int index) const {
  CheckIndex(index);
  return items_[index].object;
}

void TStringList::PutObject(int index, TObject* object) {
  CheckIndex(index);
  items_[index].object = object;
}

void TStringList::Insert(int index, const std::string& s) { InsertObject(index, s, nullptr); }

void TStringList::InsertObject(int index, const std::string& s, TObject* object) {
  if (sorted_) throw EStringListError(LoadResString(&SSortedListError));
  if (index < 0 || index > Count()) ListIndexError(index);
  items_.insert(items_.begin() + index, Item{s, object});
  Changed();
}

void TStringList::Delete(int index) {
  CheckIndex(index);
  items_.erase(items_.begin() + index);
  Changed();
}

void TStringList::Clear() {
  if (items_.empty()) return;
  items_.clear();
  Changed();
}

int TStringList::Add(const std::string& s) {
  if (!sorted_) {
    items_.push_back(Item{s, nullptr});
    Changed();
    return Count() - 1;
  }
  int index;
  if (Find(s, &index)) {
    if (duplicates_ == TDuplicates::dupIgnore) return index;
    if (duplicates_ == TDuplicates::dupError)
      throw EStringListError(LoadResString(&SDuplicateString));
  }
  items_.insert(items_.begin() + index, Item{s, nullptr});
  Changed();
  return index;
}

int TStringList::Compare(const std::string& a, const std::string& b) const {
  return caseSensitive_ ? AnsiCompareStr(a, b) : AnsiCompareText(a, b);
}

int TStringList::IndexOf(const std::string& s) const {
  if (sorted_) {
    int index;
    return Find(s, &index) ? index : -1;
  }
  for (int i = 0; i < Count(); ++i)
    if (Compare(items_[i].text, s) == 0) return i;
  return -1;
}

void TStringList::SetLines(const std::vector<std::string>& lines) {
  items_.clear();
  items_.reserve(lines.size());
  for (const std::string& line : lines) items_.push_back(Item{line, nullptr});
  if (sorted_) Sort();
  Changed();
}

void TStringList::SetSorted(bool value) {
  if (sorted_ == value) return;
  sorted_ = value;
  if (sorted_) Sort();
}

void TStringList::SetCaseSensitive(bool value) {
  if (caseSensitive_ == value) return;
  caseSensitive_ = value;
  if (sorted_) Sort();
}

bool TStringList::Find(const std::string& s, int* index) const {
  int low = 0, high = Count() - 1;
  bool found = false;
  while (low <= high) {
    int mid = (low + high) / 2;
    int c = Compare(items_[mid].text, s);
    if (c < 0) {
      low = mid + 1;
    } else {
      high = mid - 1;
      if (c == 0) {
        found = true;
        if (duplicates_ != TDuplicates::dupAccept) low = mid;
      }
    }
  }
  *index = low;
  return found;
}

void TStringList::Sort() {
  std::stable_sort(items_.begin(), items_.end(),
                   [this](const Item& a, const Item& b) { return Compare(a.text, b.text) < 0; });
  Changed();
}

void TStringList::Changed() {
  if (!Updating() && OnChange) OnChange(this);
}

// ---- TCollection

const TClassInfo& TCollectionItem::StaticClass() {
  static const TClassInfo info =
      TClassBuilder<TCollectionItem>("TCollectionItem", TPersistent::StaticClass());
  return info;
}

TCollectionItem::TCollectionItem(TCollection* collection) : collection_(collection) {
  if (collection_) {
    collection_->items_.push_back(this);
    collection_->Changed(nullptr);
  }
}

TCollectionItem::~TCollectionItem() {
  if (!collection_) return;
  auto& items = collection_->items_;
  items.erase(std::remove(items.begin(), items.end(), this), items.end());
  collection_->Changed(nullptr);
}

int TCollectionItem::Index() const {
  if (!collection_) return -1;
  const auto& items = collection_->items_;
  return static_cast<int>(std::find(items.begin(), items.end(), this) - items.begin());
}

void TCollectionItem::Changed() {
  if (collection_) collection_->Changed(this);
}

const TClassInfo& TCollection::StaticClass() {
  static const TClassInfo info = TClassBuilder<TCollection>("TCollection", TPersistent::StaticClass());
  return info;
}

TCollection::~TCollection() {
  // The items must not report back to a collection that is going away.
  for (TCollectionItem* item : items_) {
    item->collection_ = nullptr;
    delete item;
  }
}

TCollectionItem* TCollection::Items(int index) const {
  if (index < 0 || index >= Count()) ListIndexError(index);
  return items_[index];
}

TCollectionItem* TCollection::Add() { return CreateItem(); }

void TCollection::Delete(int index) { delete Items(index); }

void TCollection::Clear() {
  if (items_.empty()) return;
  BeginUpdate();
  while (!items_.empty()) delete items_.back();
  EndUpdate();
}

void TCollection::EndUpdate() {
  if (--updateCount_ == 0) Update(nullptr);
}

void TCollection::Changed(TCollectionItem* item) {
  if (updateCount_ == 0) Update(item);
}

// ---- TComponent

const TClassInfo& TComponent::StaticClass() {
  static const TClassInfo info =
      TClassBuilder<TComponent>("TComponent", TPersistent::StaticClass())
          .String("Name", &TComponent::Name, &TComponent::SetName)
          .Integer("Tag", &TComponent::Tag, &TComponent::SetTag, INT32_MIN, INT32_MAX);
  return info;
}

TComponent::TComponent(TComponent* owner) : owner_(nullptr) {
  if (owner) owner->InsertComponent(this);
}

TComponent::~TComponent() {
  state_ |= csDestroying;
  for (TComponent* c : std::vector<TComponent*>(freeNotifies_)) {
    c->RemoveFreeNotification(this);
    c->Notification(this, TOperation::opRemove);
  }
  freeNotifies_.clear();
  DestroyComponents();
  if (owner_) owner_->RemoveComponent(this);
}

void TComponent::DestroyComponents() {
  while (!components_.empty()) {
    TComponent* last = components_.back();
    RemoveComponent(last);
    delete last;
  }
}

void TComponent::InsertComponent(TComponent* component) {
  components_.push_back(component);
  component->owner_ = this;
}

void TComponent::RemoveComponent(TComponent* component) {
  auto it = std::find(components_.begin(), components_.end(), component);
  if (it == components_.end()) return;
  components_.erase(it);
  component->owner_ = nullptr;
  Notification(component, TOperation::opRemove);
}

void TComponent::Notification(TComponent* component, TOperation operation) {
  if (operation == TOperation::opRemove) RemoveFreeNotification(component);
  for (TComponent* c : std::vector<TComponent*>(components_))
    if (c != component) c->Notification(component, operation);
}

void TComponent::FreeNotification(TComponent* component) {
  if (!component || component == this) return;
  if (std::find(freeNotifies_.begin(), freeNotifies_.end(), component) == freeNotifies_.end())
    freeNotifies_.push_back(component);
  if (std::find(component->freeNotifies_.begin(), component->freeNotifies_.end(), this) ==
      component->freeNotifies_.end())
    component->freeNotifies_.push_back(this);
}

void TComponent::RemoveFreeNotification(TComponent* component) {
  auto drop = [](std::vector<TComponent*>& list, TComponent* c) {
    list.erase(std::remove(list.begin(), list.end(), c), list.end());
  };
  drop(freeNotifies_, component);
  if (component) drop(component->freeNotifies_, this);
}

TComponent* TComponent::Components(int index) const {
  if (index < 0 || index >= ComponentCount()) ListIndexError(index);
  return components_[index];
}

int TComponent::ComponentIndex() const {
  if (!owner_) return -1;
  auto& list = owner_->components_;
  return static_cast<int>(std::find(list.begin(), list.end(), this) - list.begin());
}

TComponent* TComponent::FindComponent(const std::string& name) const {
  if (name.empty()) return nullptr;
  for (TComponent* c : components_)
    if (AnsiCompareText(c->name_, name) == 0) return c;
  return nullptr;
}

bool IsValidIdent(const std::string& name) {
  if (name.empty()) return false;
  for (std::size_t i = 0; i < name.size(); ++i) {
    char c = name[i];
    bool letter = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_';
    bool digit = c >= '0' && c <= '9';
    if (!letter && !(digit && i > 0)) return false;
  }
  return true;
}

void TComponent::SetName(const std::string& name) {
  if (name == name_) return;
  if (!name.empty() && !IsValidIdent(name))
    throw EComponentError(LoadResFmt(&SInvalidName, {name}));
  if (owner_ && !name.empty()) {
    TComponent* other = owner_->FindComponent(name);
    if (other && other != this) throw EComponentError(LoadResFmt(&SDuplicateName, {name}));
  }
  name_ = name;
}

void TComponent::SetDesigning(bool value) {
  if (value)
    state_ |= csDesigning;
  else
    state_ &= ~csDesigning;
  for (TComponent* c : components_) c->SetDesigning(value);
}

void TComponent::SetParentComponent(TComponent* parent) { (void)parent; }

void TComponent::Loaded() { state_ &= ~(csLoading | csReading); }
