// Persistent objects, components with owner and name, lists of references and lists of
// texts. Nothing here needs a window.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "SysUtils.h"
#include "TypInfo.h"

using TNotifyEvent = std::function<void(TObject* Sender)>;

// An object whose published properties can be stored in a form resource.
class TPersistent : public TObject {
  DECLARE_CLASS(TPersistent, TObject)
 public:
  virtual void Assign(TPersistent* source);
};

// An ordered list of object references, with bounds-checked access.
class TList {
 public:
  int Count() const { return static_cast<int>(items_.size()); }
  void* Get(int index) const;  // EListError "List index out of bounds (%d)"
  int Add(void* item);
  int IndexOf(void* item) const;
  int Remove(void* item);  // the first occurrence; -1 when absent
  void Delete(int index);
  void Insert(int index, void* item);
  void Clear() { items_.clear(); }

 private:
  std::vector<void*> items_;
};

[[noreturn]] void ListIndexError(int index);

// An ordered list of texts, each with an optional object.
class TStrings : public TPersistent {
  DECLARE_CLASS(TStrings, TPersistent)
 public:
  virtual int Count() const = 0;
  virtual std::string Get(int index) const = 0;
  virtual void Put(int index, const std::string& s);
  virtual TObject* Objects(int index) const;
  virtual void PutObject(int index, TObject* object);
  virtual void Insert(int index, const std::string& s) = 0;
  virtual void InsertObject(int index, const std::string& s, TObject* object);
  virtual void Delete(int index) = 0;
  virtual void Clear() = 0;
  virtual int Add(const std::string& s);
  int AddObject(const std::string& s, TObject* object);
  // The first entry equal to s, compared without regard to case by the user's locale.
  virtual int IndexOf(const std::string& s) const;
  std::string operator[](int index) const { return Get(index); }

  // The lines joined, each followed by CR LF; setting splits at CR LF, CR or LF, and a
  // final line break makes no empty last line.
  virtual std::string Text() const;
  virtual void SetText(const std::string& text);
  // Replaces the whole content by the given lines in one change.
  virtual void SetLines(const std::vector<std::string>& lines);
  std::vector<std::string> Lines() const;
  void Assign(TPersistent* source) override;

  void BeginUpdate() { ++updateCount_; }
  void EndUpdate();

 protected:
  bool Updating() const { return updateCount_ > 0; }
  virtual void Changed() {}

 private:
  int updateCount_ = 0;
};

enum class TDuplicates { dupIgnore, dupAccept, dupError };

class TStringList : public TStrings {
  DECLARE_CLASS(TStringList, TStrings)
 public:
  TStringList() = default;

  int Count() const override { return static_cast<int>(items_.size()); }
  std::string Get(int index) const override;
  void Put(int index, const std::string& s) override;
  TObject* Objects(int index) const override;
  void PutObject(int index, TObject* object) override;
  void Insert(int index, const std::string& s) override;
  void InsertObject(int index, const std::string& s, TObject* object) override;
  void Delete(int index) override;
  void Clear() override;
  int Add(const std::string& s) override;
  int IndexOf(const std::string& s) const override;
  void SetLines(const std::vector<std::string>& lines) override;

  // Sorted lists keep ascending order by the user's locale, ignoring case unless
  // CaseSensitive is set.
  bool Sorted() const { return sorted_; }
  void SetSorted(bool value);
  bool CaseSensitive() const { return caseSensitive_; }
  void SetCaseSensitive(bool value);
  TDuplicates Duplicates() const { return duplicates_; }
  void SetDuplicates(TDuplicates value) { duplicates_ = value; }
  // Binary search of a sorted list: true when found, *index the position or insertion point.
  bool Find(const std::string& s, int* index) const;
  void Sort();

  TNotifyEvent OnChange;

 protected:
  void Changed() override;

 private:
  struct Item {
    std::string text;
    TObject* object;
  };
  int Compare(const std::string& a, const std::string& b) const;
  void CheckIndex(int index) const;

  std::vector<Item> items_;
  bool sorted_ = false;
  bool caseSensitive_ = false;
  TDuplicates duplicates_ = TDuplicates::dupIgnore;
};

class TCollection;

// One item of a collection: a persistent object whose published properties form resources
// and language files set like those of a component. Its collection owns it.
class TCollectionItem : public TPersistent {
  DECLARE_CLASS(TCollectionItem, TPersistent)
 public:
  explicit TCollectionItem(TCollection* collection);
  ~TCollectionItem() override;

  TCollection* Collection() const { return collection_; }
  // The item's 0-based position in its collection.
  int Index() const;

 protected:
  // Tells the collection that this item's properties changed.
  void Changed();

 private:
  friend class TCollection;
  TCollection* collection_;
};

// An ordered list of items of one class, which it owns and frees.
class TCollection : public TPersistent {
  DECLARE_CLASS(TCollection, TPersistent)
 public:
  TCollection() = default;
  ~TCollection() override;

  int Count() const { return static_cast<int>(items_.size()); }
  TCollectionItem* Items(int index) const;  // EListError "List index out of bounds (%d)"
  // Appends a new item of the collection's item class and returns it.
  TCollectionItem* Add();
  void Delete(int index);
  void Clear();

  void BeginUpdate() { ++updateCount_; }
  void EndUpdate();

 protected:
  // Makes a new item of the collection's own item class; the item adds itself.
  virtual TCollectionItem* CreateItem() = 0;
  // Called after a change: of one item's properties (item), or of the list (nullptr).
  virtual void Update(TCollectionItem* item) {}

 private:
  friend class TCollectionItem;
  void Changed(TCollectionItem* item);

  std::vector<TCollectionItem*> items_;
  int updateCount_ = 0;
};

enum class TOperation { opInsert, opRemove };

enum TComponentStateFlag : std::uint32_t {
  csLoading = 1 << 0,
  csReading = 1 << 1,
  csWriting = 1 << 2,
  csDestroying = 1 << 3,
  csDesigning = 1 << 4,
};

// A persistent object with an owner, which frees it, and a name unique among the
// components of that owner.
class TComponent : public TPersistent {
  DECLARE_CLASS(TComponent, TPersistent)
 public:
  explicit TComponent(TComponent* owner);
  ~TComponent() override;

  TComponent* Owner() const { return owner_; }
  const std::string& Name() const { return name_; }
  virtual void SetName(const std::string& name);  // EComponentError for a clash or bad name
  std::intptr_t Tag() const { return tag_; }
  void SetTag(std::intptr_t tag) { tag_ = tag; }
  std::uint32_t ComponentState() const { return state_; }
  bool HasState(std::uint32_t flags) const { return (state_ & flags) != 0; }
  void SetDesigning(bool value);

  int ComponentCount() const { return static_cast<int>(components_.size()); }
  TComponent* Components(int index) const;
  int ComponentIndex() const;
  // The first owned component whose name equals name without regard to case (the user's
  // locale); nullptr for the empty name.
  TComponent* FindComponent(const std::string& name) const;

  // Asks to be told (Notification with opRemove) when component goes away, for references
  // that cross owners.
  void FreeNotification(TComponent* component);
  void RemoveFreeNotification(TComponent* component);

  // The form-resource protocol: a nested object is handed to its container, and every
  // component read from a resource hears Loaded once all references are resolved.
  virtual void SetParentComponent(TComponent* parent);
  virtual void Loaded();
  void BeginLoading() { state_ |= csLoading | csReading; }
  void EndReading() { state_ &= ~csReading; }

 protected:
  virtual void Notification(TComponent* component, TOperation operation);
  // Frees the owned components, last first.
  void DestroyComponents();

 private:
  void InsertComponent(TComponent* component);
  void RemoveComponent(TComponent* component);

  TComponent* owner_;
  std::string name_;
  std::intptr_t tag_ = 0;
  std::uint32_t state_ = 0;
  std::vector<TComponent*> components_;
  std::vector<TComponent*> freeNotifies_;
};

bool IsValidIdent(const std::string& name);
