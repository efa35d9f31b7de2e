// The resource-string loader. It stays a separate routine that is never inlined, cloned or
// folded with another: every message passes through its entry, which is what lets a
// language module redirect all of them.
#include <windows.h>

#include "System.h"

void* HInstance = GetModuleHandleW(nullptr);

void* FindResourceHInstance(void* instance) { return instance; }

int LoadStringResource(void* module, unsigned id, char* buffer, int size) {
  int n = LoadStringA(static_cast<HINSTANCE>(module), id, buffer, size);
  return n > 0 ? n : 0;
}

bool ProtectCode(void* address, std::size_t size, std::uint32_t protection,
                 std::uint32_t* oldProtection) {
  DWORD old = 0;
  if (!VirtualProtect(address, size, protection, &old)) return false;
  *oldProtection = old;
  return true;
}

__attribute__((noinline, noipa)) std::string LoadResString(const TResStringRec* rec) {
  if (!rec) return {};
  if (rec->Identifier >= 65536) return reinterpret_cast<const char*>(rec->Identifier);
  void* module = FindResourceHInstance(rec->Module ? *rec->Module : HInstance);
  char buffer[4096];
  int n = LoadStringResource(module, static_cast<unsigned>(rec->Identifier), buffer, sizeof buffer);
  return std::string(buffer, n);
}
