// The resource-string loader of the native build, which has no string table: the texts
// come from ResStringTable.inc, which the native build generates from Consts.rc.
#include "System.h"

namespace {

struct StringEntry {
  std::intptr_t Identifier;
  const char* Text;
};

const StringEntry kStrings[] = {
#include "ResStringTable.inc"
};

}  // namespace

void* HInstance = nullptr;

std::string LoadResString(const TResStringRec* rec) {
  if (!rec) return {};
  if (rec->Identifier >= 65536) return reinterpret_cast<const char*>(rec->Identifier);
  for (const StringEntry& entry : kStrings)
    if (entry.Identifier == rec->Identifier) return entry.Text;
  return {};
}
