// The resource-string loader. It stays a separate, never-inlined routine: every message
// passes through its entry, which is what lets a language module redirect all of them.
#include <windows.h>

#include "System.h"

void* HInstance = GetModuleHandleW(nullptr);

__attribute__((noinline)) std::string LoadResString(const TResStringRec* rec) {
  if (!rec) return {};
  if (rec->Identifier >= 65536) return reinterpret_cast<const char*>(rec->Identifier);
  HINSTANCE module = static_cast<HINSTANCE>(rec->Module ? *rec->Module : HInstance);
  char buffer[4096];
  int n = LoadStringA(module, static_cast<UINT>(rec->Identifier), buffer, sizeof buffer);
  return std::string(buffer, n > 0 ? n : 0);
}
