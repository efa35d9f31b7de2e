// Resource strings in the current language. Every message of the program and the toolkit
// is loaded through LoadResString, and no caller knows of languages; so the core writes a
// jump over that routine's entry to NewLoadResString, which asks the current language file
// first and the executable's string table after.
#include <cstring>

#include "SysUtils.h"
#include "deVadirazaConst.h"
#include "deVadirazaUn.h"
#include "kxINIFile.h"
#include "kxStrUtils.h"

namespace {
constexpr std::uint8_t kRelativeJump = 0xE9;
constexpr std::size_t kJumpSize = 5;
// Identifiers of 65536 and above are the addresses of zero-terminated texts.
constexpr std::intptr_t kFirstTextAddress = 65536;
// The fallback's buffer: a string-table text comes back cut to 1023 bytes.
constexpr int kFallbackBufferSize = 1024;
const char* const kResourceStringsSection = "ResourceStrings";

// The displacement of a jump from target to replacement, which must fit 32 bits; on a
// 32-bit system every distance does, modulo 2^32.
std::uint32_t JumpDisplacement(std::uintptr_t target, std::uintptr_t replacement) {
  const std::uintptr_t displacement = replacement - (target + kJumpSize);
  if constexpr (sizeof(std::uintptr_t) > 4) {
    const auto distance = static_cast<std::intptr_t>(displacement);
    if (distance < INT32_MIN || distance > INT32_MAX) throw Exception(SHookOutOfReach);
  }
  return static_cast<std::uint32_t>(displacement);
}

// A cut at the buffer's end can split a character of several bytes, whose first bytes
// alone would be no text: they are dropped.
std::size_t WholeCharacters(const char* text, std::size_t length) {
  std::size_t lead = length;
  while (lead > 0 && (static_cast<unsigned char>(text[lead - 1]) & 0xC0) == 0x80) --lead;
  if (lead == 0) return length;
  const unsigned char c = static_cast<unsigned char>(text[lead - 1]);
  const std::size_t expected = c >= 0xF0 ? 4 : c >= 0xE0 ? 3 : c >= 0xC0 ? 2 : 1;
  return length - (lead - 1) < expected ? lead - 1 : length;
}

// The key names of [ResourceStrings] that stand for an identifier: the number alone, or the
// number, "_" and any text, with blanks around the number allowed.
bool KeyNamesIdentifier(const std::string& key, const std::string& idText) {
  return Trim(TextBefore("_", key)) == idText;
}
}  // namespace

// ---- THook

const TClassInfo& THook::StaticClass() {
  static const TClassInfo info("THook", &TObject::StaticClass(), {});
  return info;
}

void THook::BuildJump(std::uintptr_t target, std::uintptr_t replacement, std::uint8_t jump[5]) {
  const std::uint32_t displacement = JumpDisplacement(target, replacement);
  jump[0] = kRelativeJump;
  for (std::size_t i = 0; i < 4; ++i) jump[1 + i] = static_cast<std::uint8_t>(displacement >> (8 * i));
}

THook::THook(void* target, void* replacement) {
  Target = static_cast<std::uint8_t*>(target);
  BuildJump(reinterpret_cast<std::uintptr_t>(target), reinterpret_cast<std::uintptr_t>(replacement),
            JumpCode);
  // Code is readable under its normal protection, so the bytes are saved before it changes.
  std::memcpy(SavedCode, Target, kJumpSize);
  if (!ProtectCode(Target, kJumpSize, kPageExecuteReadWrite, &OldProtection)) RaiseLastOSError();
  Enabled_ = false;
}

THook::~THook() {
  SetEnabled(false);
  // A destructor cannot raise; a protection that cannot be put back leaves the five bytes
  // writable, which is harmless now that they hold the routine's own code again.
  std::uint32_t ignored;
  ProtectCode(Target, kJumpSize, OldProtection, &ignored);
}

void THook::SetEnabled(bool value) {
  if (value == Enabled_) return;
  const std::uint8_t* code = value ? JumpCode : SavedCode;
  // Plain byte stores, first to last: nothing else runs on the patched routine meanwhile.
  volatile std::uint8_t* target = Target;
  for (std::size_t i = 0; i < kJumpSize; ++i) target[i] = code[i];
  Enabled_ = value;
}

// ---- the replacement loader

std::string NewLoadResString(const TResStringRec* rec) {
  if (!rec) return {};
  if (rec->Identifier >= kFirstTextAddress) return reinterpret_cast<const char*>(rec->Identifier);
  const auto id = static_cast<std::int32_t>(rec->Identifier);
  std::string text;
  // The jump is in place only while the core exists; the test costs nothing.
  TkxCorePolyglot* core = TkxCorePolyglot::GetCorePolyglot();
  if (core && core->TranslateResString(id, text)) return text;
  // The patched routine cannot be called, so its loading is repeated here.
  void* module = FindResourceHInstance(rec->Module ? *rec->Module : HInstance);
  char buffer[kFallbackBufferSize];
  const int n = LoadStringResource(module, static_cast<unsigned>(id), buffer, kFallbackBufferSize);
  return std::string(buffer, WholeCharacters(buffer, static_cast<std::size_t>(n)));
}

// ---- the core's lookup

bool TkxCorePolyglot::TranslateResString(std::int32_t id, std::string& text) {
  TLockGuard lock(*dataLock_);
  if (!store_) return false;
  TStringList keys;
  store_->ReadSection(kResourceStringsSection, keys);
  const std::string idText = IntToStr(id);
  const int count = keys.Count();
  // The first key that names the identifier wins; its value is the last line of that name.
  for (int i = 0; i < count; ++i) {
    if (!KeyNamesIdentifier(keys[i], idText)) continue;
    text = DecodeQuotedString(store_->ReadString(kResourceStringsSection, keys[i], ""));
    return true;
  }
  return false;
}

bool TkxCorePolyglot::GetTranslateResourceStrings() const { return hook_ && hook_->Enabled(); }

void TkxCorePolyglot::SetTranslateResourceStrings(bool value) {
  if (hook_) hook_->SetEnabled(value);
}
