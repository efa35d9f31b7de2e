// The root of the toolkit: the object base with run-time class information, and
// resource strings, the program's one road to every message text.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

struct TClassInfo;

// Every toolkit class derives from TObject and declares its class information with
// DECLARE_CLASS, so that it can be found, created and inspected by name at run time.
class TObject {
 public:
  TObject() = default;
  TObject(const TObject&) = delete;
  TObject& operator=(const TObject&) = delete;
  virtual ~TObject() = default;

  static const TClassInfo& StaticClass();
  virtual const TClassInfo& ClassType() const { return StaticClass(); }

  const std::string& ClassName() const;
  bool InheritsFrom(const TClassInfo& ancestor) const;
};

// Declares the class information of a TObject descendant; the matching definition of
// StaticClass() lives in the class's source file, next to its property accessors.
#define DECLARE_CLASS(Self, Parent)                                   \
 public:                                                              \
  using inherited = Parent;                                           \
  static const TClassInfo& StaticClass();                             \
  const TClassInfo& ClassType() const override { return StaticClass(); }

// Downcast that yields nullptr when the object is not of class T (Delphi's "as"/"is").
template <class T>
T* ObjectAs(TObject* object) {
  return object && object->InheritsFrom(T::StaticClass()) ? static_cast<T*>(object) : nullptr;
}

// A resource string: the module whose string table holds it, and its number. A number of
// 65536 or more is instead the address of a zero-terminated text.
struct TResStringRec {
  void* const* Module;
  std::intptr_t Identifier;
};

// The instance handle of the executable, as the string-table records refer to it.
extern void* HInstance;

// The module whose string table holds the resource strings of the given instance. Strings
// are not kept in separate resource modules here, so it is the instance itself.
void* FindResourceHInstance(void* instance);

// Copies string resource id of module into buffer, cut to size - 1 bytes and ended by a
// zero byte (the system's LoadStringA); returns the number of bytes copied, 0 for a string
// that does not exist.
int LoadStringResource(void* module, unsigned id, char* buffer, int size);

// The protection of code memory, for the one routine that redirects the resource-string
// loader. Sets the protection of size bytes at address and delivers the flags they had;
// false when the system refuses (its last error says why).
constexpr std::uint32_t kPageExecuteReadWrite = 0x40;
bool ProtectCode(void* address, std::size_t size, std::uint32_t protection,
                 std::uint32_t* oldProtection);

// Loads the text of a resource string. Every message of the program and the toolkit is
// loaded through this one routine at the moment it is shown; it is kept out of line on
// purpose, so that there is exactly one entry to intercept.
std::string LoadResString(const TResStringRec* rec);

// Declares a resource string by its number in the string table.
#define RESOURCE_STRING(Name, Id) const TResStringRec Name = {&HInstance, Id}
